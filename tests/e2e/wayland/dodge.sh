#!/usr/bin/env bash
# The mouse dodge through the compositor's own pointer: a top-most clock is not hidden by the
# pointer Xwayland last saw (a new one has it in the screen's middle, in the clock's square);
# the pointer moved onto it parks it, moved away brings it back, each time.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin

shown() { e2e_shown '$2 == "200x200"'; }

e2e_skin 300 200
e2e_show_clock
e2e_geometry "$E2E_WINDOW"
home="$E2E_X,$E2E_Y"
e2e_log "sway shows the clock at $home"
e2e_expect_stays "$E2E_WINDOW" "$home mapped" 2.5 "a new session's pointer in its square"
for round in 1 2; do
  e2e_move_over $((E2E_X + 100)) $((E2E_Y + 100))
  e2e_until 3 e2e_not shown || e2e_fail "round $round: the pointer over the clock left it shown"
  e2e_pointer_away
  e2e_until 3 shown || e2e_fail "round $round: the clock did not come back after the pointer left"
  e2e_wait_place "$E2E_WINDOW" "$home mapped" 2 "round $round: back home"
done
e2e_stop_clock
e2e_pass
