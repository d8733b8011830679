#!/usr/bin/env bash
# The clock's window where settings.ini says: round (on X11 Windows' region row for row; under Wine
# X's shape leaves a circle's black), the preview's face pixel for pixel, ticking; without its
# bitmap 105 pixels across, and no message; at the screen's scale (Xft.dpi or LogPixels 192, 144;
# on Linux QUARVEL_SCALE=2 too) as large as the scale says, at the same spot, settings.ini as saved.
source "$(dirname "$0")/lib.sh"
e2e_begin

expect_round() { # <window id> <x> <y> <size>
  local s=$4 rows want black out
  if [ "$E2E_DRIVER" = x11 ]; then
    rows=$("$QUARVEL_NATIVE_BUILD/bin/shape_rows" "$1" "$s" |
      awk -f "$QUARVEL_SOURCE_DIR/tests/region/as_rows.awk") || e2e_fail "no shape read for $1"
    want=$(grep "^$s " "$QUARVEL_SOURCE_DIR/tests/region/windows_rows.sha256")
    [ "$("$QUARVEL_SOURCE_DIR/tests/support/line_hashes.sh" <<<"$rows")" = "$want" ] ||
      e2e_fail "the window's shape is not Windows' region of $s pixels: ${rows:0:300}…"
    return 0
  fi
  xwininfo -id "$1" -shape | grep -q 'Window shape extents' || e2e_fail "X has no shape for it"
  # Xvfb's root is black and no face here has black.
  black=$(e2e_count_colour "$(e2e_screenshot "round-$s")" 0,0,0 "$2" "$3" "$s" "$s")
  out=$((s * s - 31416 * (s - 1) * (s - 1) / 40000)) # an ellipse region leaves out a row and column
  [ $((black * 10)) -ge $((out * 9)) ] && [ $((black * 10)) -le $((out * 11)) ] ||
    e2e_fail "$black black pixels in the ${s}x$s square, a circle leaves about $out"
}

e2e_skin 300 150
cp "$E2E_DIR/settings.ini" "$E2E_TMP/saved-at-1x.ini"
e2e_show_clock
e2e_expect_geometry "$E2E_WINDOW" 300,150,200,200 "the clock"
sleep 1.2 # the first redraw comes with the first change of second
expect_round "$E2E_WINDOW" 300 150 200
e2e_expect_preview_face 300 150 200 preview
e2e_expect_ticks 300 150 200 tick-1
e2e_expect_ticks 300 150 200 tick-2 "$E2E_ART/tick-1-b.png"
e2e_expect_geometry "$E2E_WINDOW" 300,150,200,200 "the clock after a few seconds"
e2e_close_clock "a close request"

# qv.bmp is still there: the clock must not fall back on it.
e2e_settings 300 200 0 nothere.bmp >"$E2E_DIR/settings.ini"
e2e_show_clock 105
e2e_expect_geometry "$E2E_WINDOW" 300,200,105,105 "the clock without bitmap"
e2e_expect_topmost "$E2E_WINDOW" yes "the clock without bitmap"
sleep 1.2
expect_round "$E2E_WINDOW" 300 200 105
e2e_expect_preview_face 300 200 105 plain-preview
[ -z "$(e2e_list_controls)" ] || e2e_fail "a message came up for the missing bitmap"
e2e_close_clock "a close request without bitmap"

# <name> <size> <the preview's scale> [later]: the clock saved at 1x, and <later> times 1.3 s on,
# when only the parts the hands changed went out (at 400 partly through shared memory).
scaled() {
  cp "$E2E_TMP/saved-at-1x.ini" "$E2E_DIR/settings.ini"
  e2e_show_clock "$2"
  e2e_expect_geometry "$E2E_WINDOW" "300,150,$2,$2" "the clock at $1"
  e2e_expect_preview_face 300 150 "$2" "$1" --scale "$3"
  for ((later = 1; later <= ${4:-0}; later++)); do
    sleep 1.3
    e2e_expect_preview_face 300 150 "$2" "$1-later-$later" --scale "$3"
  done
  e2e_close_clock "a close request at $1"
  e2e_expect_bytes "$E2E_DIR/settings.ini" "saved at $1" <"$E2E_TMP/saved-at-1x.ini"
}
[ "$E2E_DRIVER" != x11 ] || QUARVEL_SCALE=2 scaled scale-env 400 2 4
e2e_screen_dpi 192
scaled dpi-192 400 2
e2e_screen_dpi 144
scaled dpi-144 300 1.5
e2e_pass
