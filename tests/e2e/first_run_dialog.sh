#!/usr/bin/env bash
# First run: the information dialog as a user sees it (a fresh Wine prefix, the desktop's fonts
# on Linux): place, frame, icon, controls, glyphs and texts read by tesseract. Escape and Readme
# leave it open; the close box and Space close it to a top-most clock saving the defaults.
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_require_tools tesseract python3 identify
tesseract --list-langs 2>/dev/null | grep -qx jpn ||
  e2e_fail "no tesseract-ocr-jpn (scripts/install-deps.sh)"
# The faces the clock tries, from the one list of them.
mapfile -t faces < <(sed -n '/kFaces{/,/}};/p' "$QUARVEL_SOURCE_DIR/src/core/infodialog/dialog_font.h" |
  grep -o '"[^"]*"' | tr -d '"')
[ "${#faces[@]}" -gt 1 ] || e2e_fail "no faces read from src/core/infodialog/dialog_font.h"
e2e_expect_stock_fonts "${faces[@]}"

dlg=(184 250 372 202) # the client area; Wine maps an X window of just that, openbox frames it
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin readme.txt

start_first_run() {
  rm -f "$E2E_DIR/settings.ini"
  e2e_start_clock
  e2e_wait_quarvel "${dlg[2]}x${dlg[3]}" "first-run dialog"
  D=$E2E_FOUND
  e2e_expect_geometry "$D" 184,250,372,202 "the dialog's client area"
}

still_open() { # <after what>
  e2e_at "$D" "184,250 mapped" || e2e_fail "$1 closed the dialog"
  e2e_clock_running || e2e_fail "quarvel.exe ended on $1"
  [ "$(e2e_quarvel_windows | wc -l)" -eq 1 ] || e2e_fail "the clock came up on $1"
}

closes_to_clock() { # <what closes it>
  e2e_until 5 e2e_not e2e_at "$D" "184,250 mapped" || e2e_fail "$1 did not close the dialog"
  e2e_wait_clock
  e2e_expect_geometry "$E2E_WINDOW" 0,0,200,200 "the clock after $1"
}

# The control of that class and text; c=(x y w h) in the client area must match a glob.
control() { # <class> <text> <x y w h glob> <what>
  local line
  line=$(grep -F "class=\"$1\" text=\"$2\" " <<<"$controls" | head -n 1 || true)
  [ -n "$line" ] || e2e_fail "no $4 ($1 \"$2\") in the dialog:"$'\n'"$controls"
  IFS=, read -r -a c <<<"${line##* rect=}"
  c=($((c[0] - dlg[0])) $((c[1] - dlg[1])) "${c[2]}" "${c[3]}")
  # shellcheck disable=SC2053  # $3 is a pattern
  [[ ${c[*]} == $3 ]] || e2e_fail "$4 at x y w h = ${c[*]}, expected $3"
}

