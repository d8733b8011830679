#!/usr/bin/env bash
# settings.ini on every way out (C, a close request; on Linux SIGTERM, SIGHUP, the X session's end)
# in the clock's own form; a read-only one is reported, kept, and the exit code is 1.
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_skin

# --- A Shift-click moves nothing; a Shift-drag (Shift keeps the top-most clock from hiding)
# moves the clock, then C. ---
printf '300,200\r\n0\r\nqv.bmp\r\n2\r\n' >"$E2E_DIR/settings.ini"
e2e_show_clock
W=$E2E_WINDOW
e2e_focus "$W" # Wine sees Shift go up again only in the focused window
xdotool keydown shift mousemove 400 300 sleep 0.2
xdotool click 1 sleep 0.2 mousemove 450 330
e2e_expect_stays "$W" "300,200 mapped" 0.5 "a click, then a move without the button"
xdotool mousemove 400 300 sleep 0.2
xdotool mousedown 1 sleep 0.2
for step in 1 2 3 4 5; do
  xdotool mousemove $((400 + 40 * step)) $((300 + 20 * step)) sleep 0.05
done
xdotool mouseup 1
e2e_wait_place "$W" "500,300 mapped" 2 "a drag by 200,100"
# The move that records the new place; with Shift still down the clock stays.
e2e_move_over 610 410
e2e_expect_stays "$W" "500,300 mapped" 0.3 "a move with Shift over the dragged clock"
shot=$(e2e_screenshot after-drag)
[ "$(e2e_count_colour "$shot" "$E2E_BLUE" 500 300 200 200)" -ge 20000 ] ||
  e2e_fail "the face is not shown at its new place (after-drag.png)"
[ "$(e2e_count_colour "$shot" "$E2E_BLUE" 300 200 200 200)" -eq 0 ] ||
  e2e_fail "the face is left behind at the old place (after-drag.png)"
e2e_close_with_c "$W" "after the drag"
xdotool keyup shift
e2e_settings 500 300 | e2e_expect_bytes "$E2E_DIR/settings.ini" "C after the drag"

# --- Read-only (mode 444 is Wine's read-only attribute). LF line ends: the clock reads them,
# but a save would write CR LF. ---
printf '250,120\n-1 \nqv.bmp\n 3 \n' | tee "$E2E_TMP/old.ini" >"$E2E_DIR/settings.ini"
chmod 444 "$E2E_DIR/settings.ini"
e2e_show_clock
e2e_expect_geometry "$E2E_WINDOW" 250,120,200,200 "the clock of a settings.ini with LF ends"
e2e_close_request QUARVEL
e2e_wait_box "a close request, settings.ini read-only" settings.ini 'Path/File access error' \
  'previous settings file is unchanged'
e2e_screenshot read-only-box >/dev/null
e2e_dismiss_box
e2e_expect_exit 1 "the failed save was reported"
e2e_expect_bytes "$E2E_DIR/settings.ini" "the read-only settings.ini" <"$E2E_TMP/old.ini"
[ "$(stat -c %a "$E2E_DIR/settings.ini")" = 444 ] || e2e_fail "settings.ini is no longer read-only"

# --- Each way out writes back what the clock read (without the blanks the clock writes, so the
# bytes show a write): a close request; on Linux SIGTERM, SIGHUP and the X session's end too
# (Wine ends quarvel.exe on those, nothing saved). Planted links and files are SafeSave's. ---
chmod 644 "$E2E_DIR/settings.ini"
ends=(close)
[ "$E2E_DRIVER" = wine ] || ends+=(TERM HUP session)
for end in "${ends[@]}"; do
  printf '250,120\r\n-1\r\nnothere.bmp\r\n3\r\n' >"$E2E_DIR/settings.ini" # a 105-pixel clock
  e2e_show_clock 105
  case $end in
    close) e2e_close_request QUARVEL ;;
    session) e2e_stop_display ;;
    *) kill -s "$end" "$E2E_CLOCK_PID" ;;
  esac
  e2e_expect_exit 0 "$end"
  e2e_settings 250 120 -1 nothere.bmp 3 | e2e_expect_bytes "$E2E_DIR/settings.ini" "$end"
  [ -z "$(ls -A "$E2E_DIR" | grep '^\.qv')" ] || e2e_fail "$end left a temporary file behind"
done
e2e_pass
