#!/usr/bin/env bash
# The mouse dodge of the Linux clock on sway's layer shell (QUARVEL_BACKEND=wayland), through the
# compositor's own pointer and keyboard. A top-most clock: the pointer onto it hides it, away
# brings it back, each time; left resting on it, its face never shows there while the pointer
# stays, and shows again once the pointer has gone. A clock in the bottom layer stays under the
# pointer; a click and A take it to the top layer, where Shift held (the clock has the keyboard
# from the click) keeps it in place under the pointer, and the pointer without Shift hides it.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin
e2e_wln_native

# The desktop's pixels in the clock's square at 300,200: the round face leaves about 8600 of its
# 40000, sway's arrow hides a few hundred.
desktop_in_square() { # <name>
  e2e_count_colour "$(e2e_screenshot "$1")" "$E2E_WL_DESKTOP" 300 200 200 200
}
face_shown() { [ "$(desktop_in_square "$1")" -le 15000 ]; } # <name>
face_gone() { [ "$(desktop_in_square "$1")" -ge 38000 ]; }  # <name>
onto_clock() { e2e_pointer "move 400 300"; }
stays_shown() { # <while what>
  ! e2e_for 2 face_gone gone || e2e_fail "$1: the clock hid (gone.png)"
}

stop_saves() { # <layer>: SIGTERM ends the clock with its home saved, never the parked place
  kill -TERM "$E2E_CLOCK_PID"
  e2e_expect_exit 0 "SIGTERM"
  e2e_settings 300 200 "$1" | e2e_expect_bytes "$E2E_DIR/settings.ini" "the dodges, then SIGTERM"
}

# --- Top-most from the start. ---
e2e_skin 300 200 0
e2e_wln_wait_face 200
for round in 1 2; do
  onto_clock
  e2e_until 3 face_gone "onto-$round" ||
    e2e_fail "round $round: the pointer on the top-most clock left it shown (onto-$round.png)"
  e2e_pointer_away
  e2e_until 3 face_shown "away-$round" ||
    e2e_fail "round $round: the clock did not come back after the pointer left (away-$round.png)"
done

# Resting on it: the clock comes back unseen each second and hides again as the compositor tells
# it the pointer is there; five seconds of pictures, each taken at once after the one before.
e2e_pointer "move 390 310"
e2e_until 3 face_gone rest || e2e_fail "the pointer on the clock left it shown (rest.png)"
# A return the pointer hides again lasts a frame or two: the square alone, as fast as grim goes,
# looked at afterwards.
end=$((SECONDS + 5)) samples=0
while [ "$SECONDS" -lt "$end" ]; do
  samples=$((samples + 1))
  e2e_wl_as grim -g "300,200 200x200" -t ppm - >"$E2E_ART/rest-$samples.ppm"
done
for sample in $(seq "$samples"); do
  [ "$(e2e_count_colour "$E2E_ART/rest-$sample.ppm" "$E2E_WL_DESKTOP" 0 0 200 200)" -ge 38000 ] ||
    e2e_fail "the pointer rests on the clock, yet its face showed (rest-$sample.ppm)"
done
e2e_log "pointer resting on the clock: $samples pictures of its square in 5 s, none with its face"
rm -f "$E2E_ART"/rest-*.ppm
e2e_pointer_away
e2e_until 3 face_shown back || e2e_fail "the clock did not come back after the pointer rested on it"
stop_saves 0

# --- In the bottom layer, then A, then Shift. ---
e2e_skin 300 200 -1
e2e_wln_wait_face 200
onto_clock
stays_shown "the pointer on the clock in the bottom layer"
# A click gives it the keyboard; A takes it to the top layer.
e2e_pointer "click left"
e2e_pointer_away
e2e_wln_key a
e2e_until 3 face_shown top || e2e_fail "after A the clock is not shown (top.png)"
e2e_wl_hold_shift 4
onto_clock
stays_shown "Shift held, the pointer on the top-most clock"
e2e_pointer_away
e2e_wl_keys_done
onto_clock
e2e_until 3 face_gone shift-up || e2e_fail "Shift let go, the pointer on the clock left it shown (shift-up.png)"
e2e_pointer_away
e2e_until 3 face_shown back-again || e2e_fail "the clock did not come back (back-again.png)"
stop_saves 0
e2e_pass
