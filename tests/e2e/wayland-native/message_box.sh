#!/usr/bin/env bash
# A failure on the native Wayland clock is reported in a box of its own, as on X11: a start
# without a hand file shows one window titled QUARVEL with the error's text (OCR) and no clock;
# Enter dismisses it, the clock ends with a failure and settings.ini is left as it was.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin
e2e_wln_native
e2e_require_tools tesseract

boxes() { # "x y w h title" of the clock's windows in sway's tree
  e2e_wl_as swaymsg -t get_tree | jq -r '.. | objects | select(.app_id? == "quarvel") |
    "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height) \(.name)"'
}
# shellcheck disable=SC2317  # called by e2e_until
box_shown() { boxes | grep -q ' QUARVEL$'; }

e2e_skin 300 200
cp "$E2E_DIR/settings.ini" "$E2E_TMP/settings.ini"
mv "$E2E_DIR/tan.sin" "$E2E_TMP/tan.sin"
e2e_start_clock
e2e_until 15 box_shown || e2e_fail "no box in 15 s: $(boxes) $(tail -n 3 "$E2E_TMP/clock.log")"
[ "$(boxes | wc -l)" = 1 ] || e2e_fail "more than the one box: $(boxes)"
read -r x y w h _ < <(boxes)
shot=$(e2e_screenshot box)
convert "$shot" -crop "${w}x$((h - 40))+$x+$y" +repage -colorspace gray -scale 400% \
  -bordercolor white -border 20 "$E2E_ART/ocr-box.png"
read=$(tesseract "$E2E_ART/ocr-box.png" - --psm 6 -l eng 2>/dev/null | tr '\n' ' ')
grep -q "error 53:" <<<"$read" || e2e_fail "the box reads \"$read\", not error 53 (ocr-box.png)"
grep -q "tan.sin" <<<"$read" || e2e_fail "the box reads \"$read\", without tan.sin (ocr-box.png)"
e2e_log "the box reads \"$read\""
e2e_wln_key Return
e2e_expect_exit non-zero "the box was dismissed with Enter" 10
e2e_expect_bytes "$E2E_DIR/settings.ini" "after the box" <"$E2E_TMP/settings.ini"
mv "$E2E_TMP/tan.sin" "$E2E_DIR/tan.sin"
e2e_pass
