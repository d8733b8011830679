#!/usr/bin/env bash
# The right-click on the native Wayland clock hands over to the editor as on X11: qvedit starts,
# the clock closes and writes settings.ini, and the editor's window "qvs" (Qt on Wayland) comes
# to the front with the keyboard through the activation token the clock asked for with the
# click, away from the window that had it. This sway gives a new window the keyboard only when a
# token activates it, as desktops that keep a new window from taking the keyboard do.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
E2E_WL_SWAY_CONF=$'focus_on_window_activation focus\nno_focus [app_id="^qvedit$"]'
e2e_begin
e2e_wln_native
E2E_CLOCK_ENV+=(XDG_SESSION_TYPE=wayland) # as sway's session has it: Qt opens on Wayland

native_windows() { # "app_id focused title" per native window in sway's tree
  e2e_wl_as swaymsg -t get_tree |
    jq -r '.. | objects | select(.shell? == "xdg_shell") | "\(.app_id) \(.focused) \(.name)"'
}
qvs_up() { native_windows | grep -q ' qvs$'; }
qvs_focused() { native_windows | grep -q ' true qvs$'; }

cp "$QUARVEL_NATIVE_BUILD/bin/qvedit" "$E2E_DIR/qvedit"
e2e_skin 300 200 0
saved=$(stat -c %i "$E2E_DIR/settings.ini")
e2e_wln_wait_face 200
# A window a person worked in last has the keyboard; without the token it would keep it.
(exec "${E2E_WL_AS[@]}" xev -event keyboard) >"$E2E_TMP/xev.log" 2>&1 </dev/null &
xev=$!
e2e_until 10 eval 'e2e_wl_windows | grep -q " Event Tester\$"' || e2e_fail "no xev window"
e2e_wl_hold_shift 3 # the top-most clock hides from a pointer without Shift
e2e_pointer "move $((E2E_X + E2E_W / 2)) $((E2E_Y + E2E_W / 2))" "click right"
e2e_pointer_away
e2e_wl_keys_done
e2e_until 20 qvs_up || e2e_fail "no editor window qvs within 20 s of the right-click:" \
  "$(native_windows | tr '\n' ';')"
e2e_expect_exit 0 "the hand-over" 10
[ "$(stat -c %i "$E2E_DIR/settings.ini")" != "$saved" ] || e2e_fail "settings.ini was not saved"
e2e_settings 300 200 0 | e2e_expect_bytes "$E2E_DIR/settings.ini" "the hand-over"
e2e_until 5 qvs_focused || e2e_fail "the editor does not have the keyboard:" \
  "$(native_windows | tr '\n' ';')"
e2e_screenshot editor >/dev/null
e2e_wl_as swaymsg '[title="^qvs$"] kill' >/dev/null
e2e_close_request "Event Tester"
wait "$xev" || true
e2e_pass