# Fails unless tesseract reads the control whose text begins so at least as alike as given
# (difflib's ratio, blanks aside): 0.8 passes a misread letter but not boxes, 0.95 not a line cut
# off. The picture read is kept as ocr-<name>.png.
expect_reads() { # <name> <text or its start> <inset> <language> <least likeness> [mode=7]
  local line wanted read x y w h
  line=$(grep -F "text=\"$2" <<<"$controls" | head -n 1 || true)
  [ -n "$line" ] || e2e_fail "no control \"$2\" in the window:"$'\n'"$controls"
  wanted=$(sed 's/.* text="\(.*\)" rect=.*/\1/; s/\\n//g; s/ //g' <<<"$line")
  IFS=', ' read -r x y w h _ <<<"${line##* rect=}"
  convert "$shot" -crop "$((w - 2 * $3))x$((h - 2 * $3))+$((x + $3))+$((y + $3))" +repage \
    -colorspace gray -scale 400% -blur 0x2 -bordercolor white -border 20 "$E2E_ART/ocr-$1.png"
  read=$(tesseract "$E2E_ART/ocr-$1.png" - --psm "${6:-7}" -l "$4" 2>/dev/null | tr -d ' \n\f')
  python3 -c 'import difflib, sys
alike = round(difflib.SequenceMatcher(None, sys.argv[1], sys.argv[2]).ratio(), 2)
print(alike); sys.exit(alike < float(sys.argv[3]))' "$read" "$wanted" "$5" >"$E2E_TMP/alike" ||
    e2e_fail "$1 reads \"$read\", not \"$wanted\" ($(cat "$E2E_TMP/alike") alike; ocr-$1.png)"
  e2e_log "$1 reads \"$read\" ($(cat "$E2E_TMP/alike") alike)"
}
dialog_reads() { # <suffix>: the Latin texts
  expect_reads "ok$1" OK 4 eng 0.8
  expect_reads "readme$1" Readme 4 eng 0.8
  expect_reads "version$1" 'QUARVEL Ver. 0.60' 0 eng 0.8
}
# A message: the clock started without tan.sin reports it.
message_reads() { # <suffix>
  e2e_settings 300 200 >"$E2E_DIR/settings.ini"
  mv "$E2E_DIR/tan.sin" "$E2E_TMP/tan.sin"
  e2e_start_clock
  e2e_wait_box "a start without tan.sin" 53
  controls=$E2E_BOX shot=$(e2e_screenshot "message$1")
  expect_reads "message-ok$1" OK 4 eng 0.8
  expect_reads "message$1" 'Run-time error 53' 0 eng 0.8 6
  e2e_dismiss_box
  e2e_expect_exit non-zero "the message was dismissed"
  mv "$E2E_TMP/tan.sin" "$E2E_DIR/tan.sin"
}

# --- The dialog: window, controls, texts, pixels; Escape and Readme leave it open. ---
start_first_run
# _MOTIF_WM_HINTS as Wine sets them from the style: functions 0x20 close, decorations 0x8 title.
hints=$(xprop -id "$D" _MOTIF_WM_HINTS | sed -n 's/.* = //p')
IFS=', ' read -r _ functions decorations _ <<<"$hints"
((functions & 0x20 && decorations & 0x8)) || e2e_fail "no caption with a close box: $hints"
frame=$(xprop -id "$D" _NET_FRAME_EXTENTS | sed -n 's/.* = //p')
IFS=', ' read -r _ frame_right frame_top _ <<<"$frame"
[ "$frame_top" -gt 10 ] || e2e_fail "openbox drew no caption above the dialog"
xprop -id "$D" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
  e2e_fail "the dialog would get a task-bar button"
# The caption's icon is the .ico's own 16 x 16 image, not its 32 x 32 one scaled down (the
# pixels the .ico leaves clear set black in both).
ico="$QUARVEL_SOURCE_DIR/src/core/infodialog/resources/quarvel.ico[$(identify -format '%p %w\n' \
  "$QUARVEL_SOURCE_DIR/src/core/infodialog/resources/quarvel.ico" | awk '$2 == 16 { print $1; exit }')]"
xprop -id "$D" -notype -f _NET_WM_ICON 32c ' = $0+' _NET_WM_ICON | tr -cs 0-9 '\n' | awk '
  NF { v[n++] = $1 }
  END { for (i = 0; i < n; i += 2 + v[i] * v[i + 1]) if (v[i] == 16) break
    print "# ImageMagick pixel enumeration: 16,16,255,srgb"
    for (p = 0; p < 256; p++) { c = v[i + 2 + p]
      printf "%d,%d: (%d,%d,%d)\n", p % 16, int(p / 16), int(c / 65536) % 256, int(c / 256) % 256, c % 256 } }
' >"$E2E_TMP/icon.txt"
convert "$ico" -alpha extract "$E2E_TMP/mask.png"
convert "$ico" -alpha off "$E2E_TMP/mask.png" -compose multiply -composite "$E2E_TMP/want.png"
convert "txt:$E2E_TMP/icon.txt" "$E2E_TMP/mask.png" -compose multiply -composite "$E2E_ART/icon.png"
[ "$(e2e_count_diff "$E2E_ART/icon.png" "$E2E_TMP/want.png" 0 0 16 16)" -eq 0 ] ||
  e2e_fail "the caption's icon is not the .ico's 16 x 16 image (icon.png)"

