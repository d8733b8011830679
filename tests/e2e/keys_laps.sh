#!/usr/bin/env bash
# Z and X run the minute and second hand once round (held X restarts the lap), then the face
# follows the seconds again; A toggles top-most. Keys go by their codes (X11: `setxkbmap ru`);
# a window manager's WM_TAKE_FOCUS gives the clock the keys too.
source "$(dirname "$0")/lib.sh"
e2e_begin

declare -A code=([z]=52 [x]=53 [a]=38 [c]=54)
press() { # <key>: at that key's place on a US keyboard
  e2e_focus "$E2E_WINDOW"
  xdotool key --clearmodifiers "${code[$1]}"
}
latin_letterless_layout() {
  e2e_require_tools setxkbmap xmodmap
  setxkbmap ru
  local map key
  map=$(xmodmap -pke)
  for key in x a c; do
    grep -q "^keycode *${code[$key]} = Cyrillic_" <<<"$map" || e2e_fail "the ru layout puts" \
      "no Cyrillic letter on key $key: $(grep "^keycode *${code[$key]} " <<<"$map")"
  done
}

e2e_skin 0 0
e2e_show_clock
sleep 1.2 # past the first redraw
mkdir "$E2E_ART/frames"

# Seven pictures of the clock's square about 150 ms apart, about 1 s in all.
shots() { # <name>
  local i
  for i in 1 2 3 4 5 6 7; do
    xwd -root -silent | convert xwd:- -crop 200x200+0+0 "$E2E_ART/frames/$1-$i.png"
    sleep 0.05
  done
}

# CHANGES: how many successive pairs of a series differ. A still face changes at most twice in
# a series, a lapping one at every pair; allow one pair to straddle a stall.
changes() { # <name>
  local i
  CHANGES=0
  for i in 2 3 4 5 6 7; do
    [ "$(e2e_count_diff "$E2E_ART/frames/$1-$((i - 1)).png" "$E2E_ART/frames/$1-$i.png" \
      0 0 200 200)" -eq 0 ] || CHANGES=$((CHANGES + 1))
  done
  e2e_log "$1: $CHANGES of 6 pairs differ"
}

shots still
changes still
[ "$CHANGES" -le 2 ] || e2e_fail "before any key the face changed $CHANGES times in a second"

for key in z x; do
  [ "$key/$E2E_DRIVER" != x/x11 ] || latin_letterless_layout
  press "$key"
  # Under Wine a lap takes a little more than 3 s, never less.
  shots "$key-lap-1"
  shots "$key-lap-2"
  for n in 1 2; do
    changes "$key-lap-$n"
    [ "$CHANGES" -ge 5 ] || e2e_fail "$key: only $CHANGES of 6 pairs differ during the lap" \
      "(frames/$key-lap-$n-*)"
  done
  for n in 1 2 3 4 5 6 7 8; do
    shots "$key-after-$n"
    changes "$key-after-$n"
    [ "$CHANGES" -gt 2 ] || break
  done
  [ "$CHANGES" -le 2 ] || e2e_fail "$key: the face does not settle after the lap"
  sleep 1.2
  e2e_screenshot "$key-settled" >/dev/null
  [ "$(e2e_count_diff "$E2E_ART/frames/$key-after-$n-7.png" "$E2E_ART/$key-settled.png" \
    0 0 200 200)" -gt 0 ] || e2e_fail "$key: after the lap the face stands still for good"
done
e2e_focus "$E2E_WINDOW"
xdotool key --repeat 80 --delay 33 "${code[x]}" &
shots x-held-1
shots x-held-2
wait $!
[ "$(e2e_count_diff "$E2E_ART/frames/x-held-1-1.png" "$E2E_ART/frames/x-held-2-7.png" \
  0 0 200 200)" -gt 0 ] || e2e_fail "X held: the face stood still for 2 s (frames/x-held-*)"
e2e_clock_running || e2e_fail "quarvel.exe ended during the laps"
e2e_expect_topmost "$E2E_WINDOW" yes "at the start"
press a
e2e_expect_topmost "$E2E_WINDOW" no "the key at A's place"
press a
e2e_expect_topmost "$E2E_WINDOW" yes "the key at A's place, again"

# --- A window manager that hands the focus over by message (WM_TAKE_FOCUS) gives it to the
# clock: from another window that has it now, and then the keys work again. ---
xmessage -title another -geometry +500+400 "another window" >/dev/null 2>&1 </dev/null &
other_pid=$!
e2e_until 5 e2e_window_named another || e2e_fail "no other window to take the focus"
OTHER=$E2E_NAMED
e2e_focus "$OTHER"
python3 "$(dirname "$0")/take_focus.py" "$E2E_WINDOW" # WM_TAKE_FOCUS, with CurrentTime
e2e_until 2 e2e_has_focus "$E2E_WINDOW" ||
  e2e_fail "WM_TAKE_FOCUS left the focus on $(xdotool getwindowfocus -f 2>&1)"
kill "$other_pid"
press c
e2e_expect_exit 0 "the key at C's place, after WM_TAKE_FOCUS"
e2e_pass
