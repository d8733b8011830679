#!/usr/bin/env bash
# The default skin: the clock opens as a 200 x 200 window at (0, 0) and shows the dial face
# with the three hands drawn in the colours of their hand files.
source "$(dirname "$0")/lib.sh"
e2e_begin

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_write_settings 0 0
e2e_start_clock
e2e_wait_clock

e2e_geometry "$E2E_WINDOW"
[ "$E2E_X,$E2E_Y,$E2E_W,$E2E_H" = "0,0,$E2E_FACE,$E2E_FACE" ] ||
  e2e_fail "clock window at ($E2E_X,$E2E_Y) size ${E2E_W}x$E2E_H, expected (0,0) size" \
    "${E2E_FACE}x$E2E_FACE"

# The face as the window should show it before any hand is drawn, pixel for pixel.
face=$E2E_ART/qv.png
convert "$E2E_DIR/qv.bmp" -alpha off "png:$face"

square=(0 0 "$E2E_FACE" "$E2E_FACE")
# The first redraw comes with the first change of second; 2.5 s leaves room for a cold start.
sleep 2.5
for attempt in 1 2; do
  shot=$(e2e_screenshot "face-$attempt")
  blue=$(e2e_count_colour "$shot" "$E2E_FACE_BLUE" "${square[@]}")
  e2e_log "background blue ($E2E_FACE_BLUE): $blue pixels in the square"
  # The round window shows about 78 % of the square; the face is mostly blue.
  [ "$blue" -ge 20000 ] ||
    e2e_fail "only $blue pixels of the face's blue ($E2E_FACE_BLUE) inside the clock's square"

  # The default hand colours (tyou.sin 220,240,255; tan.sin 255,200,60; byou.sin 255,80,72)
  # do not occur in qv.bmp. Counting only pixels that differ from the bitmap keeps the check
  # honest for a skin whose hand colour is also a colour of its face.
  missing=()
  for hand in tyou tan byou; do
    rgb=$(e2e_sin_rgb "$E2E_DIR/$hand.sin")
    drawn=$(e2e_count_colour_changed "$shot" "$face" "$rgb" "${square[@]}")
    e2e_log "$hand.sin colour $rgb: $drawn pixels drawn over the face"
    [ "$drawn" -ge 10 ] || missing+=("$hand.sin ($rgb): $drawn pixels")
  done
  [ ${#missing[@]} -eq 0 ] && e2e_pass
  # Two hands on one line can hide most of the one drawn first; a second later they part.
  [ "$attempt" -eq 1 ] && sleep 2
done
e2e_fail "hands not drawn in their colours: ${missing[*]}"