controls=$(e2e_list_controls QUARVEL)
[ "$(grep -c '^  control' <<<"$controls")" -eq 8 ] || e2e_fail "not 8 controls:"$'\n'"$controls"
control Button OK '280 8 81 25' "OK button"
control Button Readme '280 72 81 25' "Readme button"
control Static '' '8 8 232 61' "banner"
banner=("${c[@]}")
control Button '' '8 104 353 89' "group box"
control Static 'QUARVEL Ver. 0.60' '8 80 *' "version label"
texts=("${c[*]}")
for text in 'QUARVELをご選択いただきましてありがとうございます。' \
  '時計はマウスが近づくと隠れるようになっていますので、[Shift]キーを押しながら操作を行ってください。' \
  '詳しくはReadme.txtをお読みください。'; do
  control Static "$text" '*' "label"
  ((c[0] > 8 && c[1] > 104 && c[0] + c[2] < 361 && c[1] + c[3] < 193)) ||
    e2e_fail "the label '$text' at ${c[*]} is not inside the group box"
  texts+=("${c[*]}")
done

sleep 0.3 # painted
shot=$(e2e_screenshot dialog)
# The banner's 2-pixel sunken edge: dark grey top and left, light grey (192 up) bottom and right.
bx=$((dlg[0] + banner[0])) by=$((dlg[1] + banner[1])) bw=${banner[2]} bh=${banner[3]}
for d in 0 1; do
  for p in "$d $((bh / 2)) 0" "$((bw / 2)) $d 0" "$((bw - 1 - d)) $((bh / 2)) 1" \
    "$((bw / 2)) $((bh - 1 - d)) 1"; do
    read -r px py light <<<"$p"
    IFS=, read -r r g b <<<"$(e2e_pixel "$shot" $((bx + px)) $((by + py)))"
    [ "$r" = "$g" ] && [ "$g" = "$b" ] && (((r >= 192) == light)) ||
      e2e_fail "the banner's edge at ($px,$py) is $r,$g,$b, not a grey, light $light (dialog.png)"
  done
done
IFS=, read -r r g b <<<"$(e2e_pixel "$shot" $((bx + 2)) $((by + bh / 2)))"
[ "$r" != "$g" ] || [ "$g" != "$b" ] || e2e_fail "no picture inside the banner's edge"
# Drawn in a face with every glyph: enough black strokes (a grey fallback font has less than
# half), and read whole.
min_dark=(150 480 900 330)
for i in 0 1 2 3; do
  read -r x y w h <<<"${texts[$i]}"
  ((x += dlg[0], y += dlg[1]))
  dark=$(convert "$shot" -crop "${w}x$h+$x+$y" -colorspace gray -threshold 50% -negate \
    -format '%[fx:int(mean*w*h+0.5)]' info:)
  e2e_log "text at $x,$y: $dark dark pixels"
  [ "$dark" -ge "${min_dark[$i]}" ] ||
    e2e_fail "the text at ($x,$y) is not drawn with its glyphs: $dark dark pixels"
done
dialog_reads ""
expect_reads label1 'QUARVELをご選択いただきましてありがとうございます。' 0 jpn 0.95
expect_reads label2 '時計はマウスが近づくと隠れるようになっていますので、' 0 jpn 0.95 6
expect_reads label4 '詳しくはReadme.txtをお読みください。' 0 jpn 0.95

e2e_key "$D" Escape
sleep 1
still_open Escape
xdotool mousemove $((dlg[0] + 320)) $((dlg[1] + 84)) click 1 mousemove "${E2E_AWAY[@]}"
notepad() { xdotool search --onlyvisible --name "^${E2E_README_TITLE//./\\.}\$" 2>/dev/null; }
e2e_until 10 notepad >/dev/null || e2e_fail "Readme opened no $E2E_README_TITLE"
sleep 0.5 # Notepad paints, and the dialog would have closed by now
e2e_screenshot readme >/dev/null
still_open Readme
[ "$(notepad | wc -l)" -eq 1 ] || e2e_fail "more than one Notepad"
# Notepad reports a file it can't open in a box of its own.
[ "$(e2e_list_controls | grep -c '^dialog')" -eq 1 ] || e2e_fail "another dialog came up"

