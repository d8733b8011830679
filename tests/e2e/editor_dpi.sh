#!/usr/bin/env bash
# The skin editor at LogPixels 96, 144 and 192 on a 2x monitor's screen: every text fits its
# control in the control's own font, and the window the work area (winprobe fit). At 2x, a face of
# another width leaves no piece of an old control: the window is as when drawn afresh.
E2E_SCREEN=2560x1600x24
source "$(dirname "$0")/lib.sh"
e2e_begin

BROWSE=116 POSE=123
e2e_skin 300 200
fits() { # <what>
  local report
  report=$(wine "$E2E_WINPROBE" fit qvs 2>>"$E2E_TMP/winprobe.log" 9>&-) ||
    e2e_fail "$1: text cut in the editor:"$'\n'"$report"
  e2e_log "$1: ${report##*$'\n'}"
}

for dpi in 96 144 192; do
  e2e_screen_dpi "$dpi"
  e2e_start_editor
  sleep 0.5
  e2e_screenshot "editor-$dpi" >/dev/null
  fits "LogPixels $dpi"
  [ "$dpi" = 192 ] || e2e_close_editor "a close request at LogPixels $dpi"
done

# --- At 2x, a face 300 pixels wide in place of the 200-pixel one: nothing stale stays. ---
convert "$E2E_DIR/qv.bmp" -resize 300x300! BMP3:"$E2E_TMP/wide.bmp"
e2e_click_control qvs $POSE # the face stands still, so two pictures of it can be the same
e2e_open_face $BROWSE "$E2E_TMP/wide.bmp"
e2e_until 10 eval 'e2e_window_controls qvs | grep "copied into the skin folder when you save" >/dev/null' ||
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
