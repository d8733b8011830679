#!/usr/bin/env bash
# With standard error, or all three standard descriptors, closed the Linux clock runs as ever
# (window, ticking face, a message box, SIGTERM ends it with 0 and saves): the X connection must
# not take descriptor 2, where the clock's own messages go.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "closed descriptors: a Linux start-up matter" || exit 0
e2e_begin
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin

for closed in "2" "0 1 2"; do
  # Not top-most: the pointer may stand where it likes.
  printf '250,120\r\n-1\r\nqv.bmp\r\n3\r\n' >"$E2E_DIR/settings.ini"
  cp "$QUARVEL_X11_EXE" "$E2E_DIR/quarvel"
  e2e_log "starting quarvel with descriptors $closed closed"
  if [ "$closed" = 2 ]; then
    (cd "$E2E_DIR" && exec ./quarvel) >>"$E2E_TMP/clock.log" </dev/null 2>&- &
  else
    (cd "$E2E_DIR" && exec ./quarvel) <&- >&- 2>&- &
  fi
  E2E_CLOCK_PID=$! E2E_EXIT=""
  e2e_wait_clock
  e2e_wait_place "$E2E_WINDOW" "250,120 mapped" 2 "descriptors $closed closed"
  name=closed-${closed// /}
  first=$(e2e_screenshot "$name-a")
  sleep 2.2
  second=$(e2e_screenshot "$name-b")
  [ "$(e2e_count_colour "$second" "$E2E_BLUE" 250 120 200 200)" -ge 20000 ] ||
    e2e_fail "descriptors $closed closed: no face shown ($name-b.png)"
  [ "$(e2e_count_diff "$first" "$second" 250 120 200 200)" -gt 0 ] ||
    e2e_fail "descriptors $closed closed: the face did not move in 2 s ($name-a/b.png)"
  xdotool mousemove 350 220 click 3
  e2e_wait_box "descriptors $closed closed, a right-click" 'could not be started' 'File not found'
  e2e_dismiss_box
  e2e_until 5 e2e_not e2e_shown "$E2E_NOT_CLOCK" || e2e_fail "the message box is still up after Enter"
  xdotool mousemove "${E2E_AWAY[@]}"
  first=$(e2e_screenshot "$name-c")
  sleep 1.2
  [ "$(e2e_count_diff "$first" "$(e2e_screenshot "$name-d")" 250 120 200 200)" -gt 0 ] ||
    e2e_fail "descriptors $closed closed: the face stands still after the box ($name-c/d.png)"
  kill -TERM "$E2E_CLOCK_PID"
  e2e_expect_exit 0 "SIGTERM with descriptors $closed closed"
  e2e_settings 250 120 -1 qv.bmp 3 |
    e2e_expect_bytes "$E2E_DIR/settings.ini" "SIGTERM with descriptors $closed closed"
done
e2e_pass
