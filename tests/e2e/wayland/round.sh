#!/usr/bin/env bash
# Round on a desktop a compositor draws: sway shows the Linux clock (an X11 client of Xwayland)
# with the desktop's colour at the corners of its square, not black, and inside the round
# region the preview's face pixel for pixel, at 1x and at 2x.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin

# The desktop's colour (no face pixel has it) in the square: about what a circle leaves out, all
# four corners among it; turned black, the rest is the preview's face within the same circle.
expect_round_face() { # <size> <name> [preview's arguments]
  local s=$1 name=$2 preview=("${@:3}") shot corner at desktop out
  e2e_geometry "$E2E_WINDOW"
  E2E_FIRST=$(($(date +%s) - 1))
  shot=$(e2e_screenshot "$name")
  E2E_LAST=$(date +%s)
  for corner in 0,0 $((s - 1)),0 0,$((s - 1)) $((s - 1)),$((s - 1)); do
    at=$(e2e_pixel "$shot" $((E2E_X + ${corner%,*})) $((E2E_Y + ${corner#*,})))
    [ "$at" = "$E2E_WL_DESKTOP" ] ||
      e2e_fail "$name: the square's corner +$corner is $at, not the desktop's $E2E_WL_DESKTOP ($name.png)"
  done
  desktop=$(e2e_count_colour "$shot" "$E2E_WL_DESKTOP" "$E2E_X" "$E2E_Y" "$s" "$s")
  out=$((s * s - 31416 * (s - 1) * (s - 1) / 40000)) # the region leaves out a row and a column
  ((desktop * 10 >= out * 9 && desktop * 10 <= out * 11)) ||
    e2e_fail "$name: $desktop pixels of the desktop in the ${s}x$s square, a circle leaves $out"
  convert "$shot" -fill black -opaque "rgb($E2E_WL_DESKTOP)" "$E2E_TMP/disc.png"
  e2e_shows_preview "$E2E_TMP/disc.png" "$E2E_X" "$E2E_Y" "$s" "$name" "${preview[@]}"
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
