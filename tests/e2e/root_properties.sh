#!/usr/bin/env bash
# Root window properties of the wrong type, format or length (desktop number, work area, Xft.dpi)
# count as not set: the clock still opens on the screen, 200 pixels wide, and closes saving (the
# sanitizers catch a read beyond a list). A window manager killed leaves _NET_SUPPORTED behind:
# the check window shows none runs, and the clock moves itself when dragged.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "the Linux clock's reading of X properties" || exit 0
e2e_begin
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin

# Under the case's root properties, a clock saved at 5000,5000 opens at <place> and closes.
opens_at() { # <place "x,y"> <case>
  e2e_settings 5000 5000 -1 >"$E2E_DIR/settings.ini" # not top-most: the pointer may be over it
  e2e_start_clock
  e2e_wait_clock
  e2e_wait_place "$E2E_WINDOW" "$1 mapped" 2 "$2"
  sleep 1.1 # a second tick
  e2e_clock_running || e2e_fail "$2: the clock ended: $(tail -n 5 "$E2E_TMP/clock.log")"
  e2e_close_clock "a close request ($2)"
}
root() { xprop -root "$@"; }

# Each start takes one bad desktop or work area and, where the clock opens on the whole screen
# anyway, one bad Xft.dpi (a wrong scale would give another size than 200).
dpi() { root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$1"$'\n'; }
root -f _NET_WORKAREA 32c -set _NET_WORKAREA 0,0,1024,700,0,0,1024,768
root -f _NET_CURRENT_DESKTOP 32c -set _NET_CURRENT_DESKTOP 0
opens_at 824,500 "a sound work area"
root -f _NET_CURRENT_DESKTOP 32c -set _NET_CURRENT_DESKTOP 4294967295
dpi nan
opens_at 824,568 "_NET_CURRENT_DESKTOP 4294967295, Xft.dpi nan"
root -f _NET_CURRENT_DESKTOP 32c -set _NET_CURRENT_DESKTOP 2
dpi -96
opens_at 824,568 "_NET_CURRENT_DESKTOP beyond the work areas, Xft.dpi -96"
root -f _NET_CURRENT_DESKTOP 8s -set _NET_CURRENT_DESKTOP 1
dpi 96
opens_at 824,500 "_NET_CURRENT_DESKTOP a string (desktop 0)"
root -f _NET_WORKAREA 32c -set _NET_WORKAREA 0,0
dpi 1e30
opens_at 824,568 "_NET_WORKAREA cut short, Xft.dpi 1e30"
root -f _NET_WORKAREA 32c -set _NET_WORKAREA 4294967295,4294967295,4294967295,4294967295
dpi '96 dots'
opens_at 824,568 "_NET_WORKAREA beyond any screen, Xft.dpi '96 dots'"
root -f _NET_WORKAREA 32c -set _NET_WORKAREA 0,0,0,0
dpi ''
opens_at 824,568 "_NET_WORKAREA empty, Xft.dpi ''"
root -f _NET_WORKAREA 8s -set _NET_WORKAREA "0,0,1024,700"
opens_at 824,568 "_NET_WORKAREA a string"

# --- The window manager killed: its properties stay, its check window is gone. ---
kill -KILL "$E2E_WM_PID" && wait "$E2E_WM_PID" 2>/dev/null || true
E2E_WM_PID=""
xprop -root _NET_SUPPORTED | grep -q _NET_WM_MOVERESIZE || e2e_fail "openbox left no _NET_SUPPORTED"
e2e_settings 300 200 -1 >"$E2E_DIR/settings.ini"
e2e_start_clock
e2e_wait_clock
xdotool mousemove 400 300 mousedown 1 sleep 0.2
for step in 1 2 3 4 5; do xdotool mousemove $((400 + 20 * step)) $((300 + 10 * step)) sleep 0.05; done
xdotool mouseup 1
e2e_wait_place "$E2E_WINDOW" "400,250 mapped" 2 "a drag by 100,50 with no window manager"
kill -TERM "$E2E_CLOCK_PID"
e2e_expect_exit 0 "SIGTERM after the drag"
e2e_pass
