#!/usr/bin/env bash
# On an 8-bit PseudoColor screen the Linux clock shows a blue face in the colours the server gives
# it (not a black disc), its message box letters (not black bars), and ticks as ever.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "the Linux clock's pixels on a colour-map screen" || exit 0
E2E_SCREEN=1024x768x8
e2e_begin
e2e_skin 300 200 -1
xdpyinfo | grep -q 'class: *PseudoColor' || e2e_fail "the screen is not PseudoColor"
e2e_show_clock
sleep 0.3 # painted
shot=$(e2e_screenshot face)
read -r red green blue colours < <(convert "$shot" -crop 200x200+300+200 +repage -format \
  '%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)] %k\n' info:)
e2e_log "the face's mean colour $red,$green,$blue, $colours colours"
# The default face is blue (0,64,128) with white marks and red, green and blue hands.
[ "$blue" -ge 90 ] && [ "$blue" -ge $((red + 60)) ] ||
  e2e_fail "the face is not blue: mean $red,$green,$blue (face.png)"
[ "$colours" -ge 4 ] || e2e_fail "the face has $colours colours (face.png)"
e2e_expect_ticks 300 200 200 face "$shot"
# The missing editor's box: within the bounds of each text's ink, letters leave most pixels
# light; a bar of solid ink leaves none.
xdotool mousemove 350 250 click 3
e2e_wait_box "a right-click" 'could not be started'
shot=$(e2e_screenshot box)
while read -r x y w h; do
  ink=$(convert "$shot" -crop "${w}x$h+$x+$y" +repage -colorspace gray -threshold 50% -trim \
    +repage -format '%[fx:int(100*(1-mean)+0.5)]' info:)
  e2e_log "text at $x,$y: $ink % ink"
  [ "$ink" -le 30 ] || e2e_fail "a text of the box is a bar of ink ($ink %, box.png)"
done < <(sed -nE 's/^  control class="Static" .* rect=([-0-9]+),([-0-9]+),([0-9]+),([0-9]+)$/\1 \2 \3 \4/p' \
  <<<"$E2E_BOX")
e2e_box_gone
e2e_close_clock "a close request"
e2e_pass
