#!/usr/bin/env bash
# The skin editor at Windows' scales 1x, 1.5x and 2x (Wine's LogPixels 96, 144 and 192): every
# control's text fits the control, measured in the control's own font (winprobe fit), and the
# point list shows its rows. Then, at 2x, Browse... picks a face of another width: the window
# afterwards is the window drawn afresh, pixel for pixel, with no piece of an old control left.
# A screen as large as a 2x monitor's; the editor must fit its work area at each scale.
E2E_SCREEN=2560x1600x24
source "$(dirname "$0")/lib.sh"
e2e_begin

BROWSE=116 POSE=123 FILE_NAME=1148

e2e_copy_data tyou.sin tan.sin byou.sin qv.bmp
e2e_settings 300 200 >"$E2E_DIR/settings.ini"
fits() { # <what>
  local report
  report=$(wine "$E2E_WINPROBE" fit qvs 2>>"$E2E_TMP/winprobe.log" 9>&-) ||
    e2e_fail "$1: text cut in the editor:"$'\n'"$report"
  e2e_log "$1: ${report##*$'\n'}"
}

for dpi in 96 144 192; do
  e2e_screen_dpi "$dpi"
  e2e_start_editor
  e2e_until 20 e2e_qvs_shown || e2e_fail "no editor window qvs at LogPixels $dpi"
  sleep 1
  e2e_screenshot "editor-$dpi" >/dev/null
  fits "LogPixels $dpi"
  [ "$dpi" = 192 ] || e2e_close_request qvs
  [ "$dpi" = 192 ] || e2e_until 10 e2e_not kill -0 "$E2E_EDITOR_PID" 2>/dev/null ||
    e2e_fail "the editor does not close at LogPixels $dpi"
done

# --- At 2x, a face 300 pixels wide in place of the 200-pixel one: nothing stale stays. ---
convert "$E2E_DIR/qv.bmp" -resize 300x300! BMP3:"$E2E_TMP/wide.bmp"
e2e_click_control qvs $POSE # the face stands still, so two pictures of it can be the same
e2e_click_control qvs $BROWSE
e2e_until 60 eval 'e2e_window_controls "Face bitmap" | grep "class=\"Button\" .* id=1\$" >/dev/null' ||
  e2e_fail "no open dialog with an Open button"
sleep 0.5
e2e_click_control "Face bitmap" $FILE_NAME
xdotool key --clearmodifiers End shift+Home BackSpace
xdotool type --delay 30 "Z:${E2E_TMP//\//\\}\\wide.bmp"
xdotool key Return
e2e_until 10 eval 'e2e_window_controls qvs | grep "Copied wide.bmp" >/dev/null' ||
  e2e_fail "the editor did not take the 300-pixel face"
sleep 1
e2e_geometry "$QVS"
after=$(e2e_screenshot face-changed)
wine "$E2E_WINPROBE" repaint qvs 2>>"$E2E_TMP/winprobe.log" 9>&- || e2e_fail "winprobe repaint failed"
sleep 1
fresh=$(e2e_screenshot repainted)
differ=$(e2e_count_diff "$after" "$fresh" "$E2E_X" "$E2E_Y" "$E2E_W" "$E2E_H")
[ "$differ" -eq 0 ] ||
  e2e_fail "after the face changed, $differ pixels differ from the window drawn afresh (face-changed.png, repainted.png)"
fits "LogPixels 192, 300-pixel face"
e2e_close_request qvs
e2e_pass
