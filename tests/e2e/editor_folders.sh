#!/usr/bin/env bash
# Save a copy... writes the edited skin into another folder and edits on there; New skin...
# fills an empty folder with the default skin; a folder that holds a skin already gets no copy.
source "$(dirname "$0")/lib.sh"
e2e_begin

PEN=118 COPY=135 NEW=133 FOLDER_LINE=136 FOLDER_EDIT=1152 # the folder dialog's name field
e2e_skin 300 200
mkdir "$E2E_TMP/copy" "$E2E_TMP/fresh"
cp "$E2E_DIR/settings.ini" "$E2E_TMP/settings-before.ini"
winpath() { printf 'Z:%s' "${1//\//\\}"; }
folder_dialog() { # <folder>: the folder dialog, the path typed into its field
  e2e_until 20 eval 'DIALOG=$(e2e_list_controls) && grep -q "^dialog" <<<"$DIALOG"' ||
    e2e_fail "no folder dialog"
  local title
  title=$(sed -nE 's/^dialog class="#32770" text="([^"]*)".*/\1/p' <<<"$DIALOG" | head -n 1)
  e2e_until 10 eval 'e2e_window_controls "$title" | grep " id=$FOLDER_EDIT\$" >/dev/null' ||
    e2e_fail "the folder dialog '$title' has no path field:"$'\n'"$(e2e_window_controls "$title")"
  sleep 1.5 # the first folder dialog of a prefix fills its tree slowly
  e2e_click_control "$title" $FOLDER_EDIT
  e2e_type_over "$(winpath "$1")"
  e2e_screenshot "folder-dialog" >/dev/null
  xdotool key Return
  e2e_until 10 e2e_not eval 'e2e_list_controls "$title" | grep "^dialog" >/dev/null' ||
    e2e_fail "the folder dialog stays open"
}
expect_folder_line() { # <text>
  WANT=${1//\\/\\\\} # as winprobe quotes it
  e2e_until 5 eval '[ "$(e2e_control_text $FOLDER_LINE)" = "$WANT" ]' ||
    e2e_fail "the folder line says '$(e2e_control_text $FOLDER_LINE)', expected '$WANT'"
}
set_pen() { # <width>
  e2e_click_control qvs $PEN
  xdotool type --delay 30 "$1"
  xdotool key Return
}

e2e_start_editor
expect_folder_line "Skin: $(winpath "$E2E_DIR")"
set_pen 5
expect_folder_line "Skin: $(winpath "$E2E_DIR") (not saved)"

# --- Save a copy: the edited skin in the copy, the original untouched, the copy edited on. ---
e2e_click_control qvs $COPY
folder_dialog "$E2E_TMP/copy"
expect_folder_line "Skin: $(winpath "$E2E_TMP/copy")"
for file in tyou.sin tan.sin byou.sin qv.bmp; do
  cmp -s "$E2E_DIR/$file" "$E2E_TMP/copy/$file" || e2e_fail "the copy's $file differs from the skin's"
done
[ "$(sed -n 4p "$E2E_TMP/copy/settings.ini")" = $' 5 \r' ] ||
  e2e_fail "the copy's pen width is '$(sed -n 4p "$E2E_TMP/copy/settings.ini")', expected 5"
set_pen 7
xdotool key ctrl+s
e2e_until 5 eval '[ "$(sed -n 4p "$E2E_TMP/copy/settings.ini")" = $'"' 7 \\r'"' ]' ||
  e2e_fail "Ctrl+S after the copy did not write the copy's settings.ini"
cmp -s "$E2E_TMP/settings-before.ini" "$E2E_DIR/settings.ini" || e2e_fail "the original settings.ini changed"

# --- A copy into a folder with a skin: refused, nothing written. ---
e2e_click_control qvs $COPY
folder_dialog "$E2E_DIR"
e2e_wait_editor_box "holds a skin already" "a copy over another skin"
xdotool key Return
cmp -s "$E2E_TMP/settings-before.ini" "$E2E_DIR/settings.ini" || e2e_fail "the refused copy wrote settings.ini"
expect_folder_line "Skin: $(winpath "$E2E_TMP/copy")"

# --- New skin, with a change not saved: asked first ("No" drops it), then the default skin. ---
set_pen 9
e2e_click_control qvs $NEW
e2e_wait_editor_box "before opening another skin" "New skin with a change not saved"
xdotool key n
folder_dialog "$E2E_TMP/fresh"
expect_folder_line "Skin: $(winpath "$E2E_TMP/fresh")"
for file in tyou.sin tan.sin byou.sin qv.bmp; do
  cmp -s "$QUARVEL_SOURCE_DIR/data/$file" "$E2E_TMP/fresh/$file" || e2e_fail "the new skin's $file is not the default's"
done
[ "$(sed -n 4p "$E2E_TMP/copy/settings.ini")" = $' 7 \r' ] || e2e_fail "the dropped change reached the copy"
e2e_screenshot new-skin >/dev/null
e2e_close_editor
e2e_pass
