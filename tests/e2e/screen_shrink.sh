#!/usr/bin/env bash
# The monitors shrink under a running clock, parked or not (RandR 1.5: a smaller monitor declared,
# the output switched off): it comes onto the nearest work area, and its home follows.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "RandR notices reach the Linux clock; Wine's display change is its own" || exit 0
E2E_SCREEN=1600x1200x24
e2e_begin
e2e_require_tools xrandr
e2e_skin

shrink() {
  xrandr --setmonitor small 800/200x600/150+0+0 none
  xrandr --output screen --off --fb 1600x1200
  e2e_log "monitors now: $(xrandr --listactivemonitors | tail -n +2 | tr -s ' ')"
}

# --- Not top-most, its face off the smaller monitor by a hair: it comes onto it. ---
e2e_settings 800 560 -1 >"$E2E_DIR/settings.ini"
e2e_show_clock
W=$E2E_WINDOW
shrink
e2e_wait_place "$W" "600,400 mapped" 3 "the monitor shrank under the clock"
e2e_screenshot near-edge >/dev/null
e2e_close_clock "a close request after the shrink"
e2e_settings 600 400 -1 | e2e_expect_bytes "$E2E_DIR/settings.ini" "closed after the shrink"
xrandr --output screen --auto
xrandr --delmonitor small

# --- Top-most and parked while the monitor shrinks: it comes home onto the smaller one. ---
e2e_settings 1000 800 >"$E2E_DIR/settings.ini"
e2e_show_clock
W=$E2E_WINDOW
e2e_move_over 1100 900
e2e_until 2 e2e_not e2e_at "$W" "1000,800 mapped" || e2e_fail "the clock did not park"
shrink
xdotool mousemove 100 100
e2e_wait_place "$W" "600,400 mapped" 3 "the pointer left after the shrink"
e2e_screenshot parked >/dev/null
# Home is the new place: the pointer over it parks the clock again, off it brings it back.
xdotool mousemove 700 500
e2e_until 3 e2e_not e2e_at "$W" "600,400 mapped" || e2e_fail "the clock did not park at its new home"
xdotool mousemove 100 100
e2e_wait_place "$W" "600,400 mapped" 3 "the pointer left the new home"
e2e_close_clock "a close request after the parked shrink"
e2e_settings 600 400 | e2e_expect_bytes "$E2E_DIR/settings.ini" "closed after the parked shrink"
e2e_pass
