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

# A series of pictures of the clock's square, each with the times its capture began and
# ended; only the screen is read while the series runs (cropped after it), and every check
# below judges by those times, so a busy machine's slow captures change no verdict.
declare -A BEGIN END
shots() { # <name> [count=7]
  local i
  for ((i = 1; i <= ${2:-7}; i++)); do
    BEGIN[$1-$i]=$(e2e_now)
    xwd -root -silent >"$E2E_TMP/$1-$i.xwd"
    END[$1-$i]=$(e2e_now)
    sleep 0.1
  done
  for ((i = 1; i <= ${2:-7}; i++)); do
    convert "xwd:$E2E_TMP/$1-$i.xwd" -crop 200x200+0+0 +repage "$E2E_ART/frames/$1-$i.png"
    rm "$E2E_TMP/$1-$i.xwd"
  done
}
differs() { # <name> <i>: picture i differs from picture i-1
  [ "$(e2e_count_diff "$E2E_ART/frames/$1-$(($2 - 1)).png" "$E2E_ART/frames/$1-$2.png" \
    0 0 200 200)" -ne 0 ]
}
# CHANGES: the pairs of a series that differ; SECONDS_IN: the changes of second a still face
# may show in it, counted from half a second before its first capture (a redraw comes a moment
# after the change) to its last.
changes() { # <name> [count=7]
  local i
  CHANGES=0
  for ((i = 2; i <= ${2:-7}; i++)); do ! differs "$1" "$i" || CHANGES=$((CHANGES + 1)); done
  SECONDS_IN=$((END[$1-${2:-7}] / 1000000 - (BEGIN[$1-1] - 500000) / 1000000))
  e2e_log "$1: $CHANGES of $((${2:-7} - 1)) pairs differ; $SECONDS_IN changes of second in" \
    "$(((END[$1-${2:-7}] - BEGIN[$1-1]) / 1000)) ms"
}
# A still face shows each change of second, and at most one picture caught while it is drawn.
still() { [ "$CHANGES" -le $((SECONDS_IN + 1)) ]; }

shots still
changes still
still || e2e_fail "before any key the face changed $CHANGES times in $SECONDS_IN changes of second"

# A lap runs 60 frames 50 ms apart, so for at least 3 s after its key every pair of pictures
# differs; allow one pair to straddle a stall.
lap_judged() { # <name> <count> <key's time>: LAPPING of JUDGED pairs within those 3 s differ
  local i
  LAPPING=0 JUDGED=0
  for ((i = 2; i <= $2; i++)); do
    [ "${END[$1-$i]}" -le $(($3 + 3000000)) ] || break
    JUDGED=$((JUDGED + 1))
    ! differs "$1" "$i" || LAPPING=$((LAPPING + 1))
  done
  e2e_log "$1: $LAPPING of the $JUDGED pairs taken within 3 s of the key differ"
}
# Some picture of the first 4 s after the key shows the hands off the time: a lap took them
# away, whatever the pace of the pictures.
off_time() { # <name> <count>
  local i
  for ((i = 1; i <= $2; i++)); do
    [ "${END[$1-$i]}" -le $((pressed + 4000000)) ] || return 1
    E2E_FIRST=$((BEGIN[$1-$i] / 1000000 - 1)) E2E_LAST=$((END[$1-$i] / 1000000))
    e2e_shows_preview "$E2E_ART/frames/$1-$i.png" 0 0 200 "$1-$i" || return 0
  done
  return 1
}
for key in z x; do
  [ "$key/$E2E_DRIVER" != x/x11 ] || latin_letterless_layout
  press "$key"
  pressed=$(e2e_now)
  shots "$key-lap" 14
  off_time "$key-lap" 14 || e2e_fail "$key: every picture of the 4 s after the key shows the" \
    "time: no lap (frames/$key-lap-*)"
  lap_judged "$key-lap" 14 "$pressed"
  if [ "$JUDGED" -ge 3 ]; then
    [ "$LAPPING" -ge $((JUDGED - 1)) ] ||
      e2e_fail "$key: only $LAPPING of $JUDGED pairs differ during the lap (frames/$key-lap-*)"
  else
    e2e_log "$key: the machine took too long a picture to see each frame of the lap"
  fi
  for n in 1 2 3 4 5 6 7 8; do
    shots "$key-after-$n"
    changes "$key-after-$n"
    ! still || break
  done
  still || e2e_fail "$key: the face does not settle after the lap"
  sleep 1.2
  e2e_screenshot "$key-settled" >/dev/null
  [ "$(e2e_count_diff "$E2E_ART/frames/$key-after-$n-7.png" "$E2E_ART/$key-settled.png" \
    0 0 200 200)" -gt 0 ] || e2e_fail "$key: after the lap the face stands still for good"
done
# Held, X restarts the lap at each repeat: the second hand stays a step or two ahead of the
# seconds and follows them. Only pictures taken while the key is still held are judged: a slow
# capture may outlast the hold, and then the free lap can pass the very place of the first.
e2e_focus "$E2E_WINDOW"
xdotool key --repeat 80 --delay 33 "${code[x]}" &
held=$!
taken=0
while kill -0 "$held" 2>/dev/null && [ "$taken" -lt 40 ]; do
  taken=$((taken + 1))
  shots "x-held-$taken" 1
done
wait "$held"
released=$(e2e_now)
last=0
for ((i = 2; i <= taken; i++)); do
  [ "${END[x-held-$i-1]}" -le "$released" ] || break
  [ $((BEGIN[x-held-$i-1] - END[x-held-1-1])) -lt 1200000 ] || last=$i
done
if [ "$last" -gt 0 ]; then
  [ "$(e2e_count_diff "$E2E_ART/frames/x-held-1-1.png" "$E2E_ART/frames/x-held-$last-1.png" \
    0 0 200 200)" -gt 0 ] ||
    e2e_fail "X held: the face stood still for 1.2 s (frames/x-held-1-1, x-held-$last-1)"
else
  e2e_log "X held: the machine took no second picture 1.2 s into the hold; not judged"
fi
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
