#!/usr/bin/env bash
# Bad input never crashes, floods or loses the clock: a missing hand file or an overflow while
# drawing is one box (settings.ini untouched); a broken or special face file gives the plain face
# unasked; a place off every screen opens on the nearest one.
source "$(dirname "$0")/lib.sh"
e2e_begin

e2e_skin 300 200
cp "$E2E_DIR/settings.ini" "$E2E_TMP/settings.ini"
boxes=0

reported_once() { # <after what> <phrase>...
  e2e_wait_box "$@"
  e2e_screenshot "box-$((++boxes))" >/dev/null
  sleep 2 # a box opened from a tick would have opened more by now
  e2e_wait_box "$@"
  e2e_dismiss_box
  e2e_expect_exit non-zero "the box of $1 was dismissed"
  e2e_expect_bytes "$E2E_DIR/settings.ini" "after $1" <"$E2E_TMP/settings.ini"
}

mv "$E2E_DIR/tan.sin" "$E2E_TMP/tan.sin"
e2e_start_clock
reported_once "a start without tan.sin" 53 'File not found' tan.sin
[ -z "$(e2e_quarvel_windows | grep -v "$E2E_BOX_WINDOW")" ] || e2e_fail "a clock shows next to it"
mv "$E2E_TMP/tan.sin" "$E2E_DIR/tan.sin"

# 32767 degrees fit in 16 bits, but not once the second hand's own direction is added.
printf '255\r\n0,0\r\n32767,50\r\n' >"$E2E_DIR/byou.sin"
e2e_start_clock
reported_once "an overflow while drawing" 'Overflow'
e2e_copy_data byou.sin

# A cut face file, and a FIFO named as the face (nothing waits on it): the plain face unasked.
# The other files the decoder and the bounded read refuse are the unit tests'.
head -c 1000 "$E2E_DIR/qv.bmp" >"$E2E_DIR/cut.bmp"
mkfifo "$E2E_DIR/fifo.bmp"
for face in cut fifo; do
  e2e_settings 300 200 0 "$face.bmp" >"$E2E_DIR/settings.ini"
  e2e_show_clock 105
  e2e_expect_geometry "$E2E_WINDOW" 300,200,105,105 "the clock with $face.bmp"
  [ -z "$(e2e_list_controls)" ] || e2e_fail "a message came up for $face.bmp"
  e2e_close_clock "a close request ($face.bmp)"
done

# Off every screen: onto the 1024 x 768 screen, as near the saved place as fits.
e2e_settings -5000 3000 >"$E2E_DIR/settings.ini"
e2e_show_clock
e2e_expect_geometry "$E2E_WINDOW" 0,568,200,200 "the clock saved off the screen"
e2e_close_with_c "$E2E_WINDOW" "the clock saved off the screen"
e2e_settings 0 568 | e2e_expect_bytes "$E2E_DIR/settings.ini" "the place it opened at"
e2e_pass
