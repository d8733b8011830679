#!/usr/bin/env bash
# Root window properties of the wrong type, format or length (desktop, work area, Xft.dpi) count
# as not set: the clock opens on the screen, 200 pixels wide. A killed window manager's
# _NET_SUPPORTED left behind: the clock moves itself when dragged.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "the Linux clock's reading of X properties" || exit 0
e2e_begin
e2e_skin

# Under the case's root properties, a clock saved at 5000,5000 opens at <place> and closes.
opens_at() { # <place "x,y"> <case>
  e2e_settings 5000 5000 -1 >"$E2E_DIR/settings.ini" # not top-most: the pointer may be over it
  e2e_show_clock
  e2e_wait_place "$E2E_WINDOW" "$1 mapped" 2 "$2"
  sleep 1.1 # a second tick
  e2e_clock_running || e2e_fail "$2: the clock ended: $(tail -n 5 "$E2E_TMP/clock.log")"
  e2e_close_clock "a close request ($2)"
}
# Each start takes one bad desktop or work area and, where the clock opens on the whole screen
# anyway, one bad Xft.dpi ("-": the last kept), as a wrong scale would give another size than 200.
xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA 0,0,1024,700,0,0,1024,768
while IFS='|' read -r place format name value dpi; do
  xprop -root -f "$name" "$format" -set "$name" "$value"
  [ "$dpi" = - ] || xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$dpi"$'\n'
  opens_at "$place" "$name $format $value, Xft.dpi '$dpi'" </dev/null
done <<'EOF'
824,500|32c|_NET_CURRENT_DESKTOP|0|-
824,568|32c|_NET_CURRENT_DESKTOP|4294967295|nan
824,568|32c|_NET_CURRENT_DESKTOP|2|-96
824,500|8s|_NET_CURRENT_DESKTOP|1|96
824,568|32c|_NET_WORKAREA|0,0|1e30
824,568|32c|_NET_WORKAREA|4294967295,4294967295,4294967295,4294967295|96 dots
824,568|32c|_NET_WORKAREA|0,0,0,0|
824,568|8s|_NET_WORKAREA|0,0,1024,700|-
EOF

# --- The window manager killed: its properties stay, its check window is gone. ---
kill -KILL "$E2E_WM_PID" && wait "$E2E_WM_PID" 2>/dev/null || true
E2E_WM_PID=""
xprop -root _NET_SUPPORTED | grep -q _NET_WM_MOVERESIZE || e2e_fail "openbox left no _NET_SUPPORTED"
e2e_settings 300 200 -1 >"$E2E_DIR/settings.ini"
e2e_show_clock
xdotool mousemove 400 300 mousedown 1 sleep 0.2
for step in 1 2 3 4 5; do xdotool mousemove $((400 + 20 * step)) $((300 + 10 * step)) sleep 0.05; done
xdotool mouseup 1
e2e_wait_place "$E2E_WINDOW" "400,250 mapped" 2 "a drag by 100,50 with no window manager"
kill -TERM "$E2E_CLOCK_PID"
e2e_expect_exit 0 "SIGTERM after the drag"
e2e_pass
