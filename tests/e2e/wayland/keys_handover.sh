#!/usr/bin/env bash
# Under a Wayland desktop the clock does what it does on X11, given input through the compositor:
# a click gives it the keys; X spins the second hand; A takes it out of the top-most layer (the
# pointer then leaves it shown) and back; a second start in its folder ends at once; a
# right-click starts the Linux editor, which the clock finds by its title "qvs" and raises
# before it closes; a drag with Shift moves it and C closes it with the place it was dragged to.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin

shown() { e2e_shown '$2 == "200x200"'; }
square() { # <name>: a picture of the clock's square as the compositor shows it
  e2e_wl_as grim -g "$E2E_X,$E2E_Y ${E2E_W}x$E2E_H" -t png - >"$E2E_ART/$1.png"
}
differ() { ! cmp -s "$E2E_ART/$1.png" "$E2E_ART/$2.png"; }

e2e_skin 300 200
e2e_show_clock
e2e_geometry "$E2E_WINDOW"
e2e_log "sway shows the clock at $E2E_X,$E2E_Y"

# --- A click, then X: frames come faster than the seconds. ---
e2e_click_on "$E2E_WINDOW"
e2e_key "$E2E_WINDOW" x
sleep 0.3
frames=0
for shot in 1 2 3 4; do
  square "lap-$shot"
  [ "$shot" -eq 1 ] || ! differ "lap-$shot" "lap-$((shot - 1))" || frames=$((frames + 1))
  sleep 0.1
done
[ "$frames" -ge 2 ] || e2e_fail "X: $frames changes in four pictures 0.1 s apart; a lap changes more"

# --- A: normal layer, the pointer leaves it shown; A again: top-most, the pointer hides it. ---
e2e_key "$E2E_WINDOW" a
e2e_move_over $((E2E_X + 100)) $((E2E_Y + 100))
e2e_expect_stays "$E2E_WINDOW" "$E2E_X,$E2E_Y mapped" 2.5 "A made the clock normal"
e2e_pointer_away
e2e_key "$E2E_WINDOW" a
e2e_move_over $((E2E_X + 100)) $((E2E_Y + 100))
e2e_until 3 e2e_not shown || e2e_fail "A again: the pointer over the top-most clock left it shown"
e2e_pointer_away
e2e_until 3 shown || e2e_fail "the clock did not come back after the pointer left"

# --- One clock per folder: a second start ends with 0 and leaves the first one running. ---
FIRST_PID=$E2E_CLOCK_PID CLOCK=$E2E_WINDOW
e2e_start_clock
e2e_expect_exit 0 "a second start in the same folder"
kill -0 "$FIRST_PID" 2>/dev/null || e2e_fail "the second start ended the first clock"
E2E_CLOCK_PID=$FIRST_PID E2E_EXIT="" E2E_WINDOW=$CLOCK

# --- The right-click hands over to the Linux editor, found and raised by its title. ---
# Shift is held long enough for a busy machine to click before it goes up: once it is up, the
# clock hides from the pointer resting on it and the click lands on the desktop.
cp "$QUARVEL_NATIVE_BUILD/bin/qvedit" "$E2E_DIR/qvedit"
e2e_wl_shift_onto_clock 6
e2e_pointer "click right"
e2e_pointer_away
e2e_wl_keys_done
e2e_until 20 e2e_qvs_shown || e2e_fail "no editor window qvs within 20 s of the right-click:" \
  "$(e2e_wl_windows | tr '\n' ';')"
e2e_expect_exit 0 "qvs showed" 10
e2e_until 5 e2e_has_focus "$QVS" || e2e_fail "the editor is not in front: $(e2e_wl_windows | tr '\n' ';')"
e2e_screenshot editor >/dev/null
e2e_close_request qvs

# --- A drag with Shift held, then C: settings.ini holds the place it was dragged to. ---
e2e_show_clock
e2e_geometry "$E2E_WINDOW"
start=("$E2E_X" "$E2E_Y") from=($((E2E_X + 100)) $((E2E_Y + 100)))
e2e_wl_shift_onto_clock 6
e2e_pointer "press left"
sleep 0.3 # as a hand does: the press, then the move
# sway moves the window with the pointer from the moment it takes the move over, a little after
# the press (a second or more on a busy machine), so the steps before that are not followed. As a
# hand does, the pointer goes on, a step each 50 ms, until the clock follows, and 10 steps more.
moved() { e2e_geometry "$E2E_WINDOW" && [ "$E2E_X" -gt "${start[0]}" ] && [ "$E2E_Y" -gt "${start[1]}" ]; }
step=0 followed=""
while [ "$step" -lt 60 ] && { [ -z "$followed" ] || [ "$step" -lt "$followed" ]; }; do
  step=$((step + 1))
  e2e_pointer "move $((from[0] + 4 * step)) $((from[1] + 2 * step))"
  sleep 0.05
  [ -n "$followed" ] || ! moved || followed=$((step + 10))
done
sleep 0.3
e2e_pointer "release left"
sleep 0.5
e2e_pointer_away
e2e_wl_keys_done
e2e_until 3 moved || e2e_fail "a drag of +$((4 * step)),+$((2 * step)) from ${start[0]},${start[1]} left" \
  "the clock at $(e2e_place "$E2E_WINDOW")"
sleep 0.5
e2e_geometry "$E2E_WINDOW"
to=$E2E_X,$E2E_Y
e2e_log "dragged from ${start[0]},${start[1]} to $to"
e2e_close_with_c "$E2E_WINDOW" "a drag"
e2e_settings "${to%,*}" "${to#*,}" | e2e_expect_bytes "$E2E_DIR/settings.ini" "closed with C after a drag"

e2e_pass
