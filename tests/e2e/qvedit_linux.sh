#!/usr/bin/env bash
# The Linux skin author's round trip with the real qvedit: a right-click brings "qvs" up in front
# with the focus; colour and drag the minute hand; "Save and start clock" brings the clock back,
# its face pixel for pixel quarvel-preview's drawing of the saved skin.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "qvedit for Linux is the native build's" || exit 0
e2e_begin
EDITOR=$QUARVEL_NATIVE_BUILD/bin/qvedit
e2e_require_file "$EDITOR" "the skin editor (make native)"
# The sanitizers of the debug build judge the editor too, but for what libdbus keeps.
export LSAN_OPTIONS=suppressions=$QUARVEL_SOURCE_DIR/tests/qvedit/lsan.supp
NEW_RGB=(10 200 60)
NEW_COLORREF=$((10 + 200 * 256 + 60 * 65536))

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_settings 300 200 >"$E2E_DIR/settings.ini" # no first run
cp "$EDITOR" "$E2E_DIR/qvedit"
# The skin folder is not where the programs lie: the editor must open the clock's working
# folder, and the clock it starts must work there.
skin=$E2E_TMP/skin
mkdir "$skin"
mv "$E2E_DIR"/{qv.bmp,tyou.sin,tan.sin,byou.sin} "$skin"/
cp "$E2E_DIR/settings.ini" "$skin/"


# --- A right-click on the clock: the editor in front, with the focus. ---
e2e_start_clock "$skin"
e2e_wait_clock
e2e_right_click
e2e_until 15 e2e_qvs_shown || e2e_fail "no editor window qvs within 15 s of the right-click"
e2e_expect_exit 0 "the editor showed" 5
e2e_until 3 eval '[ "$(xdotool getactivewindow)" = "$QVS" ]' || e2e_fail "qvs is not the active window"
e2e_until 3 eval '[ "$(xdotool getwindowfocus -f)" = "$QVS" ]' ||
  e2e_fail "qvs does not have the keyboard focus"
pid=$(xdotool getwindowpid "$QVS")
[ "$(readlink "/proc/$pid/cwd")" = "$skin" ] ||
  e2e_fail "the editor works in $(readlink "/proc/$pid/cwd"), not in the clock's skin folder"
e2e_screenshot editor-opened >/dev/null
xdotool mousemove "${E2E_AWAY[@]}"

# --- The minute hand at 10:08:36 (typed into the time field), a colour from the dialog. ---
xdotool key alt+m alt+t
xdotool type --delay 20 "10:08:36"
xdotool key Return
xdotool key alt+c
e2e_until 10 eval 'DIALOG=$(xdotool search --onlyvisible --name "^Hand colour$" | head -n 1) &&
  [ -n "$DIALOG" ]' || e2e_fail "no colour dialog"
sleep 0.5
xdotool key alt+h # the HTML field
xdotool key ctrl+a
xdotool type --delay 20 "$(printf '#%02x%02x%02x' "${NEW_RGB[@]}")"
e2e_screenshot colour-dialog >/dev/null
xdotool key Return
e2e_until 5 e2e_not eval 'xdotool search --onlyvisible --name "^Hand colour$" >/dev/null' ||
  e2e_fail "the colour dialog stays open"

# --- Drag the tip (point 7: 0,85) 30 degrees on and out to the dial's full radius. The face is
# where the default face's blue square is; its size gives the zoom. ---
sleep 0.5
shot=$(e2e_screenshot before-drag)
e2e_geometry "$QVS"
read -r fx fy fw < <(convert "$shot" -crop "${E2E_W}x$E2E_H+$E2E_X+$E2E_Y" +repage -fill black \
  +opaque "rgb($E2E_BLUE)" -trim -format '%X %Y %w\n' info: | tr -d '+')
fx=$((E2E_X + fx)) fy=$((E2E_Y + fy))
zoom=$((fw / E2E_FACE))
[ "$zoom" -ge 1 ] || e2e_fail "no face found on the editor (before-drag.png)"
e2e_log "the face at $fx,$fy, ${fw}px: zoom $zoom"
face_pixel() { # <degrees clockwise of 12> <pixels from the centre> -> "x y" on the screen
  awk -v a="$1" -v r="$2" -v x="$fx" -v y="$fy" -v z="$zoom" 'BEGIN { t = (90 - a) * 3.14159 / 180
    printf "%d %d\n", x + (int(100 + cos(t) * r + 0.5) + 0.5) * z, y + (int(100 - sin(t) * r + 0.5) + 0.5) * z }'
}
read -r x y < <(face_pixel 48 68)
xdotool mousemove "$x" "$y" mousedown 1
for step in 1 2 3 4 5 6; do
  read -r x y < <(face_pixel $((48 + 5 * step)) $((68 + 2 * step)))
  xdotool mousemove "$x" "$y"
  sleep 0.1
done
xdotool mouseup 1
sleep 0.3
e2e_screenshot dragged >/dev/null
xdotool mousemove "${E2E_AWAY[@]}"

# --- Save and start clock: the editor closes, the clock comes back in the saved skin. ---
xdotool key alt+d
e2e_until 10 e2e_not e2e_qvs_shown || e2e_fail "the editor is still open after Save and start clock"
e2e_until 5 e2e_not kill -0 "$pid" 2>/dev/null || e2e_fail "the editor's process runs on after closing"
[ "$(head -n 1 "$skin/tyou.sin")" = "$NEW_COLORREF"$'\r' ] ||
  e2e_fail "tyou.sin does not start with the new colour $NEW_COLORREF: $(head -n 1 "$skin/tyou.sin")"
tip=$(sed -n 8p "$skin/tyou.sin")
awk -F, '{ exit !($1 >= 28 && $1 <= 32 && $2 + 0 >= 98 && $2 + 0 <= 102) }' <<<"${tip%$'\r'}" ||
  e2e_fail "the dragged tip was saved as '$tip', expected about 30,100"
e2e_log "saved tip: ${tip%$'\r'}"
e2e_wait_clock
clock_pid=$(xdotool getwindowpid "$E2E_WINDOW")
[ "$(readlink "/proc/$clock_pid/exe")" = "$E2E_DIR/quarvel" ] ||
  e2e_fail "the clock started is $(readlink "/proc/$clock_pid/exe"), not the one beside qvedit"
[ "$(readlink "/proc/$clock_pid/cwd")" = "$skin" ] ||
  e2e_fail "the clock works in $(readlink "/proc/$clock_pid/cwd"), not in the skin folder"

# Its face is the preview tool's drawing of the saved files.
e2e_geometry "$E2E_WINDOW"
E2E_SKIN=$skin e2e_expect_preview_face "$E2E_X" "$E2E_Y" 200 clock-in-new-skin
[ "$(e2e_count_colour "$E2E_ART/clock-in-new-skin.png" "$(IFS=,; echo "${NEW_RGB[*]}")" "$E2E_X" "$E2E_Y" 200 200)" -gt 20 ] ||
  e2e_fail "the clock shows no minute hand in the new colour (clock-in-new-skin.png)"
e2e_close_request QUARVEL
e2e_until 10 e2e_not kill -0 "$clock_pid" 2>/dev/null || e2e_fail "the new clock does not close"
e2e_not grep -q "Sanitizer" "$E2E_TMP/clock.log" ||
  e2e_fail "a sanitizer reported on the clock or the editor: $(grep -A8 Sanitizer "$E2E_TMP/clock.log")"
e2e_pass
