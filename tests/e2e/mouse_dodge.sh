#!/usr/bin/env bash
# The top-most clock hides from the pointer. A mouse move over it without Shift parks it at once
# at x = -1000 (Wine then unmaps it); once the pointer has left its square it comes back to its
# home within about a second (the per-second pointer check), the top edge unchanged. A move with
# Shift alone leaves it in place, and the per-second check then leaves it alone too; Shift with
# Ctrl parks it like a plain move.
#
# NOTE: under Wine 8 with openbox, a window that comes back from off-screen is mapped at the
# right place on the X side, but GetWindowRect may report (0,0) for it from then on; a small
# test program that only calls SetWindowPos shows the same, so it is Wine's doing. The clock
# takes its home from GetWindowRect at the next mouse move over it, and then parks and comes
# back at the wrong height (seen: parked at (-1000,0) in a second round). Hence each round
# below starts with a fresh clock that has not been parked yet, and no round moves over the
# clock after it came back.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_input.sh"
e2e_begin

home=(300 200)
home_xy=${home[0]},${home[1]}
parked_xy=-1000,${home[1]}
inside=(400 300) # the face's centre
away=(1000 740)
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin

start_fresh_clock() {
  e2e_write_settings "${home[@]}" 0
  e2e_start_clock
  e2e_wait_clock
  e2e_wait_place "$E2E_WINDOW" "$home_xy" mapped 2 "a fresh clock"
  xprop -id "$E2E_WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE ||
    e2e_fail "settings.ini says top-most, but the clock has no _NET_WM_STATE_ABOVE:" \
      "$(xprop -id "$E2E_WINDOW" _NET_WM_STATE)"
  # NOTE: Wine sees Shift go down even in a window without X focus, but sees it come up only in
  # the focused window: without the focus it would keep MK_SHIFT set after `keyup shift`.
  e2e_focus "$E2E_WINDOW"
}

# Shift alone over the clock: it stays where it is, also through a per-second check.
shift_over_clock() {
  xdotool keydown shift
  e2e_move_over "${inside[@]}"
  sleep 0.1
  e2e_move_over $((inside[0] + 20)) $((inside[1] + 20))
  e2e_expect_stays "$E2E_WINDOW" "$home_xy" "$1" "pointer over the clock with Shift held"
}

face_pixels() { # <screenshot> -> pixels of the face's blue inside the home square
  e2e_count_colour "$1" "$E2E_FACE_BLUE" "${home[@]}" "$E2E_FACE" "$E2E_FACE"
}

# --- Round 1: Shift alone keeps it in place; a plain move parks it; it comes back home. ---
start_fresh_clock
shift_over_clock 1.5
shot=$(e2e_screenshot 1-shift-over)
blue=$(face_pixels "$shot")
[ "$blue" -ge 20000 ] || e2e_fail "with Shift held the face should be on screen:" \
  "only $blue blue pixels in the home square (1-shift-over.png)"
e2e_log "Shift held over the clock: stayed at $home_xy for 1.5 s"

xdotool keyup shift
# The per-second check does nothing after a move with Shift, so only this move can park it.
e2e_move_over "${inside[@]}"
e2e_wait_place "$E2E_WINDOW" "$parked_xy" unmapped 0.5 "a move without Shift over the clock"
e2e_log "a plain move parked it in $E2E_WAITED_MS ms"
[ -z "$(e2e_find_clock)" ] || e2e_fail "a parked clock is still among the visible windows"
shot=$(e2e_screenshot 1-parked)
blue=$(face_pixels "$shot")
[ "$blue" -eq 0 ] || e2e_fail "the parked clock still shows $blue blue pixels at home (1-parked.png)"

# While the pointer stands on the home square, the per-second check keeps it parked.
sleep 1.3
[ "$(e2e_place "$E2E_WINDOW")" = "$parked_xy unmapped" ] ||
  e2e_fail "the clock came back while the pointer was still over its home:" \
    "$(e2e_place "$E2E_WINDOW")"

xdotool mousemove "${away[@]}"
e2e_wait_place "$E2E_WINDOW" "$home_xy" mapped 2 "the pointer left the clock's square"
e2e_log "back home $E2E_WAITED_MS ms after the pointer left"
sleep 0.3 # the face repainted
shot=$(e2e_screenshot 1-back-home)
blue=$(face_pixels "$shot")
[ "$blue" -ge 20000 ] || e2e_fail "the clock is back at $home_xy, but the face is not shown there:" \
  "only $blue blue pixels (1-back-home.png)"

# A parked place never becomes home: the saved place is the home one.
e2e_close_with_c "$E2E_WINDOW"
e2e_expect_settings "closed after a dodge" "${home[@]}" 0

# --- Round 2: Shift with Ctrl parks it. ---
start_fresh_clock
shift_over_clock 0.3
xdotool keydown ctrl
e2e_move_over $((inside[0] + 2)) $((inside[1] + 2))
e2e_wait_place "$E2E_WINDOW" "$parked_xy" unmapped 0.5 "a move with Shift+Ctrl over the clock"
e2e_log "a Shift+Ctrl move parked it in $E2E_WAITED_MS ms"
e2e_screenshot 2-shift-ctrl-parked >/dev/null
e2e_release_modifiers
xdotool mousemove "${away[@]}"
e2e_wait_place "$E2E_WINDOW" "$home_xy" mapped 2 "the pointer left the clock's square (Shift+Ctrl)"
e2e_log "back home $E2E_WAITED_MS ms after the pointer left"
e2e_clock_running || e2e_fail "quarvel.exe ended during the dodge"
e2e_pass
