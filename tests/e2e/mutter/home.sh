#!/usr/bin/env bash
# Under GNOME's compositor the clock opens where it was left (mutter honours the place asked),
# is drawn with an alpha visual (its corners transparent: mutter composites), and a close
# through mutter writes that place back, byte for byte.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin

e2e_skin 300 200
e2e_show_clock
# mutter maps the window first and places it a moment later (on a busy machine long enough to be
# seen at 0,0): the place it ends at counts.
e2e_wait_place "$E2E_WINDOW" "300,200 mapped" 5 "settings.ini said 300,200; mutter's place"
e2e_geometry "$E2E_WINDOW"
[ "$E2E_DEPTH" = 32 ] || e2e_fail "the clock is drawn at depth $E2E_DEPTH, not with alpha (32)"
e2e_close_request QUARVEL
e2e_expect_exit 0 "mutter's close"
e2e_settings 300 200 | e2e_expect_bytes "$E2E_DIR/settings.ini" "closed through mutter"
e2e_pass
