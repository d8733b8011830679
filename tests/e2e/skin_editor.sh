#!/usr/bin/env bash
# A skin author's round trip under Wine: right-click to qvs, colour and drag the minute hand,
# "Save and start clock" brings back a clock wearing exactly the saved skin. A read-only hand file
# is reported; closing asks; a face from elsewhere is copied in. Which files a failed save or a
# copy touches, and planted files, are SkinFiles', FaceImport's and SafeSave's unit tests'.
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_require_tools unzip zip

# Ids of the editor's controls (apps/qvedit-win32/editor_window.h) and of the colour
# dialog's fields (Windows' colordlg.h), and the open dialog's file name field (dlgs.h).
FACE=100 MINUTE_HAND=102 COLOUR=104 BROWSE=116 PEN=118 POSE=123 SAVE=127 SAVE_AND_START=128
STATUS=129 ZOOM=132 FILE_NAME=1148
RED=706 GREEN=707 BLUE=708
NEW_RGB=(10 200 60)
NEW_COLORREF=$((10 + 200 * 256 + 60 * 65536))

"$QUARVEL_SOURCE_DIR/scripts/make-dist.sh" "$QUARVEL_WINDOWS_BUILD" "$E2E_TMP/quarvel.zip" >/dev/null
unzip -q "$E2E_TMP/quarvel.zip" -d "$E2E_TMP/unzipped"
mv "$E2E_TMP"/unzipped/quarvel/* "$E2E_DIR"/
QUARVEL_EXE=$E2E_DIR/quarvel.exe
e2e_settings 300 200 >"$E2E_DIR/settings.ini" # no first run

# A top-level window with that title and a field of that id: the colour dialog.
dialog_with() { # <id>
  CONTROLS=$(wine "$E2E_WINPROBE" list 2>>"$E2E_TMP/winprobe.log" 9>&-)
  DIALOG=$(sed -nE 's/^dialog class="#32770" text="([^"]*)".*/\1/p' <<<"$CONTROLS" | head -n 1)
  [ -n "$DIALOG" ] && CONTROLS=$(e2e_window_controls "$DIALOG") && grep -q " id=$1\$" <<<"$CONTROLS"
}

type_into() { # <window title> <id> <text>
  e2e_click_control "$1" "$2"
  xdotool key --clearmodifiers End shift+Home BackSpace
  xdotool type --delay 30 "$3"
  xdotool key Tab
}

# --- Right-click the running clock: the editor comes up in front. ---
e2e_start_clock
e2e_wait_clock
e2e_right_click
e2e_until 15 e2e_qvs_shown || e2e_fail "no editor window qvs within 15 s of the right-click"
e2e_expect_exit 0 "the editor showed" 5
e2e_until 3 eval '[ "$(xdotool getactivewindow)" = "$QVS" ]' || e2e_fail "qvs is not in front"
sleep 0.5
e2e_screenshot editor-opened >/dev/null

# --- The minute hand at 10:08:36, a new colour from the colour dialog. ---
e2e_click_control qvs $MINUTE_HAND
e2e_click_control qvs $POSE
e2e_click_control qvs $COLOUR
e2e_until 10 dialog_with $RED || e2e_fail "no colour dialog with a Red field:"$'\n'"$CONTROLS"
e2e_log "colour dialog: $DIALOG"
type_into "$DIALOG" $RED "${NEW_RGB[0]}"
type_into "$DIALOG" $GREEN "${NEW_RGB[1]}"
type_into "$DIALOG" $BLUE "${NEW_RGB[2]}"
e2e_screenshot colour-dialog >/dev/null
e2e_click_control "$DIALOG" 1 # OK
e2e_until 5 e2e_not dialog_with $RED || e2e_fail "the colour dialog stays open"

# --- Drag the tip (point 7: 0,85) 30 degrees on and out to the dial's full radius. ---
# At 1x (the second entry of Zoom, after Fit) the face lies 1:1 in the middle of its view.
# The 200-pixel face's dial: centre (100, 100), radius 80; the minute hand stands at 48 degrees.
e2e_click_control qvs $ZOOM
sleep 0.3
xdotool key Down Return
sleep 0.3
face_pixel() { # <degrees clockwise of 12> <pixels from the centre> -> "x y" in face pixels
  awk -v a="$1" -v r="$2" 'BEGIN { t = (90 - a) * 3.14 / 180
    printf "%d %d\n", 100 + cos(t) * r + 0.5, 100 - sin(t) * r + 0.5 }'
}
e2e_control_centre "$(e2e_window_controls qvs)" $FACE
face_x=$((E2E_CX - 100)) face_y=$((E2E_CY - 100))
read -r tip_x tip_y < <(face_pixel 48 68)
xdotool mousemove $((face_x + tip_x)) $((face_y + tip_y)) mousedown 1
for step in 1 2 3 4 5 6; do
  read -r x y < <(face_pixel $((48 + 5 * step)) $((68 + 2 * step)))
  xdotool mousemove $((face_x + x)) $((face_y + y))
  sleep 0.1
done
xdotool mouseup 1
sleep 0.5
e2e_screenshot dragged >/dev/null

