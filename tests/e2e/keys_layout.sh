#!/usr/bin/env bash
# Under a layout without Latin letters (`setxkbmap ru`) the keys where Z, X, A and C lie on a US
# keyboard still work, as under Windows; the focus comes from a real Shift-click, the keys are
# pressed by their key codes.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "the Linux clock's reading of key codes; Wine maps keys with tables of its own" ||
  exit 0
e2e_begin
e2e_require_tools setxkbmap xmodmap

setxkbmap ru
# What each key codes for now: Cyrillic letters, not Latin ones.
declare -A code=([z]=52 [x]=53 [a]=38 [c]=54)
map=$(xmodmap -pke)
for key in z x a c; do
  grep -q "^keycode *${code[$key]} = Cyrillic_" <<<"$map" ||
    e2e_fail "the ru layout puts no Cyrillic letter on key $key:" \
      "$(grep "^keycode *${code[$key]} " <<<"$map")"
done
press() { xdotool key "${code[$1]}"; } # by key code: no Latin letter is sent

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_settings 100 100 >"$E2E_DIR/settings.ini"
e2e_start_clock
e2e_wait_clock
e2e_expect_topmost "$E2E_WINDOW" yes "at the start"
# Shift over it, let go, then the click: openbox focuses on a plain click only (its bindings
# name their modifiers), and a clock reached with Shift stays until the pointer moves again.
xdotool keydown shift mousemove 200 200 sleep 0.2 keyup shift click 1
e2e_until 5 e2e_has_focus "$E2E_WINDOW" || e2e_fail "a click did not give the clock the focus"
xdotool mousemove "${E2E_AWAY[@]}"
e2e_wait_place "$E2E_WINDOW" "100,100 mapped" 3 "the click"
sleep 1.2 # past the first redraw

# How many of five pairs of pictures 150 ms apart differ: at most two for a still face (a
# redraw a second), all but one during a lap (60 frames in 3 s).
changes() {
  local i last shot n=0
  last=$(e2e_screenshot "$1-0")
  for i in 1 2 3 4 5; do
    sleep 0.1
    shot=$(e2e_screenshot "$1-$i")
    [ "$(e2e_count_diff "$last" "$shot" 100 100 200 200)" -eq 0 ] || n=$((n + 1))
    last=$shot
  done
  echo "$n"
}
[ "$(changes still)" -le 2 ] || e2e_fail "the face changes more than once a second before a key"
for key in z x; do
  press "$key"
  n=$(changes "$key-lap")
  [ "$n" -ge 4 ] || e2e_fail "the key at $key's place started no lap: $n of 5 pairs differ"
  sleep 3.5 # the lap ends
done
press a
e2e_expect_topmost "$E2E_WINDOW" no "the key at A's place"
press a
e2e_expect_topmost "$E2E_WINDOW" yes "the key at A's place, again"
press c
e2e_expect_exit 0 "the key at C's place"
e2e_pass
