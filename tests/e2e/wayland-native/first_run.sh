#!/usr/bin/env bash
# The first run of the native Wayland clock greets as the X11 one does: with no settings.ini
# the dialog (a window of its own, titled "QUARVEL", 372x202) shows before the clock, with its
# banner and its texts readable (OCR); Escape leaves it open, Enter closes it and the clock
# follows; a second start shows the clock and no dialog.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin
e2e_wln_native
e2e_require_tools tesseract python3

# Fails unless tesseract reads the text in the dialog's x y w h at least as alike as given.
expect_reads() { # <name> <text> <x> <y> <w> <h> <language> <least likeness>
  convert "$shot" -crop "$5x$6+$((E2E_X + $3))+$((E2E_Y + $4))" +repage -colorspace gray \
    -scale 400% -blur 0x2 -bordercolor white -border 20 "$E2E_ART/ocr-$1.png"
  local read
  read=$(tesseract "$E2E_ART/ocr-$1.png" - --psm 7 -l "$7" 2>/dev/null | tr -d ' \n\f')
  python3 -c 'import difflib, sys
alike = round(difflib.SequenceMatcher(None, sys.argv[1], sys.argv[2]).ratio(), 2)
print(alike); sys.exit(alike < float(sys.argv[3]))' "$read" "${2// /}" "$8" >"$E2E_TMP/alike" ||
    e2e_fail "$1 reads \"$read\", not \"$2\" ($(cat "$E2E_TMP/alike") alike; ocr-$1.png)"
  e2e_log "$1 reads \"$read\" ($(cat "$E2E_TMP/alike") alike)"
}

e2e_skin # no settings.ini: a first run
e2e_start_clock
e2e_until 15 e2e_wln_dialog_shown ||
  e2e_fail "no dialog titled QUARVEL in 15 s: $(e2e_wln_dialogs) $(tail -n 3 "$E2E_TMP/clock.log")"
read -r E2E_X E2E_Y E2E_W E2E_H focused _ < <(e2e_wln_dialogs | grep ' QUARVEL$')
[ "$E2E_W"x"$E2E_H" = 372x202 ] || e2e_fail "the dialog is ${E2E_W}x$E2E_H, not 372x202"
[ "$focused" = true ] || e2e_fail "the dialog has not the keyboard"
shot=$(e2e_screenshot dialog)
# Readable: dark text on its light ground, and the texts where the layout puts them (twips at
# 15 a pixel): OK and Readme on their buttons, the version under the banner.
dark=$(convert "$shot" -crop "${E2E_W}x$E2E_H+$E2E_X+$E2E_Y" +repage -colorspace gray \
  -threshold 35% -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$dark" -ge 300 ] || e2e_fail "the dialog shows $dark dark pixels: no text on it ($shot)"
expect_reads ok OK 284 12 73 17 eng 0.8
expect_reads readme Readme 284 76 73 17 eng 0.8
expect_reads version 'QUARVEL Ver. 0.60' 8 80 145 17 eng 0.8
# The start-up waits for the dialog: no clock yet, nothing written.
[ ! -e "$E2E_DIR/settings.ini" ] || e2e_fail "settings.ini was written while the dialog is open"
convert "$shot" -fill "rgb($E2E_WL_DESKTOP)" \
  -draw "rectangle $((E2E_X - 4)),$((E2E_Y - 30)) $((E2E_X + E2E_W + 4)),$((E2E_Y + E2E_H + 4))" \
  "$E2E_TMP/around.png"
box=$(e2e_wln_shown_box "$E2E_TMP/around.png") || true
[ "${box%% *}" = 0 ] ||
  e2e_fail "something besides the dialog shows at $box while it is open ($shot)"

# Escape leaves it open (it has no cancel button); Enter presses OK.
e2e_wln_key Escape
! e2e_for 1 e2e_not e2e_wln_dialog_shown || e2e_fail "Escape closed the dialog"
e2e_wln_key Return
e2e_until 10 e2e_not e2e_wln_dialog_shown || e2e_fail "Enter left the dialog open"
e2e_until 15 eval 'e2e_wln_face_box shown && [ "$E2E_W,$E2E_H" = 199,199 ]' ||
  e2e_fail "no clock after the dialog closed (shown.png: ${E2E_W:-?}x${E2E_H:-?})"
kill -TERM "$E2E_CLOCK_PID"
e2e_expect_exit 0 "SIGTERM"
[ -e "$E2E_DIR/settings.ini" ] || e2e_fail "the first run's clock saved no settings.ini"

# A second start: the clock, and no dialog.
e2e_wln_wait_face 200
! e2e_wln_dialog_shown || e2e_fail "the second start showed the dialog again: $(e2e_wln_dialogs)"
e2e_stop_clock

# The buttons as a person uses them on another first run: a click on Readme does not close it,
# a click on OK does; and on a third, Tab to Readme and back, then Space presses OK.
first_run_dialog() { # <which run>
  rm -f "$E2E_DIR/settings.ini"
  e2e_start_clock
  e2e_until 15 e2e_wln_dialog_shown || e2e_fail "no dialog on the $1 first run"
  read -r E2E_X E2E_Y _ < <(e2e_wln_dialogs | grep ' QUARVEL$')
}
# Readme's viewer: a stand-in xdg-open that notes what it was asked to open.
mkdir -p "$E2E_TMP/bin"
printf '#!/bin/sh\necho "$1" >>"$PWD/xdg-open.log"\n' >"$E2E_TMP/bin/xdg-open"
chmod 755 "$E2E_TMP/bin" "$E2E_TMP/bin/xdg-open"
first_run_dialog second
e2e_pointer "move $((E2E_X + 320)) $((E2E_Y + 84))" "click left"
! e2e_for 1 e2e_not e2e_wln_dialog_shown || e2e_fail "a click on Readme closed the dialog"
e2e_until 5 grep -q 'readme.txt$' "$E2E_DIR/xdg-open.log" ||
  e2e_fail "a click on Readme opened no readme.txt: $(cat "$E2E_DIR/xdg-open.log" 2>&1)"
e2e_pointer "move $((E2E_X + 320)) $((E2E_Y + 20))" "click left"
e2e_until 10 e2e_not e2e_wln_dialog_shown || e2e_fail "a click on OK left the dialog open"
e2e_pointer_away
e2e_until 15 eval 'e2e_wln_face_box shown && [ "$E2E_W,$E2E_H" = 199,199 ]' ||
  e2e_fail "no clock after OK was clicked"
e2e_stop_clock
first_run_dialog third
e2e_wln_key Tab
e2e_wln_key Tab
e2e_wln_key space
e2e_until 10 e2e_not e2e_wln_dialog_shown || e2e_fail "Space on OK (after Tab twice) left the dialog open"
e2e_until 15 eval 'e2e_wln_face_box shown && [ "$E2E_W,$E2E_H" = 199,199 ]' ||
  e2e_fail "no clock after Space closed the dialog"
e2e_stop_clock
e2e_pass
