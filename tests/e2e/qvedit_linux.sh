#!/usr/bin/env bash
# The Linux skin author's round trip with the real qvedit: a right-click brings "qvs" up in front
# with the focus; colour and drag the minute hand; "Save and start clock" brings the clock back
# in the saved skin, working in the skin folder, which is not where the programs lie.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "qvedit for Linux is the native build's" || exit 0
e2e_begin
e2e_linux_editor
cp "$EDITOR" "$E2E_DIR/qvedit"
skin=$E2E_TMP/skin
mkdir "$skin"
e2e_skin 300 200
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
xdotool key Return alt+c
e2e_until 10 e2e_window_named "Hand colour" || e2e_fail "no colour dialog"
sleep 0.5
xdotool key alt+h ctrl+a # the HTML field
xdotool type --delay 20 "$(printf '#%02x%02x%02x' "${E2E_NEW_RGB[@]}")"
e2e_screenshot colour-dialog >/dev/null
xdotool key Return
e2e_until 5 e2e_not e2e_window_named "Hand colour" || e2e_fail "the colour dialog stays open"

# --- The tip dragged: the face is where the default face's blue square is; its size the zoom.
sleep 0.5
shot=$(e2e_screenshot before-drag)
e2e_geometry "$QVS"
read -r fx fy fw < <(convert "$shot" -crop "${E2E_W}x$E2E_H+$E2E_X+$E2E_Y" +repage -fill black \
  +opaque "rgb($E2E_BLUE)" -trim -format '%X %Y %w\n' info: | tr -d '+')
zoom=$((fw / E2E_FACE))
[ "$zoom" -ge 1 ] || e2e_fail "no face found on the editor (before-drag.png)"
e2e_log "the face at $fx,$fy in the editor, ${fw}px: zoom $zoom"
e2e_drag_minute_tip $((E2E_X + fx)) $((E2E_Y + fy)) "$zoom"
sleep 0.3
e2e_screenshot dragged >/dev/null
xdotool mousemove "${E2E_AWAY[@]}"

# --- Save and start clock: the editor closes, the clock comes back in the saved skin. ---
xdotool key alt+d
e2e_until 10 e2e_not e2e_qvs_shown || e2e_fail "the editor is still open after Save and start clock"
e2e_until 5 e2e_not kill -0 "$pid" 2>/dev/null || e2e_fail "the editor's process runs on after closing"
e2e_wait_clock
clock_pid=$(xdotool getwindowpid "$E2E_WINDOW")
[ "$(readlink "/proc/$clock_pid/exe")" = "$E2E_DIR/quarvel" ] ||
  e2e_fail "the clock started is $(readlink "/proc/$clock_pid/exe"), not the one beside qvedit"
[ "$(readlink "/proc/$clock_pid/cwd")" = "$skin" ] ||
  e2e_fail "the clock works in $(readlink "/proc/$clock_pid/cwd"), not in the skin folder"
e2e_expect_new_skin "$skin"
e2e_close_request QUARVEL
e2e_until 10 e2e_not kill -0 "$clock_pid" 2>/dev/null || e2e_fail "the new clock does not close"
e2e_not grep -q "Sanitizer" "$E2E_TMP/clock.log" ||
  e2e_fail "a sanitizer reported on the clock or the editor: $(grep -A8 Sanitizer "$E2E_TMP/clock.log")"
e2e_pass
