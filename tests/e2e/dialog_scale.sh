#!/usr/bin/env bash
# The first-run dialog at 2x and 1.5x: the banner generator's picture for that scale pixel for
# pixel, every control within the dialog, the group box's texts within their labels, and under
# Wine each text fits its control in the control's own font.
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin readme.txt

# <dpi> <banner file> <width> <height>: the dialog of a first run on a screen of that dpi.
check_dialog() {
  local dpi=$1 banner=$2 bw=$3 bh=$4
  e2e_screen_dpi "$dpi"
  rm -f "$E2E_DIR/settings.ini"
  e2e_start_clock
  e2e_until 20 e2e_shown '{ split($2, s, "x") } s[1] > s[2]' || e2e_fail "no first-run dialog" \
    "$(e2e_quarvel_windows | tr '\n' ' ')"
  D=$E2E_FOUND
  e2e_geometry "$D"
  dlg=("$E2E_X" "$E2E_Y" "$E2E_W" "$E2E_H")
  sleep 0.5 # painted
  controls=$(e2e_list_controls QUARVEL)
  line=$(grep -F 'class="Static" text="" ' <<<"$controls" | head -n 1 || true)
  [ -n "$line" ] || e2e_fail "no banner in the dialog:"$'\n'"$controls"
  IFS=, read -r -a b <<<"${line##* rect=}"
  # The picture inside a 2-pixel sunken edge: its size plus 4.
  [ "${b[2]}x${b[3]}" = "$((bw + 4))x$((bh + 4))" ] ||
    e2e_fail "the banner's box is ${b[2]}x${b[3]}, not $((bw + 4))x$((bh + 4))"
  shot=$(e2e_screenshot "dialog-$dpi")
  convert "$QUARVEL_SOURCE_DIR/src/core/infodialog/resources/$banner" -alpha off "$E2E_TMP/banner.png"
  convert "$shot" -crop "${bw}x$bh+$((b[0] + 2))+$((b[1] + 2))" +repage "$E2E_ART/banner-$dpi.png"
  diff=$(e2e_count_diff "$E2E_ART/banner-$dpi.png" "$E2E_TMP/banner.png" 0 0 "$bw" "$bh")
  [ "$diff" -eq 0 ] || e2e_fail "$diff of the banner's pixels differ from $banner (dialog-$dpi.png)"

  # Every control within the dialog's client area, the texts below the banner's box.
  while IFS= read -r line; do
    [[ $line == *' rect='* && $line != dialog* ]] || continue
    IFS=, read -r -a c <<<"${line##* rect=}"
    ((c[0] >= dlg[0] && c[1] >= dlg[1] && c[0] + c[2] <= dlg[0] + dlg[2] &&
      c[1] + c[3] <= dlg[1] + dlg[3])) || e2e_fail "a control is outside the dialog: $line"
  done <<<"$controls"
  # The group box's texts fit their labels: no ink inside the box outside the labels' places.
  frame=$(grep -F 'class="Button" text="" ' <<<"$controls" | head -n 1)
  IFS=, read -r -a f <<<"${frame##* rect=}"
  draw=()
  while IFS= read -r line; do
    IFS=, read -r -a c <<<"${line##* rect=}"
    ((c[1] > f[1])) || continue
    x=$((c[0] - f[0] - 4)) y=$((c[1] - f[1] - 20))
    draw+=(-draw "rectangle $x,$y $((x + c[2] - 1)),$((y + c[3] - 1))")
  done < <(grep -F 'class="Static" text="' <<<"$controls" | grep -vF 'text="" ')
  ((${#draw[@]} == 6)) || e2e_fail "not 3 labels in the group box:"$'\n'"$controls"
  # Inside the frame's lines: 4 pixels in, 20 below its top (the line runs at half a text's height).
  ink=$(convert "$shot" -crop "$((f[2] - 8))x$((f[3] - 24))+$((f[0] + 4))+$((f[1] + 20))" +repage \
    -fill white "${draw[@]}" -colorspace gray \
    -threshold 50% -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
  [ "$ink" -eq 0 ] || e2e_fail "$ink pixels of text outside the labels in the group box (dialog-$dpi.png)"
  if [ "$E2E_DRIVER" = wine ]; then
    report=$(wine "$E2E_WINPROBE" fit QUARVEL 2>>"$E2E_TMP/winprobe.log" 9>&-) ||
      e2e_fail "text cut in the dialog at LogPixels $dpi:"$'\n'"$report"
  fi
  e2e_stop_clock
}

check_dialog 192 banner@2x.bmp 456 114
check_dialog 144 banner@1.5x.bmp 342 86
e2e_pass
