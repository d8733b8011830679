#!/usr/bin/env bash
# The keys of the Linux clock on sway's layer shell (QUARVEL_BACKEND=wayland), through the
# compositor's own pointer and keyboard: a click gives it the keyboard; A takes it from the
# bottom layer to the top one, above a window that comes later, where the corners of its square
# stay the window's; C closes it and settings.ini is written anew, byte for byte as the X11
# clock writes it; SIGTERM saves the same way.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin
e2e_wln_native

click_centre() { # of the disc found last (E2E_X E2E_Y E2E_W)
  e2e_pointer "move $((E2E_X + E2E_W / 2)) $((E2E_Y + E2E_W / 2))" "click left"
  e2e_pointer_away
}
expect_saved_anew() { # <inode before> <left> <top> <layer> <after what>
  [ "$(stat -c %i "$E2E_DIR/settings.ini")" != "$1" ] || e2e_fail "$5: settings.ini was not saved"
  e2e_settings "$2" "$3" "$4" | e2e_expect_bytes "$E2E_DIR/settings.ini" "$5"
}

# A click, then C.
e2e_skin 300 200 -1
saved=$(stat -c %i "$E2E_DIR/settings.ini")
e2e_wln_wait_face 200
[ "$E2E_X,$E2E_Y" = 300,200 ] || e2e_fail "the clock opened at $E2E_X,$E2E_Y, not 300,200"
click_centre
e2e_wln_key c
e2e_expect_exit 0 "a click, then C"
expect_saved_anew "$saved" 300 200 -1 "a click, then C"

# A click, then A: the top layer; a window that comes then (sway tiles it over the whole
# output) shows the clock above it, in the top layer now; C saves it top-most.
saved=$(stat -c %i "$E2E_DIR/settings.ini")
e2e_wln_wait_face 200
click_centre
e2e_wln_key a
(exec "${E2E_WL_AS[@]}" xev -event button) >"$E2E_TMP/xev.log" 2>&1 </dev/null &
xev=$!
e2e_until 10 eval 'e2e_wl_windows | grep -q " Event Tester\$"' || e2e_fail "no xev window"
# shellcheck disable=SC2317  # called by e2e_until
face_above_window() { # the face's blue over most of the clock's square, the window around it
  local shot
  shot=$(e2e_screenshot above-window)
  [ "$(e2e_count_colour "$shot" "$E2E_BLUE" 300 200 200 200)" -ge 20000 ] &&
    [ "$(e2e_pixel "$shot" 600 500)" != "$E2E_WL_DESKTOP" ]
}
e2e_until 5 face_above_window || e2e_fail "after A the clock is not above the window (above-window.png)"
# The corner of its square, outside the round face, is the window's: the pointer there neither
# reaches nor hides the top-most clock, and a click there goes to the window below.
e2e_pointer "move 302 202"
! e2e_for 2 e2e_not face_above_window ||
  e2e_fail "the pointer in the square's corner, outside the face, hid the clock (above-window.png)"
e2e_pointer "click left"
e2e_until 2 grep -q 'button 1,' "$E2E_TMP/xev.log" ||
  e2e_fail "a click in the square's corner did not reach the window below (xev.log)"
e2e_pointer_away
e2e_close_request "Event Tester"
wait "$xev" || true
kill -TERM "$E2E_CLOCK_PID"
e2e_expect_exit 0 "SIGTERM"
expect_saved_anew "$saved" 300 200 0 "A, then SIGTERM"
e2e_pass
