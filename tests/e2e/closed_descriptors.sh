#!/usr/bin/env bash
# With standard error, or all three standard descriptors, closed the Linux clock runs as ever: the
# X connection must not take descriptor 2, where the clock's own messages go.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "closed descriptors: a Linux start-up matter" || exit 0
e2e_begin
e2e_skin

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
  e2e_expect_ticks 250 120 200 "$name"
  [ "$(e2e_count_colour "$E2E_ART/$name-b.png" "$E2E_BLUE" 250 120 200 200)" -ge 20000 ] ||
    e2e_fail "descriptors $closed closed: no face shown ($name-b.png)"
  xdotool mousemove 350 220 click 3
  e2e_wait_box "descriptors $closed closed, a right-click" 'could not be started' 'File not found'
  e2e_box_gone
  xdotool mousemove "${E2E_AWAY[@]}"
  e2e_expect_ticks 250 120 200 "$name-after-box"
  kill -TERM "$E2E_CLOCK_PID"
  e2e_expect_exit 0 "SIGTERM with descriptors $closed closed"
  e2e_settings 250 120 -1 qv.bmp 3 |
    e2e_expect_bytes "$E2E_DIR/settings.ini" "SIGTERM with descriptors $closed closed"
done
e2e_pass
