#!/usr/bin/env bash
# Round on a desktop a compositor draws: sway shows the Linux clock (an X11 client of Xwayland)
# with the desktop's colour at the corners of its square, not black, and inside the round
# region the preview's face pixel for pixel, at 1x and at 2x.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin

expect_round_face() { # <size> <name> [preview's arguments]
  local shot
  e2e_geometry "$E2E_WINDOW"
  E2E_FIRST=$(($(date +%s) - 1))
  shot=$(e2e_screenshot "$2")
  E2E_LAST=$(date +%s)
  e2e_wl_expect_round "$shot" "$E2E_X" "$E2E_Y" "$1" "$2" "${@:3}"
}
# A screenshot may catch a redraw half done: up to twice more, 1.2 s apart.
round_face() {
  (expect_round_face "$@") 2>/dev/null || { sleep 1.2 && (expect_round_face "$@") 2>/dev/null; } ||
    { sleep 1.2 && expect_round_face "$@"; }
}

# In the normal layer: the pointer Xwayland last saw (the screen's middle in a new session) must
# not hide the clock here.
e2e_skin 300 200 -1
e2e_show_clock
sleep 1.2 # the first redraw comes with the first change of second
round_face 200 round
e2e_stop_clock

e2e_skin 300 200 -1
QUARVEL_SCALE=2 e2e_show_clock 400
sleep 1.2
round_face 400 round-2x --scale 2
e2e_stop_clock
e2e_pass
