#!/usr/bin/env bash
# The options' window on X11, as the window manager holds it: options.ini with layer=below,
# opacity and all_workspaces=on opens the clock below the windows (_NET_WM_STATE_BELOW), with
# _NET_WM_WINDOW_OPACITY and on every desktop (_NET_WM_DESKTOP 0xFFFFFFFF); A takes it to the top
# and back below. Without options.ini none of them is there.
source "$(dirname "$0")/lib.sh"
e2e_begin

state_has() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q "$2"; } # <window> <atom>
property_is() { # <window> <property> <value>: e.g. = 4294967295, or "not found"
  xprop -id "$1" "$2" 2>/dev/null | grep -q -- "$3"
}
expect_state() { # <window> <ABOVE|BELOW|STICKY> yes|no <what>
  local check=(state_has "$1" "_NET_WM_STATE_$2\\b")
  [ "$3" = yes ] || check=(e2e_not "${check[@]}")
  e2e_until 2 "${check[@]}" ||
    e2e_fail "$4: $2 should be $3, $(xprop -id "$1" _NET_WM_STATE 2>&1)"
}
expect_property() { # <window> <property> <expected text> <what>
  e2e_until 2 property_is "$1" "$2" "$3" ||
    e2e_fail "$4: $2 should show '$3', $(xprop -id "$1" "$2" 2>&1)"
}
options() { printf '# QUARVEL options\r\n%s\r\n' "$@" >"$E2E_DIR/options.ini"; }

# --- Without options.ini: top-most as settings.ini says, nothing else. ---
e2e_skin 300 200 0
e2e_show_clock
W=$E2E_WINDOW
expect_state "$W" ABOVE yes "no options.ini"
expect_state "$W" BELOW no "no options.ini"
expect_state "$W" STICKY no "no options.ini"
expect_property "$W" _NET_WM_WINDOW_OPACITY "not found" "no options.ini"
e2e_not property_is "$W" _NET_WM_DESKTOP "= 4294967295" ||
  e2e_fail "no options.ini: the clock is on every desktop"
e2e_close_with_c "$W" "the defaults"

# --- Below, 60 %, every desktop; A switches to the top and back below. ---
options layer=below opacity=60 all_workspaces=on
e2e_show_clock
W=$E2E_WINDOW
expect_state "$W" BELOW yes "layer=below"
expect_state "$W" ABOVE no "layer=below"
expect_property "$W" _NET_WM_WINDOW_OPACITY "= 2576980377" "opacity=60" # 0x99999999
expect_property "$W" _NET_WM_DESKTOP "= 4294967295" "all_workspaces=on"
e2e_key "$W" a
expect_state "$W" ABOVE yes "after A"
expect_state "$W" BELOW no "after A"
e2e_key "$W" a
expect_state "$W" BELOW yes "after a second A"
expect_state "$W" ABOVE no "after a second A"
expect_property "$W" _NET_WM_DESKTOP "= 4294967295" "after two A's"
e2e_close_with_c "$W" "below, after two A's"

# --- Opened in the normal layer, so first mapped with the options already set. ---
e2e_skin 300 200 -1
options layer=normal opacity=20 all_workspaces=on
e2e_show_clock
W=$E2E_WINDOW
expect_state "$W" ABOVE no "layer=normal"
expect_state "$W" BELOW no "layer=normal"
expect_property "$W" _NET_WM_WINDOW_OPACITY "= 858993459" "opacity=20" # 0x33333333
expect_property "$W" _NET_WM_DESKTOP "= 4294967295" "all_workspaces=on, mapped after"
e2e_close_with_c "$W" "the normal layer"
e2e_pass
