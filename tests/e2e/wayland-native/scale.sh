#!/usr/bin/env bash
# The Linux clock on sway's layer shell on an output of scale 2: the face is drawn in the
# output's pixels, the size the clock's own rule gives a 2x screen, from the skin's sharp face
# (qv@2x.bmp): pixel for pixel quarvel-preview's at --scale 2, round, where settings.ini says in
# the desktop's (logical) pixels, and it ticks.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
E2E_WL_SWAY_CONF="output HEADLESS-1 scale 2"
e2e_begin
e2e_wln_native

# A sharp face unlike the plain one blown up: the screen shows which one the clock took.
e2e_skin 150 100 0
convert "$E2E_DIR/qv.bmp" -filter point -resize 200% -negate "BMP3:$E2E_DIR/qv@2x.bmp"
[ "$(e2e_count_colour "$E2E_DIR/qv@2x.bmp" "$E2E_WL_DESKTOP" 0 0 400 400)" = 0 ] ||
  e2e_fail "the sharp face has the desktop's colour"

# The screenshot is in the output's pixels: the place (150, 100) is at (300, 200), 400 across.
expect_face() { # <name>
  local shot
  E2E_FIRST=$(($(date +%s) - 1))
  shot=$(e2e_screenshot "$1")
  E2E_LAST=$(date +%s)
  [ "$(e2e_wln_shown_box "$shot")" = "399 399 300 200" ] ||
    e2e_fail "$1: the disc is at $(e2e_wln_shown_box "$shot"), expected 399x399 at 300,200"
  e2e_wl_expect_round "$shot" 300 200 400 "$1" --scale 2
}
e2e_wln_wait_face 400
sleep 1.2 # the first redraw comes with the first change of second
(expect_face scaled) 2>/dev/null || { sleep 1.2 && (expect_face scaled) 2>/dev/null; } ||
  { sleep 1.2 && expect_face scaled; }
e2e_expect_ticks 300 200 400 ticks
e2e_stop_clock
e2e_pass
