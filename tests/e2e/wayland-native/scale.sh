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

# A first run there: the greeting is laid out for 2x and shown at its logical 372x202, its text
# drawn in the output's pixels (sharp: many more dark pixels than the 1x dialog's 300 or so).
rm "$E2E_DIR/settings.ini"
e2e_start_clock
e2e_until 15 e2e_wln_dialog_shown || e2e_fail "no dialog at 2x: $(tail -n 3 "$E2E_TMP/clock.log")"
read -r x y w h _ < <(e2e_wln_dialogs | grep ' QUARVEL$')
[ "${w}x$h" = 372x202 ] || e2e_fail "at 2x the dialog is ${w}x$h logical pixels, not 372x202"
sleep 0.5 # painted
shot=$(e2e_screenshot dialog)
dark=$(convert "$shot" -crop "$((2 * w))x$((2 * h))+$((2 * x))+$((2 * y))" +repage -colorspace gray \
  -threshold 35% -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$dark" -ge 1000 ] || e2e_fail "the 2x dialog shows $dark dark pixels ($shot)"
e2e_wln_key Return
e2e_wln_wait_face 400
e2e_stop_clock
e2e_pass
