#!/usr/bin/env bash
# First run: with no settings.ini next to the exe the clock greets the user with its information
# dialog before it shows itself. The dialog is a standard #32770 dialog titled QUARVEL with the
# client area 372 x 202 at (184, 250), a caption bar with a close box and no task-bar button; its
# controls and Japanese texts are exact and the Japanese is drawn as real glyphs. Escape leaves it
# open, Enter presses OK (the focused button); then the round, top-most clock appears at (0, 0),
# and closing it writes the default settings.ini.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_dialog.sh"
e2e_begin

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin readme.txt
e2e_start_clock
dlg_wait_dialog 15
dialog=$DLG_WINDOW

# --- The window: client area, caption, close box, no task-bar button -------------------------
# xwininfo describes the X window Wine maps for the dialog, which is its client area: openbox
# draws the caption and the border around it (reparented, the frame is the parent window).
dlg_assert_geometry "$dialog" "$DLG_X" "$DLG_Y" "$DLG_W" "$DLG_H" "the dialog's client area"
read -r functions decorations < <(dlg_motif_hints "$dialog")
((decorations & 0x8)) ||
  e2e_fail "the dialog asks for no caption bar (_MOTIF_WM_HINTS decorations $decorations)"
((functions & 0x20)) ||
  e2e_fail "the dialog has no close box (_MOTIF_WM_HINTS functions $functions lack close)"
extents=$(xprop -id "$dialog" _NET_FRAME_EXTENTS | sed -n 's/.* = //p')
IFS=', ' read -r _ _ frame_top _ <<<"$extents"
[ "${frame_top:-0}" -gt 10 ] ||
  e2e_fail "openbox drew no caption bar above the dialog (_NET_FRAME_EXTENTS $extents)"
state=$(dlg_wm_state "$dialog")
grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$state" ||
  e2e_fail "the dialog would get a task-bar button: _NET_WM_STATE = '$state'"

# --- Its controls, as the program itself sees them --------------------------------------------
windows=$(e2e_winprobe list)
box=$(dlg_dialog_block "$windows")
[ -n "$box" ] || e2e_fail "no dialog (#32770) titled QUARVEL among the windows:"$'\n'"$windows"
grep -q 'class="QuarvelClock"' <<<"$windows" &&
  e2e_fail "the clock is visible next to the first-run dialog:"$'\n'"$windows"
[ -z "$(e2e_find_clock)" ] || e2e_fail "a 200x200 QUARVEL window is shown next to the dialog"

controls=$(grep '^  control ' <<<"$box" || true)
count=$(grep -c . <<<"$controls" || true)
[ "$count" -eq 8 ] || e2e_fail "the dialog has $count controls, expected 8:"$'\n'"$box"

# Finds the control of that class and exact text and checks where it lies in the client area
# ("-" for a size that is not fixed). Sets cx cy cw ch to its client rectangle.
control() { # <class> <text> <x> <y> <w> <h> <what>
  local line
  line=$(grep -F "class=\"$1\" text=\"$2\" " <<<"$controls" | head -n 1 || true)
  [ -n "$line" ] || e2e_fail "no $7 ($1 \"$2\") in the dialog:"$'\n'"$box"
  read -r cx cy cw ch <<<"$(dlg_rect_field "$line")"
  cx=$((cx - DLG_X)) cy=$((cy - DLG_Y))
  [ "$cx,$cy" = "$3,$4" ] || e2e_fail "$7 at ($cx,$cy) in the client area, expected ($3,$4)"
  [ "$5" = - ] || [ "${cw}x$ch" = "${5}x$6" ] || e2e_fail "$7 is ${cw}x$ch, expected ${5}x$6"
}
control Button OK 280 8 81 25 "OK button"
control Button Readme 280 72 81 25 "Readme button"
control Static '' 8 8 232 61 "banner picture"
bx=$cx by=$cy bw=$cw bh=$ch
control Static 'QUARVEL Ver. 0.60' 8 80 - - "version label"
version_rect="$((DLG_X + cx)) $((DLG_Y + cy)) $cw $ch"
control Button '' 8 104 353 89 "group box"
gx=$cx gy=$cy gw=$cw gh=$ch

# The three Japanese labels, byte for byte (the winprobe prints UTF-8), inside the group box.
labels=(
  'QUARVELをご選択いただきましてありがとうございます。'
  '時計はマウスが近づくと隠れるようになっていますので、[Shift]キーを押しながら操作を行ってください。'
  '詳しくはReadme.txtをお読みください。'
)
label_rects=()
for text in "${labels[@]}"; do
  line=$(grep -F "class=\"Static\" text=\"$text\" " <<<"$controls" | head -n 1 || true)
  if [ -z "$line" ]; then
    e2e_fail "no label with the text '$text'; the dialog's labels read:"$'\n'"$(
      grep 'class="Static"' <<<"$controls" | while read -r l; do dlg_text_field "$l"; done)"
  fi
  read -r x y w h <<<"$(dlg_rect_field "$line")"
  x=$((x - DLG_X)) y=$((y - DLG_Y))
  if [ "$x" -le "$gx" ] || [ "$y" -le "$gy" ] || [ $((x + w)) -ge $((gx + gw)) ] ||
    [ $((y + h)) -ge $((gy + gh)) ]; then
    e2e_fail "the label '$text' at ($x,$y) ${w}x$h lies outside the group box" \
      "($gx,$gy) ${gw}x$gh"
  fi
  label_rects+=("$((x + DLG_X)) $((y + DLG_Y)) $w $h")
done
e2e_log "controls and texts as expected"

