#!/usr/bin/env bash
# The options' window on sway's layer shell, judged by what sway composed: layer=below still
# shows the clock over the desktop's background, round and pixel for pixel the preview's face,
# also once the wallpaper is set anew;
# opacity=50 shows, inside the circle, the preview's face blended half and half with the
# desktop's colour (within a step or two of rounding), and still the desktop outside it.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin
e2e_wln_native

options() { printf '# QUARVEL options\r\n%s\r\n' "$@" >"$E2E_DIR/options.ini"; }

# The disc of the screenshot against the preview's face at <alpha> (0..1) over the desktop's
# colour, for some second from E2E_FIRST to E2E_LAST; outside the disc the desktop shows.
blended_face() { # <png> <x> <y> <size> <alpha> <name>
  local shot=$1 x=$2 y=$3 s=$4 alpha=$5 name=$6 t diff
  convert "$shot" -crop "${s}x$s+$x+$y" +repage "$E2E_TMP/face.png"
  # The desktop's colour (which the blend inside never gives) turned black in both.
  convert "$E2E_TMP/face.png" -fill black -opaque "rgb($E2E_WL_DESKTOP)" "$E2E_TMP/disc.png"
  convert "$E2E_TMP/face.png" -fill white +opaque "rgb($E2E_WL_DESKTOP)" -fill black \
    -opaque "rgb($E2E_WL_DESKTOP)" "$E2E_TMP/region.png"
  for ((t = E2E_FIRST; t <= E2E_LAST; t++)); do
    (cd "$E2E_DIR" && "$QUARVEL_NATIVE_BUILD/bin/quarvel-preview" --time "$(date -d "@$t" +%T)" \
      --png "$E2E_TMP/preview.png" 9>&-) >>"$E2E_TMP/preview.log" 2>&1 || e2e_fail "preview failed"
    convert -size "${s}x$s" "xc:rgb($E2E_WL_DESKTOP)" "$E2E_TMP/preview.png" \
      -compose blend -define "compose:args=$(awk "BEGIN{print $alpha * 100}")" -composite \
      "$E2E_TMP/region.png" -compose multiply -composite "$E2E_TMP/blend-$t.png"
    diff=$(compare -metric AE -fuzz 1.5% "$E2E_TMP/blend-$t.png" "$E2E_TMP/disc.png" null: 2>&1) ||
      [ $? -eq 1 ] || e2e_fail "compare failed: $diff"
    if [ "$diff" = 0 ]; then
      e2e_log "$name: the preview's face blended at $alpha for $(date -d "@$t" +%T)"
      return 0
    fi
  done
  cp "$E2E_TMP"/blend-*.png "$E2E_ART"/
  return 1
}
expect_blended() { # <x> <y> <size> <alpha> <name>
  local shot try
  for try in 1 2 3; do # a screenshot may catch a redraw half done
    E2E_FIRST=$(($(date +%s) - 1))
    shot=$(e2e_screenshot "$5")
    E2E_LAST=$(date +%s)
    blended_face "$shot" "$@" && return 0
    sleep 1.2
  done
  e2e_fail "$5: not the preview's face blended at $4 with the desktop ($5.png, blend-*.png)"
}

# Below the windows: still over the desktop's background, as opaque as ever, and after the
# wallpaper is set again.
e2e_skin 300 200 0
options layer=below
e2e_wln_wait_face 200
sleep 1.2 # the first redraw comes with the first change of second
expect_round() { # <name>: the round, opaque face at 300,200 for a second around the screenshot
  local shot
  E2E_FIRST=$(($(date +%s) - 1))
  shot=$(e2e_screenshot "$1")
  E2E_LAST=$(date +%s)
  e2e_wl_expect_round "$shot" 300 200 200 "$1"
}
round() { (expect_round "$1") 2>/dev/null || { sleep 1.2 && (expect_round "$1") 2>/dev/null; } ||
  { sleep 1.2 && expect_round "$1"; }; }
round below
# A new wallpaper (sway starts a new swaybg, in the background layer): still the clock.
E2E_WL_DESKTOP=100,70,40
e2e_wl_as swaymsg output HEADLESS-1 bg "#$(printf '%02x' ${E2E_WL_DESKTOP//,/ })" solid_color >/dev/null
wallpaper_shown() { [ "$(e2e_pixel "$(e2e_screenshot wallpaper)" 100 100)" = "$E2E_WL_DESKTOP" ]; }
e2e_until 10 wallpaper_shown || e2e_fail "the new wallpaper did not show (wallpaper.png)"
round below-new-wallpaper
e2e_stop_clock

# Half see-through, below the windows too.
options layer=below opacity=50
e2e_wln_wait_face 200
sleep 1.2
expect_blended 300 200 200 0.502 half # 128 of 255
e2e_stop_clock
e2e_pass
