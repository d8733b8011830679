#!/usr/bin/env bash
# The Linux clock on sway's layer shell with two outputs, the second at an offset and of scale 2:
# it opens where settings.ini says on the second one (the place in the desktop's pixels, the
# margins from that output's corner), drawn at 2x; when that output moves away from under it (a person arranging the screens;
# sway 1.7 can neither unplug nor disable a headless output), the clock comes onto the first,
# whole and at 1x again, and settings.ini then keeps where it is.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
E2E_WL_SWAY_CONF="output HEADLESS-2 resolution 1600x1200 scale 2 position 1280 100
output HEADLESS-2 bg #$(printf '%02x' ${E2E_WL_DESKTOP//,/ }) solid_color"
e2e_begin
e2e_wln_native

# What an output shows that is not the desktop's colour above the pointer's rows: "W H X Y".
output_box() { # <output> <name>
  local shot=$E2E_ART/$2.png box
  e2e_wl_as grim -o "$1" -t png - | convert png:- -alpha off "png:$shot"
  box=$(convert "$shot" -crop 2000x720+0+0 +repage -transparent "rgb($E2E_WL_DESKTOP)" \
    -format '%@' info: 2>/dev/null)
  [[ $box =~ ^([1-9][0-9]*)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1 # 0x0: nothing
  echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]} ${BASH_REMATCH[4]}"
}
shows_disc() { # <output> <name> <x> <y> <size>: a whole face at x, y of that output's pixels
  [ "$(output_box "$1" "$2")" = "$(($5 - 1)) $(($5 - 1)) $3 $4" ]
}

e2e_wl_as swaymsg create_output >/dev/null || e2e_fail "sway made no second output"
e2e_until 10 eval 'e2e_wl_as swaymsg -t get_outputs | jq -e "any(.[]; .name == \"HEADLESS-2\" and .rect.x == 1280 and .rect.y == 100)" >/dev/null' ||
  e2e_fail "no HEADLESS-2 at 1280,100: $(e2e_wl_as swaymsg -t get_outputs | jq -c '[.[] | [.name, .rect]]')"
e2e_pointer "move 20 780" # on the first output, out of the way

# 1430,250 on the desktop: 150,150 on the second output, 300,300 in its pixels, 400 across.
e2e_skin 1430 250 0
e2e_start_clock
e2e_until 15 shows_disc HEADLESS-2 second 300 300 400 ||
  e2e_fail "no 400-pixel face at 300,300 of the second output: $(output_box HEADLESS-2 second)," \
    "exit code ${E2E_EXIT:-none}: $(tail -n 3 "$E2E_TMP/clock.log")"
box=$(output_box HEADLESS-1 first) && e2e_fail "the first output shows something at $box"

# The second output moves away: no output shows the place any more, and the clock comes onto
# the nearest, the first, whole, as near its place as fits.
e2e_wl_as swaymsg output HEADLESS-2 position 2000 100 >/dev/null || e2e_fail "sway kept HEADLESS-2"
e2e_until 10 eval '[ "$(output_box HEADLESS-1 rescued | cut -d" " -f1,2)" = "199 199" ]' || {
  e2e_wait_exit 0 || true
  e2e_fail "no whole face on the first output after the second moved (rescued.png):" \
    "$(output_box HEADLESS-1 rescued), exit code ${E2E_EXIT:-none}: $(tail -n 3 "$E2E_TMP/clock.log")"
}
read -r _ _ x y <<<"$(output_box HEADLESS-1 rescued)"
e2e_log "rescued at $x,$y"
box=$(output_box HEADLESS-2 left) && e2e_fail "the second output still shows something at $box"
kill -TERM "$E2E_CLOCK_PID"
e2e_expect_exit 0 "SIGTERM"
[ "$(head -n 1 "$E2E_DIR/settings.ini" | tr -d '\r')" = "$x,$y" ] ||
  e2e_fail "settings.ini keeps $(head -n 1 "$E2E_DIR/settings.ini"), the clock was at $x,$y"
e2e_pass
