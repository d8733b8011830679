#!/usr/bin/env bash
# Dragging the clock with the left button (Shift held, so the top-most clock doesn't hide) moves
# it; the next mouse move over it records the new place, and C closes the clock (exit code 0)
# and writes that place on the first line of settings.ini, the rest of the file as before.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_input.sh"
e2e_begin

from=(300 200)
by=(200 100)
to=($((from[0] + by[0])) $((from[1] + by[1])))
grab=($((from[0] + 100)) $((from[1] + 100))) # the face's centre

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_write_settings "${from[@]}" 0
e2e_start_clock
e2e_wait_clock
W=$E2E_WINDOW
e2e_wait_place "$W" "${from[0]},${from[1]}" mapped 2 "the clock at its saved place"
# Focus first: Wine sees Shift come up again only in the focused window.
e2e_focus "$W"
e2e_screenshot before-drag >/dev/null

xdotool keydown shift
xdotool mousemove "${grab[@]}"
sleep 0.2
xdotool mousedown 1
sleep 0.2
for step in 1 2 3 4 5; do
  xdotool mousemove $((grab[0] + by[0] * step / 5)) $((grab[1] + by[1] * step / 5))
  sleep 0.05
done
xdotool mouseup 1
e2e_wait_place "$W" "${to[0]},${to[1]}" mapped 2 "after a drag by ${by[0]},${by[1]}"
e2e_log "dragged from ${from[0]},${from[1]} to ${to[0]},${to[1]}"

# The move that records the new place; Shift still held, so the clock stays.
e2e_move_over $((grab[0] + by[0] + 10)) $((grab[1] + by[1] + 10))
e2e_expect_stays "$W" "${to[0]},${to[1]}" 0.3 "a move with Shift over the dragged clock"
shot=$(e2e_screenshot after-drag)
blue=$(e2e_count_colour "$shot" "$E2E_FACE_BLUE" "${to[@]}" "$E2E_FACE" "$E2E_FACE")
[ "$blue" -ge 20000 ] ||
  e2e_fail "the face is not shown at its new place: $blue blue pixels there (after-drag.png)"
left=$(e2e_count_colour "$shot" "$E2E_FACE_BLUE" "${from[0]}" "${from[1]}" "${by[0]}" "$E2E_FACE")
[ "$left" -eq 0 ] || e2e_fail "$left blue pixels left behind at the old place (after-drag.png)"

e2e_close_with_c "$W"
e2e_release_modifiers
e2e_expect_settings "closed after the drag" "${to[@]}" 0
e2e_pass
