#!/usr/bin/env bash
# The first-run dialog reads as a user has it (a fresh Wine prefix without Windows' Japanese UI
# font; the desktop's fonts on Linux): tesseract reads the buttons, the version label and the
# Japanese labels whole, and a message box as its message.
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_require_tools tesseract python3
tesseract --list-langs 2>/dev/null | grep -qx jpn ||
  e2e_fail "no tesseract-ocr-jpn (scripts/install-deps.sh)"
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin readme.txt

# The faces the clock tries, from the one list of them.
mapfile -t faces < <(sed -n '/kFaces{/,/}};/p' "$QUARVEL_SOURCE_DIR/infodialog/dialog_font.h" |
  grep -o '"[^"]*"' | tr -d '"')
[ "${#faces[@]}" -gt 1 ] || e2e_fail "no faces read from infodialog/dialog_font.h"
e2e_expect_stock_fonts "${faces[@]}"

# Fails unless the control whose text begins so reads (difflib's ratio, blanks aside) at least as
# alike as given: 0.8 passes a misread letter but not boxes, 0.95 not a line cut off. The inside
# is read scaled up four times and softened; the picture is kept as ocr-<name>.png.
expect_reads() { # <name> <text or its start> <inset> <language> <least likeness> [mode=7]
  local line wanted read likeness x y w h
  line=$(grep -F "text=\"$2" <<<"$controls" | head -n 1 || true)
  [ -n "$line" ] || e2e_fail "no control \"$2\" in the window:"$'\n'"$controls"
  wanted=$(sed 's/.* text="\(.*\)" rect=.*/\1/; s/\\n//g; s/ //g' <<<"$line")
  IFS=', ' read -r x y w h _ <<<"${line##* rect=}"
  convert "$shot" -crop "$((w - 2 * $3))x$((h - 2 * $3))+$((x + $3))+$((y + $3))" +repage \
    -colorspace gray -scale 400% -blur 0x2 -bordercolor white -border 20 "$E2E_ART/ocr-$1.png"
  read=$(tesseract "$E2E_ART/ocr-$1.png" - --psm "${6:-7}" -l "$4" 2>/dev/null | tr -d ' \n\f')
  likeness=$(python3 -c 'import difflib, sys
print(round(difflib.SequenceMatcher(None, sys.argv[1], sys.argv[2]).ratio(), 2))' \
    "$read" "$wanted")
  e2e_log "$1 reads \"$read\" ($likeness alike)"
  python3 -c 'import sys; sys.exit(float(sys.argv[1]) < float(sys.argv[2]))' "$likeness" "$5" ||
    e2e_fail "$1 reads \"$read\", not \"$wanted\" (see ocr-$1.png, $shotname.png)"
}

show_dialog() { # <screenshot's name>
  rm -f "$E2E_DIR/settings.ini"
  e2e_start_clock
  e2e_wait_quarvel 372x202 "first-run dialog"
  sleep 0.5 # painted
  controls=$(e2e_list_controls QUARVEL)
  shotname=$1
  shot=$(e2e_screenshot "$1")
}

close_dialog() {
  e2e_close_request QUARVEL
  e2e_wait_clock
  e2e_close_request QUARVEL
  e2e_expect_exit 0 "a close request"
}

# A message: the clock started without tan.sin reports it (Windows draws the box in its own
# message font, the Linux clock in the dialog's face).
show_message() { # <screenshot's name>
  e2e_settings 300 200 >"$E2E_DIR/settings.ini"
  mv "$E2E_DIR/tan.sin" "$E2E_TMP/tan.sin"
  e2e_start_clock
  e2e_wait_box "a start without tan.sin" 53
  controls=$E2E_BOX shotname=$1
  shot=$(e2e_screenshot "$1")
}

close_message() {
  e2e_dismiss_box
  e2e_expect_exit non-zero "the message was dismissed"
  mv "$E2E_TMP/tan.sin" "$E2E_DIR/tan.sin"
}

show_dialog dialog
expect_reads ok OK 4 eng 0.8
expect_reads readme Readme 4 eng 0.8
expect_reads version 'QUARVEL Ver. 0.60' 0 eng 0.8
expect_reads label1 'QUARVELをご選択いただきましてありがとうございます。' 0 jpn 0.95
expect_reads label4 '詳しくはReadme.txtをお読みください。' 0 jpn 0.95
close_dialog
show_message message
expect_reads message-ok OK 4 eng 0.8
expect_reads message 'Run-time error 53' 0 eng 0.8 6
close_message

# --- No font with both Latin and Japanese glyphs: fontconfig without the ones this desktop
# has, so a CJK font without Latin letters (Droid Sans Fallback, where installed) is the only
# Japanese one left. The Latin texts must come from a face that has them. (Wine keeps the fonts
# it once found in its prefix.) ---
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
  show_dialog no-latin-japanese-font
  expect_reads ok-latin OK 4 eng 0.8
  expect_reads readme-latin Readme 4 eng 0.8
  expect_reads version-latin 'QUARVEL Ver. 0.60' 0 eng 0.8
  close_dialog
  show_message message-latin
  expect_reads message-ok-latin OK 4 eng 0.8
  expect_reads message-latin 'Run-time error 53' 0 eng 0.8 6
  close_message
  unset FONTCONFIG_FILE
fi
e2e_pass
