#!/usr/bin/env bash
# One native Wayland clock per folder: a second start there ends with 0 at once, draws no second
# clock and says nothing of one running; the first runs on and comes to the front with the
# keyboard, as the X11 clock is activated: C typed then closes it, saving its settings.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin
e2e_wln_native

e2e_skin 300 200 0
saved=$(stat -c %i "$E2E_DIR/settings.ini")
e2e_wln_wait_face 200
first=$E2E_CLOCK_PID
e2e_start_clock
e2e_expect_exit 0 "a second start in the same folder" 10
! grep -q "already running" "$E2E_TMP/clock.log" ||
  e2e_fail "the second start did not find the first: $(tail -n 3 "$E2E_TMP/clock.log")"
kill -0 "$first" 2>/dev/null || e2e_fail "the second start ended the first clock"
E2E_CLOCK_PID=$first E2E_EXIT=""
e2e_wln_face_box after-second || e2e_fail "no clock shown after the second start"
[ "$E2E_X,$E2E_Y $E2E_W,$E2E_H" = "300,200 199,199" ] ||
  e2e_fail "after the second start the desktop shows ${E2E_W}x$E2E_H at $E2E_X,$E2E_Y" \
    "(after-second.png), not the one clock at 300,200"
e2e_wln_key c
e2e_expect_exit 0 "C after the second start"
[ "$(stat -c %i "$E2E_DIR/settings.ini")" != "$saved" ] || e2e_fail "settings.ini was not saved"
e2e_settings 300 200 0 | e2e_expect_bytes "$E2E_DIR/settings.ini" "C after the second start"
e2e_pass
