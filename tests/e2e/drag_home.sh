#!/usr/bin/env bash
# A finished drag is the clock's new home although the pointer rests where the button went up:
# the end of the move brings the clock one mouse move, as Windows' move loop does, so C, a close
# request or SIGTERM right after the drag save the new place, and a top-most clock dragged with
# Shift let go before the button hides at once and comes back at its new place. On Linux also
# without a window manager, where the clock's own move loop drags it.
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_skin

# Presses the left button on the clock at <x>,<y>, moves it by 200,100 in five steps and lets it
# go there; nothing moves the pointer afterwards. [shift-up]: Shift goes up before the button.
drag_by_200_100() { # <x> <y> [shift-up]
  xdotool mousedown 1 sleep 0.2
  for step in 1 2 3 4 5; do
    xdotool mousemove $(($1 + 40 * step)) $(($2 + 20 * step)) sleep 0.05
  done
  [ "${3:-}" != shift-up ] || xdotool keyup shift sleep 0.2
  xdotool mouseup 1
}

# --- Top-most, dragged with Shift held, C with the pointer resting on the clock. ---
e2e_settings 300 200 >"$E2E_DIR/settings.ini"
e2e_show_clock
W=$E2E_WINDOW
e2e_focus "$W" # Wine sees Shift go up only in the focused window
xdotool keydown shift
e2e_move_over 400 300
sleep 0.2
drag_by_200_100 $((400 + E2E_MOVES)) 300
e2e_wait_place "$W" "500,300 mapped" 2 "a Shift-drag by 200,100"
e2e_expect_stays "$W" "500,300 mapped" 0.5 "Shift held, the pointer resting on the clock"
# Pressed at once: a click to give the focus would move the pointer, which the test must not.
e2e_has_focus "$W" || e2e_fail "the dragged clock lost the focus"
xdotool key --clearmodifiers c
e2e_expect_exit 0 "C after the drag"
xdotool keyup shift
e2e_settings 500 300 | e2e_expect_bytes "$E2E_DIR/settings.ini" "C with the pointer where the drag ended"

# --- The normal layer, dragged without Shift, then closed from outside at once: SIGTERM on
# Linux, a close request under Wine (which ends quarvel.exe on a signal without saving). ---
# A clock in the normal layer dragged by +200,+100 from 300,200, the pointer left where it ends.
normal_layer_drag() { # <what>
  e2e_settings 300 200 -1 >"$E2E_DIR/settings.ini"
  e2e_show_clock
  W=$E2E_WINDOW
  e2e_move_over 400 300
  sleep 0.2
  drag_by_200_100 $((400 + E2E_MOVES)) 300
  e2e_wait_place "$W" "500,300 mapped" 2 "a drag by 200,100 $1"
  sleep 0.5 # whatever the end of the move brings has come
}
normal_layer_drag "in the normal layer"
if [ "$E2E_DRIVER" = wine ]; then e2e_close_request QUARVEL; else kill -TERM "$E2E_CLOCK_PID"; fi
e2e_expect_exit 0 "a close right after the drag"
e2e_settings 500 300 -1 | e2e_expect_bytes "$E2E_DIR/settings.ini" "a close right after the drag"

# --- Top-most, Shift let go before the button: the end of the move hides the clock, which comes
# back at its new place once the pointer has left it. ---
e2e_only x11 "Wine misses Shift going up while the window manager holds the keyboard" || e2e_pass
e2e_settings 300 200 >"$E2E_DIR/settings.ini"
e2e_show_clock
W=$E2E_WINDOW
e2e_focus "$W"
xdotool keydown shift
e2e_move_over 400 300
sleep 0.2
drag_by_200_100 $((400 + E2E_MOVES)) 300 shift-up
e2e_wait_place "$W" "-1000,300 unmapped" 2 "the end of a drag without Shift"
xdotool mousemove "${E2E_AWAY[@]}"
e2e_wait_place "$W" "500,300 mapped" 2 "the pointer gone from the dragged clock"
e2e_close_clock "a close request after the drag"
e2e_settings 500 300 | e2e_expect_bytes "$E2E_DIR/settings.ini" "a close after the hidden drag"

# --- No window manager: the clock moves itself, and the end of its own move is the mouse move. ---
kill "$E2E_WM_PID"
wait "$E2E_WM_PID" 2>/dev/null || true
E2E_WM_PID=""
normal_layer_drag "without a window manager"
kill -TERM "$E2E_CLOCK_PID"
e2e_expect_exit 0 "SIGTERM right after the drag without a window manager"
e2e_settings 500 300 -1 | e2e_expect_bytes "$E2E_DIR/settings.ini" "a drag without a window manager"
e2e_pass
