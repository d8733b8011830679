#!/usr/bin/env bash
# The clock at the screen's scale (Xft.dpi or LogPixels 192 and 144; on Linux QUARVEL_SCALE=2
# too): 400 or 300 pixels across at the same spot, the face the preview's at that --scale pixel
# for pixel, settings.ini as saved at 1x.
source "$(dirname "$0")/lib.sh"
e2e_begin

e2e_skin 300 150
cp "$E2E_DIR/settings.ini" "$E2E_TMP/saved-at-1x.ini"

# <name> <size> <the preview's scale> [later]: the clock, and <later> times 1.3 s on, when only
# the parts the hands changed went out (at 400 partly through shared memory, row by row).
scaled() {
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
