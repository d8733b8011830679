#!/usr/bin/env bash
# A key pressed and let go on the native Wayland clock leaves nothing repeating: the clock, which
# repeats held keys itself on Wayland, goes back to waking about once a second for its hands.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin
e2e_wln_native

wakeups() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$E2E_CLOCK_PID/status"; }

e2e_skin 300 200 -1
e2e_wln_wait_face 200
e2e_pointer "move $((E2E_X + E2E_W / 2)) $((E2E_Y + E2E_W / 2))" "click left"
e2e_pointer_away
# Shift held on a keyboard that stays on the seat (as a person's does) while q, a key that repeats
# and does nothing on the clock, goes down and up on another.
e2e_wl_hold_shift 10
e2e_wln_key q
sleep 1.5     # past the compositor's repeat delay
before=$(wakeups)
sleep 5
after=$(wakeups)
e2e_log "$((after - before)) wake-ups in 5 s after the key went up"
# Each second: the hands, the compositor's release of the last picture; a key repeating at the
# usual 25 a second would wake it over 100 times.
[ $((after - before)) -le 40 ] ||
  e2e_fail "$((after - before)) wake-ups in 5 s after a key went up: something still repeats"
e2e_wl_keys_done
e2e_wln_key c
e2e_expect_exit 0 "C after the key"
e2e_pass
