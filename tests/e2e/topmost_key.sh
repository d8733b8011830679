#!/usr/bin/env bash
# Key A toggles the top-most layer and with it the hiding from the pointer: after one A the
# window loses _NET_WM_STATE_ABOVE and a move over it leaves it in place; after another A it is
# above again and a move over it parks it. C then writes the layer on the second line of
# settings.ini: " 0 " for top-most, "-1 " for the normal layer.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_input.sh"
e2e_begin

home=(300 200)
home_xy=${home[0]},${home[1]}
inside=(400 300)
away=(1000 740)

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_write_settings "${home[@]}" 0
e2e_start_clock
e2e_wait_clock
W=$E2E_WINDOW
e2e_wait_place "$W" "$home_xy" mapped 2 "the clock at its saved place"

above() { xprop -id "$W" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }

# Waits up to 2 s for the ABOVE state to be <yes|no>.
expect_above() { # <yes|no> <what this means>
  local i now
  for ((i = 0; i < 40; i++)); do
    if above; then now=yes; else now=no; fi
    [ "$now" = "$1" ] && { e2e_log "$2: ABOVE $1"; return 0; }
    sleep 0.05
  done
  e2e_fail "$2: _NET_WM_STATE_ABOVE should be $1, the state is:" \
    "$(xprop -id "$W" _NET_WM_STATE)"
}

expect_above yes "started top-most"

# --- A: normal layer, no hiding. ---
e2e_press "$W" a
expect_above no "after one A"
e2e_move_over "${inside[@]}"
sleep 0.1
e2e_move_over $((inside[0] + 20)) $((inside[1] + 20))
# Long enough for the per-second pointer check to run too.
e2e_expect_stays "$W" "$home_xy" 1.3 "after one A, the pointer over the clock without Shift"
e2e_screenshot normal-layer-pointer-over >/dev/null
xdotool mousemove "${away[@]}"

# --- A again: top-most, hiding again. ---
e2e_press "$W" a
expect_above yes "after a second A"
e2e_expect_stays "$W" "$home_xy" 1.2 "top-most again, the pointer away from the clock"
e2e_move_over "${inside[@]}"
e2e_wait_place "$W" "-1000,${home[1]}" unmapped 0.5 "top-most again, a move over the clock"
e2e_log "a move parked it in $E2E_WAITED_MS ms"
xdotool mousemove "${away[@]}"
e2e_wait_place "$W" "$home_xy" mapped 2 "the pointer left the clock's square"
e2e_log "back home $E2E_WAITED_MS ms after the pointer left"

# The file written after two A's keeps the top-most layer. Another file put in its place while
# the clock runs shows that the clock writes it anew.
e2e_write_settings "${home[@]}" 0 other.bmp 3
e2e_close_with_c "$W"
e2e_expect_settings "closed after A, A" "${home[@]}" 0

# --- A once, then C: the normal layer is saved. ---
e2e_write_settings "${home[@]}" 0
e2e_start_clock
e2e_wait_clock
W=$E2E_WINDOW
expect_above yes "restarted top-most"
e2e_press "$W" a
expect_above no "after one A"
e2e_close_with_c "$W"
e2e_expect_settings "closed after one A" "${home[@]}" -1

# --- Started in the normal layer: no ABOVE, no hiding; A makes it top-most. ---
e2e_start_clock
e2e_wait_clock
W=$E2E_WINDOW
expect_above no "started with -1 on line 2"
e2e_move_over "${inside[@]}"
sleep 0.1
e2e_move_over $((inside[0] + 20)) $((inside[1] + 20))
e2e_expect_stays "$W" "$home_xy" 1.2 "started in the normal layer, the pointer over the clock"
xdotool mousemove "${away[@]}"
e2e_press "$W" a
expect_above yes "started in the normal layer, after one A"
e2e_close_with_c "$W"
e2e_expect_settings "started in the normal layer, closed after one A" "${home[@]}" 0
e2e_pass
