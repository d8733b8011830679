#!/usr/bin/env bash
# Z runs the minute hand once round the dial, X the second hand: 60 frames 50 ms apart, about
# 3 s. During a lap screenshots about 150 ms apart keep differing, far more often than the
# once-a-second redraw of a still face could make them; a few seconds later the face is still
# again, showing the time.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_input.sh"
e2e_begin

square=(0 0 "$E2E_FACE" "$E2E_FACE")
shots=7    # a series: 7 screenshots about 150 ms apart, about 1 s
gap=0.1    # plus about 50 ms for taking each
frames=$E2E_ART/frames
mkdir -p "$frames"

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_write_settings 0 0
e2e_start_clock
e2e_wait_clock
W=$E2E_WINDOW
e2e_focus "$W"
sleep 1.2 # past the first redraw

# Takes a series of screenshots of the square (<frames>/<tag>-N.png) and sets CHANGES to the
# number of successive pairs that differ, SPAN_MS to the time from the first to the last, and
# DIFFS to the differing pixel counts.
series() { # <tag>
  local i t0 t1 d
  t0=$(e2e_now_us)
  for ((i = 1; i <= shots; i++)); do
    xwd -root -silent | convert xwd:- -crop "${square[2]}x${square[3]}+${square[0]}+${square[1]}" \
      +repage -alpha off "png:$frames/$1-$i.png"
    [ "$i" -eq "$shots" ] || sleep "$gap"
  done
  t1=$(e2e_now_us)
  SPAN_MS=$(((t1 - t0) / 1000))
  CHANGES=0 DIFFS=""
  for ((i = 2; i <= shots; i++)); do
    # compare exits 1 when the images differ.
    d=$(compare -metric AE "$frames/$1-$((i - 1)).png" "$frames/$1-$i.png" null: 2>&1) ||
      [ $? -eq 1 ] || e2e_fail "compare failed on $1-$i.png: $d"
    DIFFS+=" $d"
    [ "$d" = 0 ] || CHANGES=$((CHANGES + 1))
  done
  e2e_log "$1: $CHANGES of $((shots - 1)) pairs differ over $SPAN_MS ms (pixels:$DIFFS)"
}

# A still face is redrawn once a second: a series of about 1 s has at most two changes (a
# series a bit longer than a second can span two changes of second).
still_limit=2
# During a lap every pair is at least two frames apart; allow one pair to straddle a stall.
lap_minimum=$((shots - 2))

series still-before
[ "$CHANGES" -le "$still_limit" ] ||
  e2e_fail "before any key the face changed $CHANGES times in $SPAN_MS ms (frames/still-before-*)"

lap() { # <key> <hand>
  local key=$1 hand=$2 pressed n
  e2e_press "$W" "$key"
  pressed=$(e2e_now_us)
  # Under Wine a lap takes a little longer than 3 s, never less: still running after 2 s.
  for n in 1 2; do
    series "$key-lap-$n"
    [ "$CHANGES" -ge "$lap_minimum" ] ||
      e2e_fail "$key: during the $hand hand's lap only $CHANGES of $((shots - 1)) screenshots" \
        "about 150 ms apart differ (frames/$key-lap-$n-*); a still face would give <= $still_limit"
  done
  e2e_screenshot "$key-during-lap" >/dev/null
  # Then the face settles: a series with no more changes than a still face makes.
  for n in 1 2 3 4 5 6 7 8; do
    series "$key-after-$n"
    if [ "$CHANGES" -le "$still_limit" ]; then
      e2e_log "$key: the face is still again (a still series ended" \
        "$((($(e2e_now_us) - pressed) / 1000)) ms after the key)"
      # ...and ticks again: 1.2 s later the second hand has moved.
      sleep 1.2
      shot=$(e2e_screenshot "$key-settled")
      convert "$shot" -crop "${square[2]}x${square[3]}+${square[0]}+${square[1]}" +repage \
        -alpha off "png:$frames/$key-settled.png"
      n=$(compare -metric AE "$frames/$key-after-$n-$shots.png" "$frames/$key-settled.png" \
        null: 2>&1) || [ $? -eq 1 ] || e2e_fail "compare failed on $key-settled.png: $n"
      [ "$n" != 0 ] || e2e_fail "$key: after the lap the face stands still for good (it did not" \
        "change in 1.2 s, frames/$key-settled.png): the clock does not tick again"
      return 0
    fi
    [ $(($(e2e_now_us) - pressed)) -lt 10000000 ] || break
  done
  e2e_fail "$key: the face is not still 10 s after the key; last series: $CHANGES of" \
    "$((shots - 1)) pairs differ (frames/$key-after-$n-*)"
}

lap z minute
lap x second
e2e_clock_running || e2e_fail "quarvel.exe ended during the laps"
e2e_pass
