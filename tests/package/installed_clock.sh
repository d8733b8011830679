#!/usr/bin/env bash
# The clock as the Debian package installed it, run as a user runs it from the menu: the
# installed /usr/bin/quarvel (QUARVEL_INSTALLED to test another), started in a new user's home,
# greets its first run; OK brings up the clock with the installed default skin, which takes
# the focus from a Shift-click (Shift keeps the top-most clock from hiding) and closes with C,
# saving the new user's settings in ~/.config/quarvel. deb_package.sh runs it.
E2E_TEST=installed_clock QUARVEL_E2E_DRIVER=x11
QUARVEL_X11_EXE=${QUARVEL_INSTALLED:-/usr/bin/quarvel}
source "$(dirname "$0")/../e2e/lib.sh"
e2e_begin

home=$E2E_TMP/home
mkdir -p "$home"
e2e_log "starting $QUARVEL_X11_EXE in a new home"
(cd "$home" && exec env -u XDG_CONFIG_HOME HOME="$home" PATH="$E2E_TMP/bin:$PATH" \
  "$QUARVEL_X11_EXE") >>"$E2E_TMP/clock.log" 2>&1 </dev/null &
E2E_CLOCK_PID=$! E2E_EXIT=""

# The greeting (its client area 372 x 202 at 184, 250), closed with a click on OK.
e2e_wait_quarvel 372x202 "first-run greeting"
e2e_screenshot greeting >/dev/null
xdotool mousemove $((184 + 280 + 40)) $((250 + 8 + 12)) click 1
e2e_wait_clock
e2e_expect_geometry "$E2E_WINDOW" 0,0,200,200 "the clock of a first run"
sleep 1.5 # the hands come with the first second
shot=$(e2e_screenshot clock)
blue=$(e2e_count_colour "$shot" "$E2E_BLUE" 0 0 200 200)
[ "$blue" -ge 10000 ] || e2e_fail "the clock shows $blue pixels of the default face's blue"
hour=$(e2e_count_colour "$shot" 255,200,60 0 0 200 200) # tan.sin's colour, 3983615
[ "$hour" -ge 20 ] || e2e_fail "the clock shows $hour pixels of the default hour hand"
cmp -s /usr/share/quarvel/qv.bmp "$home/.config/quarvel/qv.bmp" ||
  e2e_fail "the first start did not copy the installed default skin into ~/.config/quarvel"

# A user's click (Shift held, or the clock slips away from the pointer), then C.
xdotool mousemove "${E2E_AWAY[@]}" keydown shift mousemove 100 100 sleep 0.3 click 1 sleep 0.3 \
  keyup shift mousemove "${E2E_AWAY[@]}" sleep 0.3
if ! e2e_has_focus "$E2E_WINDOW"; then
  e2e_log "NOTE: the clock did not take the focus from a click; closing it with a close request"
  e2e_close_request QUARVEL
else
  xdotool key c
fi
e2e_expect_exit 0 "C (or the close request)"
[ -s "$home/.config/quarvel/settings.ini" ] || e2e_fail "no settings.ini saved in ~/.config/quarvel"
e2e_pass