# --- The close box (the caption's last button, 10 pixels in from the frame's right and top).
# Notepad covers the whole dialog: a person closes it first. ---
if [ "$E2E_DRIVER" = wine ]; then
  e2e_close_request "$E2E_README_TITLE"
  e2e_until 5 e2e_not notepad >/dev/null || e2e_fail "$E2E_README_TITLE stays open"
fi
e2e_focus "$D"
xdotool mousemove $((dlg[0] + dlg[2] + frame_right - 11)) $((dlg[1] - frame_top + 10)) click 1 \
  mousemove "${E2E_AWAY[@]}"
closes_to_clock "a click on the close box"
e2e_expect_topmost "$E2E_WINDOW" yes "the first run's clock"
shot=$(e2e_screenshot clock)
[ "$(e2e_count_colour "$shot" "$E2E_BLUE" 50 50 100 100)" -ge 8000 ] ||
  e2e_fail "the face is not shown in the first run's clock"
[ ! -e "$E2E_DIR/settings.ini" ] || e2e_fail "settings.ini was written before the clock closed"
e2e_close_request "$E2E_README_TITLE" || true
e2e_close_clock "a close request"
e2e_settings 0 0 | e2e_expect_bytes "$E2E_DIR/settings.ini" "the first run's settings"

# --- Space presses OK, the button with the focus (Enter: first_run_once). ---
start_first_run
e2e_key "$D" space
closes_to_clock space
e2e_close_clock "a close request"

# --- A desktop without a viewer for the readme: a message says so, and the dialog stays. ---
if e2e_only x11 "no readme viewer to take away: Wine always has Notepad"; then
  QUARVEL_E2E_NO_VIEWER=1 start_first_run
  e2e_key "$D" Tab Return # the focus moves on to Readme
  e2e_until 10 e2e_shown '$2 != "372x202"' || e2e_fail "no message when xdg-open fails"
  box=$E2E_FOUND
  grep -qF 'readme.txt\" could not be started (exit status 3).' <<<"$(e2e_list_controls QUARVEL)" ||
    e2e_fail "the message does not say that xdg-open failed"
  e2e_screenshot no-viewer >/dev/null
  e2e_key "$box" Return
  e2e_until 5 e2e_not e2e_shown '$2 != "372x202"' || e2e_fail "the message stays after Return"
  still_open "a failed Readme"
  e2e_close_request QUARVEL
  closes_to_clock "the close box after a failed Readme"
  e2e_close_clock "a close request"
fi

# --- The message box reads. Then on a desktop whose only Japanese fonts lack Latin letters: the
# Latin texts must come from a face that has them. ---
message_reads ""
if e2e_only x11 "Wine keeps the fonts it found in its prefix: none can be taken away"; then
  {
    echo '<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd">'
    echo '<fontconfig><include>/etc/fonts/fonts.conf</include><selectfont><rejectfont>'
    fc-list ':lang=ja:charset=41' family | cut -d, -f1 | sort -u | while read -r family; do
      echo "<pattern><patelt name=\"family\"><string>$family</string></patelt></pattern>"
    done
    echo '</rejectfont></selectfont></fontconfig>'
  } >"$E2E_TMP/no-latin-japanese.conf"
  export FONTCONFIG_FILE=$E2E_TMP/no-latin-japanese.conf
  [ -z "$(fc-list ':lang=ja:charset=41' family)" ] || e2e_fail "fonts with both are left"
  e2e_log "Japanese fonts left: $(fc-list ':lang=ja' family | tr '\n' ' ')"
  start_first_run
  sleep 0.5 # painted
  controls=$(e2e_list_controls QUARVEL) shot=$(e2e_screenshot no-latin-japanese-font)
  dialog_reads -latin
  e2e_close_request QUARVEL
  closes_to_clock "a close request"
  e2e_close_clock "a close request"
  message_reads -latin
fi
e2e_pass
