#!/usr/bin/env bash
# A drag of the Linux clock on sway's layer shell (QUARVEL_BACKEND=wayland) through the
# compositor's own pointer, as a hand does it: a left press on the face, the pointer moved in
# small steps, the release. The clock is seen where the hand took it, each time, in either
# direction, top-most with Shift held too; C then writes that place into settings.ini, byte for
# byte as the X11 clock does.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin
e2e_wln_native

press() { # on the disc's middle (E2E_X E2E_Y E2E_W), where the hand then is (HAND_X HAND_Y)
  HAND_X=$((E2E_X + E2E_W / 2)) HAND_Y=$((E2E_Y + E2E_W / 2))
  e2e_pointer "move $HAND_X $HAND_Y" "press left"
  sleep 0.3 # as a hand does: the press, then the move
}
steps() { # <steps> <dx> <dy>: a step each 50 ms
  local step
  for step in $(seq "$1"); do
    HAND_X=$((HAND_X + $2)) HAND_Y=$((HAND_Y + $3))
    e2e_pointer "move $HAND_X $HAND_Y"
    sleep 0.05
  done
}
release() {
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

# In the bottom layer, where the pointer never hides it; seen halfway with the button held too:
# it follows the hand, neither behind nor ahead of it.
e2e_skin 300 200 -1
e2e_wln_wait_face 200
press
steps 15 4 -2
seen_at 360 170 halfway
steps 15 4 -2
release
seen_at 420 140 right-up
# Back left and down, further than it came: the sign of each way counts.
press
steps 20 -8 5
release
seen_at 260 240 left-down
e2e_pointer_away
# The presses gave the clock the keyboard: A makes it top-most, and a drag with Shift held (the
# pointer onto it without Shift would hide it) leaves it where the hand let go.
e2e_wln_key a
e2e_wl_hold_shift 5
press
steps 10 6 6
release
e2e_pointer_away
e2e_wl_keys_done
seen_at 320 300 top-most
e2e_wln_key c
e2e_expect_exit 0 "three drags, then C"
e2e_settings 320 300 0 | e2e_expect_bytes "$E2E_DIR/settings.ini" "three drags, then C"
e2e_pass
