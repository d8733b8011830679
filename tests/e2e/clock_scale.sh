#!/usr/bin/env bash
# The clock at the screen's scale, on both builds: at 2x (Xft.dpi 192 on X11, LogPixels 192
# under Wine) the window is 400 x 400 for the 200-pixel face, its face is the preview tool's at
# --scale 2 pixel for pixel, and a clock saved at 1x opens at the same spot of the screen, its
# settings.ini unchanged. At 1.5x (Xft.dpi or LogPixels 144) it is 300 x 300, the face filtered
# as the preview filters it. On Linux QUARVEL_SCALE=2 does the same as the screen's 2x, and the
# face stays the preview's as the seconds go by.
source "$(dirname "$0")/lib.sh"
e2e_begin

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_settings 300 150 >"$E2E_DIR/settings.ini"
cp "$E2E_DIR/settings.ini" "$E2E_TMP/saved-at-1x.ini"

if [ "$E2E_DRIVER" = x11 ]; then
  export QUARVEL_SCALE=2
  e2e_start_clock
  e2e_wait_clock 400
  e2e_expect_geometry "$E2E_WINDOW" 300,150,400,400 "the clock at QUARVEL_SCALE=2"
  e2e_expect_preview_face 300 150 400 scale-env --scale 2
  # Seconds later, when only the parts the hands changed went out (at this size partly through
  # shared memory, row by row), the face is still the preview's.
  for later in 1 2 3 4; do
    sleep 1.3
    e2e_expect_preview_face 300 150 400 "scale-env-later-$later" --scale 2
  done
  e2e_close_clock "a close request"
  e2e_expect_bytes "$E2E_DIR/settings.ini" "saved at QUARVEL_SCALE=2" <"$E2E_TMP/saved-at-1x.ini"
  unset QUARVEL_SCALE
fi

e2e_screen_dpi 192
e2e_start_clock
e2e_wait_clock 400
e2e_expect_geometry "$E2E_WINDOW" 300,150,400,400 "the clock at 192 dpi"
e2e_expect_preview_face 300 150 400 dpi-192 --scale 2
e2e_close_clock "a close request"
e2e_expect_bytes "$E2E_DIR/settings.ini" "saved at 192 dpi" <"$E2E_TMP/saved-at-1x.ini"

e2e_screen_dpi 144
e2e_start_clock
e2e_wait_clock 300
e2e_expect_geometry "$E2E_WINDOW" 300,150,300,300 "the clock at 144 dpi"
e2e_expect_preview_face 300 150 300 dpi-144 --scale 1.5
e2e_close_clock "a close request"
e2e_pass