# --- Save and start clock: the editor closes, the clock comes back in the saved skin. ---
e2e_click_control qvs $SAVE_AND_START
e2e_until 10 e2e_not e2e_qvs_shown || e2e_fail "the editor is still open after Save and start clock"
e2e_wait_clock
tip=$(sed -n 8p "$E2E_DIR/tyou.sin")
[ "$(head -n 1 "$E2E_DIR/tyou.sin")" = "$NEW_COLORREF"$'\r' ] ||
  e2e_fail "tyou.sin does not start with the new colour $NEW_COLORREF: $(head -n 1 "$E2E_DIR/tyou.sin")"
awk -F, '{ exit !($1 >= 28 && $1 <= 32 && $2 + 0 >= 98 && $2 + 0 <= 102) }' <<<"${tip%$'\r'}" ||
  e2e_fail "the dragged tip was saved as '$tip', expected about 30,100"
e2e_log "saved tip: ${tip%$'\r'}"

# The clock's face is the Windows preview tool's drawing of the saved files.
e2e_geometry "$E2E_WINDOW"
E2E_PREVIEW="wine $E2E_DIR/quarvel-preview.exe" e2e_expect_preview_face "$E2E_X" "$E2E_Y" 200 clock-in-new-skin
[ "$(e2e_count_colour "$E2E_ART/clock-in-new-skin.png" "$(IFS=,; echo "${NEW_RGB[*]}")" "$E2E_X" "$E2E_Y" 200 200)" -gt 20 ] ||
  e2e_fail "the clock shows no minute hand in the new colour (clock-in-new-skin.png)"

# --- A save into a read-only file: reported, and every file stays as it was. ---
e2e_driver_reset # the clock
chmod 444 "$E2E_DIR/byou.sin"
mkdir "$E2E_TMP/before"
cp -p "$E2E_DIR"/{tyou.sin,tan.sin,byou.sin,settings.ini} "$E2E_TMP/before/"
e2e_start_editor
e2e_until 15 e2e_qvs_shown || e2e_fail "qvedit.exe started alone shows no qvs within 15 s"
sleep 0.5
type_into qvs $PEN 5
e2e_click_control qvs $SAVE
e2e_until 10 eval 'BOX=$(e2e_list_controls qvs) && grep -q "^dialog" <<<"$BOX"' ||
  e2e_fail "no message after a save into a read-only byou.sin"
for phrase in "byou.sin" "Path/File access error" "Nothing was saved"; do
  grep -qF "$phrase" <<<"$BOX" || e2e_fail "the failed save's message does not say '$phrase':"$'\n'"$BOX"
done
e2e_screenshot read-only-save >/dev/null
xdotool key Return

# Closing asks about the unsaved change; "No" closes without writing.
e2e_close_request qvs
e2e_until 10 eval 'BOX=$(e2e_list_controls qvs) && grep -q "not saved" <<<"$BOX"' ||
  e2e_fail "closing with an unsaved change asks nothing"
e2e_control_centre "$(sed -E 's/^(  control class="Button" text="&?No" .*)$/\1 id=no/' <<<"$BOX")" no
xdotool mousemove "$E2E_CX" "$E2E_CY" click 1
e2e_until 10 e2e_not kill -0 "$E2E_EDITOR_PID" 2>/dev/null || e2e_fail "the editor still runs after No"
for file in tyou.sin tan.sin byou.sin settings.ini; do
  cmp -s "$E2E_TMP/before/$file" "$E2E_DIR/$file" || e2e_fail "$file changed on closing"
done

# --- A face from elsewhere: copied into the skin folder under a free name, named plainly. ---
chmod 644 "$E2E_DIR/byou.sin"
mkdir "$E2E_TMP/elsewhere"
convert "$E2E_DIR/qv.bmp" -negate BMP3:"$E2E_TMP/elsewhere/face2.bmp"
convert "$E2E_DIR/qv.bmp" -flip BMP3:"$E2E_DIR/face2.bmp" # another face2.bmp, already there
e2e_start_editor
e2e_until 15 e2e_qvs_shown || e2e_fail "qvedit.exe shows no qvs within 15 s"
sleep 0.5
e2e_click_control qvs $BROWSE
# Laid out in steps, the Open button last; the first open dialog of a prefix is slow. grep reads
# all (not -q): tee, cut off early, would fail the pipe.
e2e_until 60 eval 'e2e_window_controls "Face bitmap" | grep "class=\"Button\" .* id=1\$" >/dev/null' ||
  e2e_fail "no open dialog with an Open button"
sleep 0.5
e2e_click_control "Face bitmap" $FILE_NAME
xdotool key --clearmodifiers End shift+Home BackSpace
xdotool type --delay 30 "Z:${E2E_TMP//\//\\}\\elsewhere\\face2.bmp"
e2e_screenshot open-dialog >/dev/null
xdotool key Return # Open
e2e_until 10 eval 'e2e_window_controls qvs | grep "Copied face2.bmp" >/dev/null' ||
  e2e_fail "the editor does not say it copied the face:"$'\n'"$(e2e_window_controls qvs | grep " id=$STATUS\$")"
e2e_screenshot face-copied >/dev/null
e2e_click_control qvs $SAVE
line3() { sed -n 3p "$E2E_DIR/settings.ini"; }
e2e_until 10 eval '[ "$(line3)" = face2-2.bmp$'"'\\r'"' ]' ||
  e2e_fail "settings.ini line 3 is '$(line3 | tr -d '\r')', expected face2-2.bmp"
e2e_close_request qvs
e2e_until 10 e2e_not kill -0 "$E2E_EDITOR_PID" 2>/dev/null || e2e_fail "the editor still runs after closing"
e2e_pass
