#!/usr/bin/env bash
# The clock's window: it opens where settings.ini says, a round 200 x 200 window (X's shape for
# it is Windows' region, row for row) showing the face and the three hands in their files'
# colours, and the face changes every second; its face is the preview tool's, pixel for pixel.
# Without its bitmap it is a plain dark blue round window 105 pixels across (at 96 dpi) with the
# hands on it, and no message.
source "$(dirname "$0")/lib.sh"
e2e_begin

# "r,g,b" of the colour on a hand file's first line (a COLORREF: red in the low byte).
hand_rgb() {
  local c
  c=$(head -n 1 "$E2E_DIR/$1.sin" | tr -d '\r ')
  echo "$((c & 255)),$((c >> 8 & 255)),$((c >> 16 & 255))"
}

# Takes screenshots until all three hands show in the square; SHOT is the last one. The first
# redraw comes with the first change of second, and two hands on one line part a second later.
wait_hands() { # <x> <y> <size> <name>
  local i hand n missing
  for i in 1 2 3 4 5; do
    SHOT=$(e2e_screenshot "$4-$i")
    missing=""
    for hand in tyou tan byou; do
      n=$(e2e_count_colour "$SHOT" "$(hand_rgb $hand)" "$1" "$2" "$3" "$3")
      [ "$n" -ge 10 ] || missing+=" $hand.sin ($(hand_rgb $hand)): $n pixels;"
    done
    [ -z "$missing" ] && return 0
    sleep 1
  done
  e2e_fail "$4: hands not drawn in their colours:$missing"
}

# Xvfb's root is black and no face here has black: the square's corners show black, the middle
# of each edge does not, the black in the square is what a circle leaves of it, and X shapes
# the window with Windows' region.
# NOTE: under Wine the region's outside is black even over another window.
expect_round() { # <png> <window id> <x> <y> <size>
  local x=$3 y=$4 s=$5 p px py want rgb face black out
  expect_shape "$2" "$s"
  for p in "1 1 0" "$((s - 2)) 1 0" "1 $((s - 2)) 0" "$((s - 2)) $((s - 2)) 0" \
    "$((s / 2)) 1 1" "1 $((s / 2)) 1" "$((s / 2)) $((s - 2)) 1" "$((s - 2)) $((s / 2)) 1"; do
    read -r px py want <<<"$p" # 0: the black screen, 1: the face
    rgb=$(e2e_pixel "$1" $((x + px)) $((y + py)))
    face=1; [ "$rgb" != 0,0,0 ] || face=0
    [ "$face" = "$want" ] || e2e_fail "not round: ($((x + px)),$((y + py))) shows $rgb" \
      "($(basename "$1"))"
  done
  black=$(e2e_count_colour "$1" 0,0,0 "$x" "$y" "$s" "$s")
  out=$((s * s - 31416 * (s - 1) * (s - 1) / 40000)) # an ellipse region leaves out a row and column
  [ $((black * 10)) -ge $((out * 9)) ] && [ $((black * 10)) -le $((out * 11)) ] ||
    e2e_fail "$black black pixels in the ${s}x$s square, a circle leaves about $out"
}

# X keeps the window's shape as Windows' own elliptic region of that diameter, row for row: the
# rows' hash in tests/region/windows_rows.sha256 (CreateEllipticRgn's answer).
# NOTE: under Wine only that X has a shape; Wine's window may be larger than its region.
expect_shape() { # <window id> <size>
  local rows want got
  if [ "$E2E_DRIVER" != x11 ]; then
    xwininfo -id "$1" -shape | grep -q 'Window shape extents' || e2e_fail "X has no shape for it"
    return 0
  fi
  rows=$("$QUARVEL_NATIVE_BUILD/bin/shape_rows" "$1" "$2" |
    awk -f "$QUARVEL_SOURCE_DIR/tests/region/as_rows.awk") || e2e_fail "no shape read for $1"
  want=$(grep "^$2 " "$QUARVEL_SOURCE_DIR/tests/region/windows_rows.sha256")
  got=$("$QUARVEL_SOURCE_DIR/tests/support/line_hashes.sh" <<<"$rows")
  [ "$got" = "$want" ] || e2e_fail "the window's shape is not Windows' region of $2 pixels:" \
    "${rows:0:300}…"
  e2e_log "the shape: Windows' region of $2 pixels, row for row"
}

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
convert "$E2E_DIR/qv.bmp" "$E2E_TMP/qv.png" # a hand's colour in the face would pass for the hand
for hand in tyou tan byou; do
  [ "$(e2e_count_colour "$E2E_TMP/qv.png" "$(hand_rgb $hand)" 0 0 200 200)" -eq 0 ] ||
    e2e_fail "qv.bmp has the colour of $hand.sin"
done

e2e_settings 250 120 >"$E2E_DIR/settings.ini"
e2e_start_clock
e2e_wait_clock
e2e_expect_geometry "$E2E_WINDOW" 250,120,200,200 "the clock"
wait_hands 250 120 200 face
expect_round "$SHOT" "$E2E_WINDOW" 250 120 200
blue=$(e2e_count_colour "$SHOT" "$E2E_BLUE" 250 120 200 200)
[ "$blue" -ge 20000 ] || e2e_fail "only $blue pixels of the face's blue in the window"
e2e_expect_preview_face 250 120 200 preview
e2e_expect_ticks 250 120 200 tick-1 "$SHOT"
e2e_expect_ticks 250 120 200 tick-2 "$E2E_ART/tick-1-b.png"
e2e_expect_geometry "$E2E_WINDOW" 250,120,200,200 "the clock after a few seconds"
e2e_close_clock "a close request"

# qv.bmp is still there: the clock must not fall back on it.
e2e_settings 300 200 0 nothere.bmp >"$E2E_DIR/settings.ini"
e2e_start_clock
e2e_wait_clock 105
e2e_expect_geometry "$E2E_WINDOW" 300,200,105,105 "the clock without bitmap"
e2e_expect_topmost "$E2E_WINDOW" yes "the clock without bitmap"
wait_hands 300 200 105 plain
expect_round "$SHOT" "$E2E_WINDOW" 300 200 105
# Nothing but the blue, the hands and the black outside the circle.
stray=$(convert "$SHOT" -crop 105x105+300+200 -depth 8 -format %c histogram:info:- |
  grep -vF -e "($E2E_BLUE)" -e "(0,0,0)" -e "($(hand_rgb tyou))" -e "($(hand_rgb tan))" \
    -e "($(hand_rgb byou))" || true)
[ -z "$stray" ] || e2e_fail "the plain face shows other colours:"$'\n'"$stray"
blue=$(e2e_count_colour "$SHOT" "$E2E_BLUE" 300 200 105 105)
[ "$blue" -ge 7000 ] || e2e_fail "only $blue pixels of dark blue in the plain face"
e2e_expect_preview_face 300 200 105 plain-preview
[ -z "$(e2e_list_controls)" ] || e2e_fail "a message came up for the missing bitmap"
e2e_pass
