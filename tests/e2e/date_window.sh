#!/usr/bin/env bash
# date=on in options.ini puts the day of the month in a small window on the face, where and in
# the colour the file says: the clock shows the preview's face for the same options, pixel for
# pixel, on every build (the core draws the window with its own digits).
source "$(dirname "$0")/lib.sh"
e2e_begin

e2e_skin 300 150
printf 'date=on\r\n' >"$E2E_DIR/options.ini"
e2e_show_clock
e2e_expect_preview_face 300 150 200 date-default
e2e_close_clock "showing the date"

printf '# by hand\r\ndate=on\r\ndate_place=-55,30\r\ndate_colour=255\r\n' >"$E2E_DIR/options.ini"
e2e_show_clock
e2e_expect_preview_face 300 150 200 date-placed
# Without the window the face differs: the date is there, not only the preview's.
printf 'date=off\r\n' >"$E2E_DIR/options.ini"
! e2e_matches_preview 300 150 200 date-absent || e2e_fail "the face is the same without the date"
e2e_close_clock "showing the placed date"
e2e_pass
