#!/usr/bin/env bash
# The skin editor's zoom: at 1x and at 4x the selected point's handle is the same size on the
# screen (81 pixels of its fill), and at 4x the face is the clock's own pixels, each a block of
# 4 x 4 screen pixels (nearest neighbour: every run of one colour inside a stretch of the view,
# across and down, is a multiple of 4 long). Last, the face view grows with the window.
source "$(dirname "$0")/lib.sh"
e2e_begin

FACE=100 POINTS=106 POSE=123 ZOOM=132
HANDLE_FILL=255,96,0 # the selected handle's inside (apps/qvedit-win32/face_view.cpp)

e2e_copy_data tyou.sin tan.sin byou.sin qv.bmp
e2e_settings 300 200 >"$E2E_DIR/settings.ini"
qvs_shown() {
  QVS=$(xdotool search --onlyvisible --name '^qvs$' 2>/dev/null | head -n 1) && [ -n "$QVS" ]
}
face_rect() { # sets FX FY FW FH, the face view on the screen
  IFS=, read -r FX FY FW FH < <(e2e_window_controls qvs |
    sed -nE "s/^  control .* rect=([-0-9,]+) id=$FACE\$/\1/p")
}
zoom_to() { # <keys that pick the entry in the open list>
  e2e_click_control qvs $ZOOM
  sleep 0.3
  xdotool key "$@" Return
  sleep 0.7
}

e2e_start_editor
e2e_until 20 qvs_shown || e2e_fail "no editor window qvs"
sleep 0.5
e2e_click_control qvs $POSE
e2e_click_control qvs $POINTS
xdotool key Home # the hour hand's first point, 180,9, selected

face_rect
zoom_to Down # Fit, 1x
shot=$(e2e_screenshot zoom-1x)
at1=$(e2e_count_colour "$shot" $HANDLE_FILL "$FX" "$FY" "$FW" "$FH")
zoom_to End # 4x
shot=$(e2e_screenshot zoom-4x)
at4=$(e2e_count_colour "$shot" $HANDLE_FILL "$FX" "$FY" "$FW" "$FH")
e2e_log "the selected handle's fill: $at1 pixels at 1x, $at4 at 4x"
[ "$at1" -eq 81 ] && [ "$at4" -eq 81 ] ||
  e2e_fail "the selected handle is $at1 pixels at 1x and $at4 at 4x, expected 81 at both"

# Right of and below the middle, away from the hands' handles: whole 4 x 4 blocks.
x=$((FX + FW / 2 + 60)) y=$((FY + FH / 2 + 60)) w=$((FW / 2 - 70)) h=$((FH / 2 - 70))
[ "$w" -ge 40 ] && [ "$h" -ge 40 ] || e2e_fail "the face view is too small: ${FW}x$FH"
convert "$shot" -crop "${w}x$h+$x+$y" +repage -depth 8 txt:- >"$E2E_TMP/region.txt"
odd=$(awk -F'[,: ]+' 'NR > 1 { c[$1, $2] = $0 ~ /#[0-9A-F]+/ ? substr($0, index($0, "#"), 7) : "?" }
  END {
    bad = 0
    for (y = 0; y < '"$h"'; y++) {       # runs across each row
      run = 1
      for (x = 1; x <= '"$w"'; x++) {
        if (x < '"$w"' && c[x, y] == c[x - 1, y]) { run++; continue }
        if (x - run > 0 && x < '"$w"' && run % 4) { bad++; if (bad < 5) print "row " y " x " x - run " run " run > "/dev/stderr" }
        run = 1
      }
    }
    for (x = 0; x < '"$w"'; x++) {       # and down each column
      run = 1
      for (y = 1; y <= '"$h"'; y++) {
        if (y < '"$h"' && c[x, y] == c[x, y - 1]) { run++; continue }
        if (y - run > 0 && y < '"$h"' && run % 4) { bad++; if (bad < 5) print "column " x " y " y - run " run " run > "/dev/stderr" }
        run = 1
      }
    }
    print bad
  }' "$E2E_TMP/region.txt" 2>"$E2E_TMP/runs.log")
[ "$odd" -eq 0 ] || e2e_fail "at 4x, $odd runs of the face are not whole blocks of 4:"$'\n'"$(cat "$E2E_TMP/runs.log")"

# The window made larger, as with its frame: the face view takes the room.
before="${FW}x$FH"
e2e_geometry "$QVS"
xdotool windowsize "$QVS" $((E2E_W + 40)) $((E2E_H + 60)) # still within the 1024 x 768 screen
e2e_until 5 eval 'face_rect && [ "$FW" -ge $((${before%x*} + 40)) ] && [ "$FH" -ge $((${before#*x} + 60)) ]' ||
  e2e_fail "the face view is ${FW}x$FH after the window grew by 40 x 60; it was $before"
e2e_log "the face view: $before, ${FW}x$FH after the window grew"
e2e_screenshot grown >/dev/null
e2e_close_request qvs
e2e_until 10 e2e_not kill -0 "$E2E_EDITOR_PID" 2>/dev/null || e2e_fail "the editor does not close"
e2e_pass
