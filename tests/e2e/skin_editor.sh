#!/usr/bin/env bash
# A skin author's round trip under Wine: right-click to qvs, colour and drag the minute hand,
# "Save and start clock" brings back a clock wearing the saved skin; a read-only hand file is
# reported; closing asks; a face from elsewhere is copied in at the save, not before. (Which
# files a save or a copy touches: SkinFiles', FaceImport's and SafeSave's unit tests.)
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_require_tools unzip zip

# Ids of the editor's controls (src/apps/qvedit-win32/control_ids.h), the colour dialog's fields
# (Windows' colordlg.h).
FACE=100 MINUTE_HAND=102 COLOUR=104 BROWSE=116 PEN=118 POSE=123 SAVE=127 SAVE_AND_START=128
STATUS=129 ZOOM=132 RED=706 GREEN=707 BLUE=708

"$QUARVEL_SOURCE_DIR/scripts/make-dist.sh" "$QUARVEL_WINDOWS_BUILD" "$E2E_TMP/quarvel.zip" >/dev/null
unzip -q "$E2E_TMP/quarvel.zip" -d "$E2E_TMP/unzipped"
mv "$E2E_TMP"/unzipped/quarvel/* "$E2E_DIR"/
QUARVEL_EXE=$E2E_DIR/quarvel.exe
e2e_settings 300 200 >"$E2E_DIR/settings.ini"

# A top-level window with that title and a field of that id: the colour dialog.
dialog_with() { # <id>
  CONTROLS=$(wine "$E2E_WINPROBE" list 2>>"$E2E_TMP/winprobe.log" 9>&-)
  DIALOG=$(sed -nE 's/^dialog class="#32770" text="([^"]*)".*/\1/p' <<<"$CONTROLS" | head -n 1)
  [ -n "$DIALOG" ] && CONTROLS=$(e2e_window_controls "$DIALOG") && grep -q " id=$1\$" <<<"$CONTROLS"
}
type_into() { # <window title> <id> <text>
  e2e_click_control "$1" "$2"
  e2e_type_over "$3"
  xdotool key Tab
}

# --- Right-click the running clock: the editor comes up in front. ---
e2e_show_clock
e2e_right_click
e2e_wait_qvs 15
e2e_expect_exit 0 "the editor showed" 5
e2e_until 3 eval '[ "$(xdotool getactivewindow)" = "$QVS" ]' || e2e_fail "qvs is not in front"
e2e_screenshot editor-opened >/dev/null

# --- The minute hand at 10:08:36, a new colour from the colour dialog. ---
e2e_click_control qvs $MINUTE_HAND
e2e_click_control qvs $POSE
e2e_click_control qvs $COLOUR
e2e_until 10 dialog_with $RED || e2e_fail "no colour dialog with a Red field:"$'\n'"$CONTROLS"
e2e_log "colour dialog: $DIALOG"
type_into "$DIALOG" $RED "${E2E_NEW_RGB[0]}"
type_into "$DIALOG" $GREEN "${E2E_NEW_RGB[1]}"
type_into "$DIALOG" $BLUE "${E2E_NEW_RGB[2]}"
e2e_screenshot colour-dialog >/dev/null
e2e_click_control "$DIALOG" 1 # OK
e2e_until 5 e2e_not dialog_with $RED || e2e_fail "the colour dialog stays open"

# --- The tip dragged at 1x (Zoom's second entry, after Fit): the face 1:1 in its view's middle.
e2e_click_control qvs $ZOOM
sleep 0.3
xdotool key Down Return
sleep 0.3
e2e_control_centre "$(e2e_window_controls qvs)" $FACE
e2e_drag_minute_tip $((E2E_CX - 100)) $((E2E_CY - 100)) 1
sleep 0.5
e2e_screenshot dragged >/dev/null

# --- Save and start clock: the editor closes, the clock comes back in the saved skin. ---
e2e_click_control qvs $SAVE_AND_START
e2e_until 10 e2e_not e2e_qvs_shown || e2e_fail "the editor is still open after Save and start clock"
e2e_wait_clock
E2E_PREVIEW="wine $E2E_DIR/quarvel-preview.exe" e2e_expect_new_skin "$E2E_DIR"

# --- A save into a read-only file: reported, and every file stays as it was. ---
e2e_driver_reset # the clock
chmod 444 "$E2E_DIR/byou.sin"
mkdir "$E2E_TMP/before"
cp -p "$E2E_DIR"/{tyou.sin,tan.sin,byou.sin,settings.ini} "$E2E_TMP/before/"
e2e_start_editor 15
e2e_click_control qvs $PEN
e2e_type_over 5
xdotool key Tab
e2e_click_control qvs $SAVE
e2e_wait_editor_box byou.sin "a save into a read-only byou.sin"
for phrase in "Path/File access error" "Nothing was saved"; do
  grep -qF "$phrase" <<<"$BOX" || e2e_fail "the failed save's message does not say '$phrase':"$'\n'"$BOX"
done
e2e_screenshot read-only-save >/dev/null
xdotool key Return

# Closing asks about the unsaved change; "No" closes without writing.
e2e_close_request qvs
e2e_wait_editor_box "not saved" "closing with an unsaved change"
e2e_control_centre "$(sed -E 's/^(  control class="Button" text="&?No" .*)$/\1 id=no/' <<<"$BOX")" no
xdotool mousemove "$E2E_CX" "$E2E_CY" click 1
e2e_expect_editor_gone No
for file in tyou.sin tan.sin byou.sin settings.ini; do
  cmp -s "$E2E_TMP/before/$file" "$E2E_DIR/$file" || e2e_fail "$file changed on closing"
done

# --- A face from elsewhere: copied into the skin folder at the save, under a free name, named
# plainly; nothing on disk before. ---
chmod 644 "$E2E_DIR/byou.sin"
mkdir "$E2E_TMP/elsewhere"
convert "$E2E_DIR/qv.bmp" -negate BMP3:"$E2E_TMP/elsewhere/face2.bmp"
convert "$E2E_DIR/qv.bmp" -flip BMP3:"$E2E_DIR/face2.bmp" # another face2.bmp, already there
e2e_start_editor 15
e2e_open_face $BROWSE "$E2E_TMP/elsewhere/face2.bmp"
e2e_until 10 eval 'e2e_window_controls qvs | grep "copied into the skin folder when you save" >/dev/null' ||
  e2e_fail "the editor does not say the face is copied at the save:"$'\n'"$(e2e_window_controls qvs | grep " id=$STATUS\$")"
[ ! -e "$E2E_DIR/face2-2.bmp" ] || e2e_fail "the face was copied before the save"
e2e_screenshot face-picked >/dev/null
e2e_click_control qvs $SAVE
line3() { sed -n 3p "$E2E_DIR/settings.ini"; }
e2e_until 10 eval '[ "$(line3)" = face2-2.bmp$'"'\\r'"' ]' ||
  e2e_fail "settings.ini line 3 is '$(line3 | tr -d '\r')', expected face2-2.bmp"
e2e_until 10 eval 'e2e_window_controls qvs | grep "Copied face2.bmp" >/dev/null' ||
  e2e_fail "the editor does not say it copied the face:"$'\n'"$(e2e_window_controls qvs | grep " id=$STATUS\$")"
cmp -s "$E2E_TMP/elsewhere/face2.bmp" "$E2E_DIR/face2-2.bmp" || e2e_fail "face2-2.bmp is not the face picked"
e2e_close_editor
e2e_pass
