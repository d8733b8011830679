#!/usr/bin/env bash
# The Wayland bench as a person's desktop: the Linux clock, an X11 client of Xwayland under
# sway, shows its window (in sway's tree) with the default face's blue in the screenshot of what
# sway composed; a click on it through the compositor's own pointer, then the key C through its
# keyboard, closes it, and settings.ini is written anew. In a new session the pointer's buttons
# reach an X client (xev's window), and the clock started again hides (leaves sway's tree) when
# the pointer comes over it without Shift. The bench's end leaves none of its programs running.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin

face_shown() { # the face's blue over most of the window's square
  [ "$(e2e_count_colour "$(e2e_screenshot shown)" "$E2E_BLUE" "$E2E_X" "$E2E_Y" 200 200)" -ge 20000 ]
}

e2e_skin 300 200
saved=$(stat -c %i "$E2E_DIR/settings.ini")
e2e_show_clock
e2e_geometry "$E2E_WINDOW"
e2e_log "sway shows the clock at $E2E_X,$E2E_Y (settings.ini: 300,200)"
e2e_until 5 face_shown || e2e_fail "no face's blue in the clock's square $E2E_X,$E2E_Y (shown.png)"

e2e_click_on "$E2E_WINDOW"
e2e_close_with_c "$E2E_WINDOW" "a click through the compositor's pointer"
[ "$(stat -c %i "$E2E_DIR/settings.ini")" != "$saved" ] || e2e_fail "settings.ini was not saved"
e2e_log "settings.ini saved: $(head -n 1 "$E2E_DIR/settings.ini" | tr -d '\r')"
head -n 1 "$E2E_DIR/settings.ini" | grep -qE $'^-?[0-9]+,-?[0-9]+\r$' ||
  e2e_fail "settings.ini holds no place: $(od -An -c "$E2E_DIR/settings.ini" | head -n 2)"

# A new session, settings.ini as before: Xwayland keeps the last place it saw the pointer, and a
# new one has it in the screen's middle; in the clock's square either way, where a clock
# started again would hide at once and stay hidden.
e2e_stop_display
e2e_start_display
(exec "${E2E_WL_AS[@]}" xev -event button) >"$E2E_TMP/xev.log" 2>&1 </dev/null &
xev=$!
e2e_until 10 eval 'e2e_wl_windows | grep -q " Event Tester\$"' || e2e_fail "no xev window"
# The window may be in sway's tree a moment before it takes buttons: a person clicks again.
e2e_pointer "move 1000 600"
right_click_seen() { e2e_pointer "click right" && e2e_for 1 grep -q 'button 3,' "$E2E_TMP/xev.log"; }
e2e_until 2 right_click_seen || e2e_fail "a right-click did not reach xev (xev.log)"
kill "$xev" && wait "$xev" || true
e2e_pointer_away
e2e_skin 300 200
e2e_show_clock
e2e_geometry "$E2E_WINDOW"
e2e_move_over $((E2E_X + 100)) $((E2E_Y + 100))
e2e_until 2 e2e_not e2e_shown '$2 == "200x200"' ||
  e2e_fail "the pointer over the top-most clock did not hide it: $(e2e_wl_windows)"
e2e_log "the pointer over it: the clock at $(e2e_place "$E2E_WINDOW")"
e2e_stop_clock

bench=("sway:$E2E_SWAY_PID" "Xwayland:$E2E_XWAYLAND_PID" "virtual_pointer:$E2E_POINTER_PID")
e2e_stop_display
for program in "${bench[@]}"; do
  pid=${program#*:}
  [ -n "$pid" ] && e2e_not kill -0 "$pid" 2>/dev/null ||
    e2e_fail "${program%%:*} (${pid:-no pid}) outlived the bench"
done
e2e_pass
