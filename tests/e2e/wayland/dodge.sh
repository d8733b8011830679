#!/usr/bin/env bash
# The mouse dodge through the compositor's own pointer: a top-most clock is not hidden by the
# pointer Xwayland last saw (a new one has it in the screen's middle, in the clock's square);
# the pointer moved onto it parks it, moved away brings it back, each time; left resting on it,
# the clock never shows there again while the pointer stays (it comes back each second, unseen,
# and hides again).
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin

shown() { e2e_shown '$2 == "200x200"'; }
# The clock's square as the compositor shows it holds more than the desktop and the pointer's
# arrow (which sway draws into the picture): a tenth of it or more is something else.
face_seen() { # <picture of the square>
  local area=$((E2E_W * E2E_H))
  [ "$(e2e_count_colour "$1" "$E2E_WL_DESKTOP" 0 0 "$E2E_W" "$E2E_H")" -lt $((area - area / 10)) ]
}
square() { # <name>: the square as the compositor shows it now, taken as fast as grim goes
  e2e_wl_as grim -g "$E2E_X,$E2E_Y ${E2E_W}x$E2E_H" -t ppm - >"$E2E_ART/$1.ppm"
}

e2e_skin 300 200
e2e_show_clock
e2e_geometry "$E2E_WINDOW"
home="$E2E_X,$E2E_Y"
e2e_log "sway shows the clock at $home"
e2e_expect_stays "$E2E_WINDOW" "$home mapped" 2.5 "a new session's pointer in its square"
for round in 1 2; do
  e2e_move_over $((E2E_X + 100)) $((E2E_Y + 100))
  e2e_until 3 e2e_not shown || e2e_fail "round $round: the pointer over the clock left it shown"
  e2e_pointer_away
  e2e_until 3 shown || e2e_fail "round $round: the clock did not come back after the pointer left"
  e2e_wait_place "$E2E_WINDOW" "$home mapped" 2 "round $round: back home"
done

e2e_move_over $((E2E_X + 90)) $((E2E_Y + 110))
e2e_until 3 e2e_not shown || e2e_fail "the pointer over the clock left it shown"
# Five seconds of pictures, looked at afterwards: a return the pointer's move hid again lasts
# a few frames, so each picture is taken at once after the one before.
samples=0
end=$((SECONDS + 5))
while [ "$SECONDS" -lt "$end" ]; do
  samples=$((samples + 1))
  square "rest-$samples"
done
for sample in $(seq "$samples"); do
  ! face_seen "$E2E_ART/rest-$sample.ppm" ||
    e2e_fail "the pointer rests on the clock, yet its face showed ($E2E_ART/rest-$sample.ppm)"
done
e2e_log "pointer resting on the clock: $samples pictures of its square in 5 s, none with its face"
rm -f "$E2E_ART"/rest-*.ppm
e2e_pointer_away
e2e_until 3 shown || e2e_fail "the clock did not come back after the pointer rested on it"
e2e_until 3 eval 'square back && face_seen "$E2E_ART/back.ppm"' ||
  e2e_fail "the clock came back see-through and stayed so"
e2e_stop_clock
e2e_pass
