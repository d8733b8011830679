#!/usr/bin/env bash
# A face bitmap that isn't there (settings.ini names nothere.bmp): no error, no fallback to
# qv.bmp; the clock is a plain round window 105 x 105 in dark blue (0,64,128) with its three
# hands, at the saved place, and it writes the bitmap's name back when it closes.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_dialog.sh"
e2e_begin

size=105 x=300 y=200
# qv.bmp lies there too: the clock must not fall back to it.
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
settings="$x,$y\\r\\n 0 \\r\\nnothere.bmp\\r\\n 2 \\r\\n"
# shellcheck disable=SC2059  # the settings are a printf format
printf "$settings" >"$E2E_DIR/settings.ini"

e2e_start_clock
dlg_wait_clock_without_dialog "$size"
dlg_assert_geometry "$E2E_WINDOW" "$x" "$y" "$size" "$size" "the clock window"
dlg_assert_topmost "$E2E_WINDOW" yes
windows=$(e2e_winprobe list)
! grep -q 'class="#32770"' <<<"$windows" ||
  e2e_fail "a dialog came up for the missing bitmap:"$'\n'"$windows"

# The first redraw with the hands comes with the first change of second.
sleep 1.2
hands=(tyou tan byou)
allowed=("0,0,0" "$E2E_FACE_BLUE")
for hand in "${hands[@]}"; do allowed+=("$(e2e_sin_rgb "$E2E_DIR/$hand.sin")"); done
for attempt in 1 2; do
  shot=$(e2e_screenshot "plain-$attempt")
  dlg_assert_round "$shot" "$E2E_WINDOW" "$x" "$y" "$size"
  # Plain: nothing but the blue, the hands' colours and the black outside the circle.
  colours=$(convert "$shot" -crop "${size}x$size+$x+$y" +repage -alpha off -depth 8 \
    -format %c histogram:info:- | sed -n 's/^ *\([0-9]*\): (\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2,\3,\4/p')
  total=$(awk '{ n += $1 } END { print n + 0 }' <<<"$colours")
  [ "$total" -eq $((size * size)) ] ||
    e2e_fail "could not read the colours of the window's square: '$colours'"
  stray=$(while read -r count rgb; do
    [[ " ${allowed[*]} " == *" $rgb "* ]] || echo "$rgb ($count pixels)"
  done <<<"$colours")
  [ -z "$stray" ] || e2e_fail "the plain face shows other colours:"$'\n'"$stray ($(basename "$shot"))"
  blue=$(e2e_count_colour "$shot" "$E2E_FACE_BLUE" "$x" "$y" "$size" "$size")
  # The circle is about 8500 pixels; the hands cover a few hundred of them.
  [ "$blue" -ge 7000 ] || e2e_fail "only $blue pixels of dark blue ($E2E_FACE_BLUE) in the" \
    "${size}x$size window ($(basename "$shot"))"
  missing=()
  for hand in "${hands[@]}"; do
    rgb=$(e2e_sin_rgb "$E2E_DIR/$hand.sin")
    drawn=$(e2e_count_colour "$shot" "$rgb" "$x" "$y" "$size" "$size")
    e2e_log "$hand.sin colour $rgb: $drawn pixels"
    [ "$drawn" -ge 10 ] || missing+=("$hand.sin ($rgb): $drawn pixels")
  done
  [ ${#missing[@]} -eq 0 ] && break
  # Two hands on one line can hide the one drawn first; a second later they have moved apart.
  [ "$attempt" -eq 2 ] || sleep 2
done
[ ${#missing[@]} -eq 0 ] || e2e_fail "hands not drawn on the plain face: ${missing[*]}"

dlg_activate "$E2E_WINDOW"
xdotool key c
e2e_wait_exit 5 || e2e_fail "quarvel.exe still runs 5 s after the key C"
[ "$E2E_CLOCK_STATUS" -eq 0 ] || e2e_fail "quarvel.exe exited with code $E2E_CLOCK_STATUS"
dlg_expect_bytes "$E2E_DIR/settings.ini" "$settings" "settings.ini written back"
e2e_pass
