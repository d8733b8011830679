#!/usr/bin/env bash
# Under GNOME's compositor the clock opens where it was left (mutter honours the place asked),
# is drawn with an alpha visual (its corners transparent: mutter composites), and a close
# through mutter writes that place back, byte for byte.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin

e2e_skin 300 200
e2e_show_clock
e2e_geometry "$E2E_WINDOW"
[ "$E2E_X,$E2E_Y $E2E_MAP" = "300,200 mapped" ] ||
  e2e_fail "settings.ini said 300,200; mutter shows the clock at $E2E_X,$E2E_Y ($E2E_MAP)"
[ "$E2E_DEPTH" = 32 ] || e2e_fail "the clock is drawn at depth $E2E_DEPTH, not with alpha (32)"
e2e_close_request QUARVEL
e2e_expect_exit 0 "mutter's close"
e2e_settings 300 200 | e2e_expect_bytes "$E2E_DIR/settings.ini" "closed through mutter"
e2e_pass
