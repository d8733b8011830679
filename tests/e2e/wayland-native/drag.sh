#!/usr/bin/env bash
# A drag of the Linux clock on sway's layer shell (QUARVEL_BACKEND=wayland) through the
# compositor's own pointer, as a hand does it: a left press on the face, the pointer moved in
# small steps, the release. The clock is seen where the hand took it, each time, in either
# direction; C then writes that place into settings.ini, byte for byte as the X11 clock does.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin
e2e_wln_native

drag() { # <steps> <dx> <dy>: from the disc's middle, a step each 50 ms, then the release
  local x=$((E2E_X + E2E_W / 2)) y=$((E2E_Y + E2E_W / 2)) step
  e2e_pointer "move $x $y" "press left"
  sleep 0.3 # as a hand does: the press, then the move
  for step in $(seq "$1"); do
    e2e_pointer "move $((x + step * $2)) $((y + step * $3))"
    sleep 0.05
  done
  sleep 0.2
  e2e_pointer "release left"
}
disc_near() { # <left> <top> <name>: the disc within two pixels of that place
  e2e_wln_face_box "$3" && [ "$E2E_W,$E2E_H" = 199,199 ] &&
    ((E2E_X - $1 <= 2 && $1 - E2E_X <= 2 && E2E_Y - $2 <= 2 && $2 - E2E_Y <= 2))
}
seen_at() { # <left> <top> <name>
  e2e_until 3 disc_near "$@" ||
    e2e_fail "the clock dragged to $1,$2 shows at $E2E_X,$E2E_Y (${E2E_W}x$E2E_H, $3.png)"
}

# In the bottom layer, where the pointer never hides it.
e2e_skin 300 200 -1
e2e_wln_wait_face 200
drag 30 4 -2
seen_at 420 140 right-up
# Back left and down, further than it came: the sign of each way counts.
drag 20 -8 5
seen_at 260 240 left-down
e2e_pointer_away
# The press gave the clock the keyboard.
e2e_wln_key c
e2e_expect_exit 0 "two drags, then C"
e2e_settings 260 240 -1 | e2e_expect_bytes "$E2E_DIR/settings.ini" "two drags, then C"
e2e_pass