# --- What the screen shows ----------------------------------------------------------------------
sleep 0.3 # let the dialog finish painting
shot=$(e2e_screenshot dialog)
# The banner's 2-pixel sunken edge: shadow grey on the top and left, light grey on the bottom
# and right, the picture inside.
sx=$((DLG_X + bx)) sy=$((DLG_Y + by))
grey() { # <r,g,b> -> its level if it is a grey, else nothing
  local r g b
  IFS=, read -r r g b <<<"$1"
  if [ "$r" = "$g" ] && [ "$g" = "$b" ]; then echo "$r"; fi
}
for probe in "0 $((bh / 2)) dark" "1 $((bh / 2)) dark" "$((bw / 2)) 0 dark" "$((bw / 2)) 1 dark" \
  "$((bw - 1)) $((bh / 2)) light" "$((bw - 2)) $((bh / 2)) light" \
  "$((bw / 2)) $((bh - 1)) light" "$((bw / 2)) $((bh - 2)) light"; do
  read -r px py kind <<<"$probe"
  rgb=$(e2e_pixel "$shot" $((sx + px)) $((sy + py)))
  level=$(grey "$rgb")
  ok=""
  if [ -n "$level" ]; then
    if [ "$kind" = dark ] && [ "$level" -lt 192 ]; then ok=1; fi
    if [ "$kind" = light ] && [ "$level" -ge 192 ]; then ok=1; fi
  fi
  [ -n "$ok" ] || e2e_fail "the banner's sunken edge at client ($((bx + px)),$((by + py))) is" \
    "$rgb, expected a $kind grey (dialog.png)"
done
[ -z "$(grey "$(e2e_pixel "$shot" $((sx + 2)) $((sy + bh / 2)))")" ] ||
  e2e_fail "no picture inside the banner's 2-pixel edge (dialog.png)"

# The Japanese is drawn with glyphs, not boxes. A font without the characters draws one box (or
# "?") for each of them, so a line of such text is one small picture repeated: with the font
# substitution taken out of the prefix, "QUARVEL" and "Readme.txt" come out as rows of boxes
# that repeat over 70 to 110 columns, and the kana in a grey fallback font. Here every line of
# each label must not repeat over more than 30 columns (the real labels: 10 at most), and each
# label needs the black strokes of IPA Gothic, the font MS UI Gothic stands for in the prefix
# (the grey fallback has less than half of them). I also looked at dialog.png: all three labels
# show their kana and kanji.
label_rects+=("$version_rect") # the version label: its Latin letters must not be boxes either
names=("label 1" "label 2" "label 3" "the version label")
min_dark=(480 900 330 150)
for i in 0 1 2 3; do
  read -r x y w h <<<"${label_rects[$i]}"
  dark=$(dlg_dark_count "$shot" "$x" "$y" "$w" "$h")
  read -r repeat pitch <<<"$(dlg_longest_repeat "$shot" "$x" "$y" "$w" "$h")"
  e2e_log "${names[$i]}: $dark dark pixels, repeats over $repeat columns at most (pitch $pitch)"
  [ "$dark" -ge "${min_dark[$i]}" ] || e2e_fail "${names[$i]} at ($x,$y) ${w}x$h shows only" \
    "$dark dark pixels, expected ${min_dark[$i]} or more: not drawn in IPA Gothic (dialog.png)"
  [ "$repeat" -le 30 ] || e2e_fail "${names[$i]} at ($x,$y) ${w}x$h repeats one glyph every" \
    "$pitch pixels over $repeat columns: boxes instead of characters (dialog.png)"
done

# --- Escape does nothing; Enter presses OK ------------------------------------------------------
dlg_activate "$dialog"
xdotool key Escape
sleep 1
dlg_viewable "$dialog" || e2e_fail "Escape closed the first-run dialog"
e2e_clock_running || e2e_fail "quarvel.exe ended on Escape in the first-run dialog"
[ -z "$(e2e_find_clock)" ] || e2e_fail "the clock came up on Escape in the first-run dialog"

dlg_activate "$dialog"
xdotool key Return
dlg_wait_gone "$dialog" 5 || e2e_fail "Enter did not close the first-run dialog within 5 s"
e2e_wait_clock "$E2E_FACE"
[ -z "$(e2e_find_quarvel "$DLG_W" "$DLG_H")" ] || e2e_fail "the dialog is still shown"

# --- The clock: at (0,0), 200 x 200, top-most, round, the face's blue -------------------------
dlg_assert_geometry "$E2E_WINDOW" 0 0 "$E2E_FACE" "$E2E_FACE" "the clock window"
dlg_assert_topmost "$E2E_WINDOW" yes
sleep 0.5 # the first frame
shot=$(e2e_screenshot clock)
dlg_assert_round "$shot" "$E2E_WINDOW" 0 0 "$E2E_FACE"
# The middle 100 x 100 of the face: blue but for the hands.
blue=$(e2e_count_colour "$shot" "$E2E_FACE_BLUE" 50 50 100 100)
[ "$blue" -ge 8000 ] ||
  e2e_fail "only $blue of 10000 pixels in the middle of the face are its blue ($E2E_FACE_BLUE)"

# --- Closing the clock writes the default settings.ini ------------------------------------------
[ ! -e "$E2E_DIR/settings.ini" ] || e2e_fail "settings.ini was written before the clock closed"
e2e_winprobe close QUARVEL >/dev/null
e2e_wait_exit 5 || e2e_fail "quarvel.exe still runs 5 s after its window was asked to close"
[ "$E2E_CLOCK_STATUS" -eq 0 ] || e2e_fail "quarvel.exe exited with code $E2E_CLOCK_STATUS"
dlg_expect_bytes "$E2E_DIR/settings.ini" '0,0\r\n 0 \r\nqv.bmp\r\n 2 \r\n' \
  "the settings written by the first run's clock"
e2e_pass
