#!/usr/bin/env bash
# The Linux clock on sway's layer shell (QUARVEL_BACKEND=wayland), judged by what sway composed:
# it opens where settings.ini says, round, the desktop's colour at its square's corners and
# about what a circle leaves out, and within the circle the preview's face pixel for pixel; the
# face ticks.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin
e2e_wln_native

expect_round_face() { # <left> <top> <size> <name>
  local x=$1 y=$2 s=$3 name=$4 shot
  E2E_FIRST=$(($(date +%s) - 1))
  shot=$(e2e_screenshot "$name")
  E2E_LAST=$(date +%s)
  [ "$(e2e_wln_shown_box "$shot")" = "$((s - 1)) $((s - 1)) $x $y" ] ||
    e2e_fail "$name: the disc is at $(e2e_wln_shown_box "$shot"), expected $((s - 1))x$((s - 1)) at $x,$y"
  e2e_wl_expect_round "$shot" "$x" "$y" "$s" "$name"
}
# A screenshot may catch a redraw half done: up to twice more, 1.2 s apart.
round_face() {
  (expect_round_face "$@") 2>/dev/null || { sleep 1.2 && (expect_round_face "$@") 2>/dev/null; } ||
    { sleep 1.2 && expect_round_face "$@"; }
}

# In the bottom layer (normal), then in the top one (top-most), with the pointer away.
e2e_skin 300 200 -1
e2e_wln_wait_face 200
sleep 1.2 # the first redraw comes with the first change of second
round_face 300 200 200 round
e2e_expect_ticks 300 200 200 ticks # each second only the hands' part is sent: it reaches the screen
e2e_stop_clock

e2e_skin 517 333 0
e2e_wln_wait_face 200
sleep 1.2
round_face 517 333 200 round-topmost
e2e_stop_clock
e2e_pass
