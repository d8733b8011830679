#!/usr/bin/env bash
# The skin editor's face view and keys: the selected handle's size and the 4x zoom's blocks, the
# view growing with the window; typing over Angle, arrows, undo and redo, Delete, Ctrl+S and
# Symmetric, each step checked in the file the save writes. Then its folders: Save a copy... edits
# on in the copy, New skin... asks about the change first, then fills an empty folder.
source "$(dirname "$0")/lib.sh"
e2e_begin

# Ids of the editor's controls (src/apps/qvedit-win32/control_ids.h).
FACE=100 POINTS=106 ANGLE=108 PERCENT=110 POSE=123 STATUS=129 SYMMETRIC=130 ZOOM=132
HANDLE_FILL=255,96,0 # the selected handle's inside (src/apps/qvedit-win32/face_view.cpp)

e2e_skin 300 200
expect_point() { # <angle> <percent> <after what>
  WANT="$1,$2"
  e2e_until 5 eval '[ "$(e2e_control_text $ANGLE),$(e2e_control_text $PERCENT)" = "$WANT" ]' ||
    e2e_fail "after $3 the point is $(e2e_control_text $ANGLE),$(e2e_control_text $PERCENT), expected $1,$2"
}
saved_line() { # <line of tan.sin, the hour hand> <expected> <after what>
  LINE=$1 WANT=$2$'\r'
  e2e_until 5 eval '[ "$(sed -n "${LINE}p" "$E2E_DIR/tan.sin")" = "$WANT" ]' ||
    e2e_fail "after $3 line $1 of tan.sin is '$(sed -n "$1p" "$E2E_DIR/tan.sin" | tr -d '\r')', expected '$2'"
}
click_face_corner() { # focuses the face view without touching a point
  face_rect
  xdotool mousemove $((FX + 3)) $((FY + 3)) click 1
}
face_rect() { # sets FX FY FW FH, the face view on the screen
  IFS=, read -r FX FY FW FH < <(e2e_window_controls qvs |
    sed -nE "s/^  control .* rect=([-0-9,]+) id=$FACE\$/\1/p")
}
zoom_to() { # <keys that pick the entry in the open list>
  e2e_click_control qvs $ZOOM
  sleep 0.3
  xdotool key "$@" Return
  sleep 0.7
}

e2e_start_editor

# --- The zoom. ---
e2e_click_control qvs $POSE
e2e_click_control qvs $POINTS
xdotool key Home # the hour hand's first point, 180,9, selected

face_rect
zoom_to Down # Fit, 1x
shot=$(e2e_screenshot zoom-1x)
at1=$(e2e_count_colour "$shot" $HANDLE_FILL "$FX" "$FY" "$FW" "$FH")
zoom_to End # 4x
shot=$(e2e_screenshot zoom-4x)
at4=$(e2e_count_colour "$shot" $HANDLE_FILL "$FX" "$FY" "$FW" "$FH")
e2e_log "the selected handle's fill: $at1 pixels at 1x, $at4 at 4x"
[ "$at1" -eq 81 ] && [ "$at4" -eq 81 ] ||
  e2e_fail "the selected handle is $at1 pixels at 1x and $at4 at 4x, expected 81 at both"

# Right of and below the middle, away from the handles: at one of the 16 ways 4 x 4 blocks can
# lie, the region is its own one-in-four sample blown up again.
x=$((FX + FW / 2 + 60)) y=$((FY + FH / 2 + 60)) w=$((FW / 2 - 70)) h=$((FH / 2 - 70))
[ "$w" -ge 40 ] && [ "$h" -ge 40 ] || e2e_fail "the face view is too small: ${FW}x$FH"
w=$((w / 4 * 4 - 4)) h=$((h / 4 * 4 - 4)) whole=""
for at in {0..15}; do
  convert "$shot" -crop "${w}x$h+$((x + at % 4))+$((y + at / 4))" +repage "$E2E_TMP/region.png"
  convert "$E2E_TMP/region.png" -sample 25% -sample 400% "$E2E_TMP/blocks.png"
  [ "$(e2e_count_diff "$E2E_TMP/region.png" "$E2E_TMP/blocks.png" 0 0 "$w" "$h")" -ne 0 ] ||
    { whole=$at && break; }
done
[ -n "$whole" ] || e2e_fail "at 4x the face is not whole blocks of 4 x 4 pixels (zoom-4x.png)"

# The window made larger, as with its frame: the face view takes the room. It first opens as
# large as the screen allows, so it is made smaller to have room to grow.
large="${FW}x$FH"
e2e_geometry "$QVS"
xdotool windowsize "$QVS" $((E2E_W - 40)) $((E2E_H - 60))
e2e_until 5 eval 'face_rect && [ "${FW}x$FH" != "$large" ]' || e2e_fail "the face view stays ${FW}x$FH in a smaller window"
before="${FW}x$FH"
e2e_geometry "$QVS"
xdotool windowsize "$QVS" $((E2E_W + 40)) $((E2E_H + 60)) # still within the 1024 x 768 screen
e2e_until 5 eval 'face_rect && [ "$FW" -ge $((${before%x*} + 40)) ] && [ "$FH" -ge $((${before#*x} + 60)) ]' ||
  e2e_fail "the face view is ${FW}x$FH after the window grew by 40 x 60; it was $before"
e2e_log "the face view: $before, ${FW}x$FH after the window grew"
e2e_screenshot grown >/dev/null
zoom_to Home # Fit: the face view's corner clear of the points

# --- The keys: the hour hand's first point (180,9), chosen in the list with the keyboard. ---
e2e_click_control qvs $POINTS
xdotool key Home
expect_point 180 9 "Home in the point list"

# A click into Angle, then typing: the typed number replaces the old one.
e2e_click_control qvs $ANGLE
xdotool type --delay 40 110
xdotool key Return
expect_point 110 9 "typing 110 into Angle"
xdotool key ctrl+s
saved_line 2 110,9 "Ctrl+S"

# The arrow keys on the face: right is a degree clockwise, up a percent out.
click_face_corner
xdotool key Right Right Up
expect_point 112 10 "Right, Right, Up on the face"
xdotool key ctrl+z
expect_point 112 9 "Ctrl+Z"
xdotool key ctrl+y ctrl+z
expect_point 112 9 "Ctrl+Y, Ctrl+Z"
xdotool key Delete
e2e_until 5 eval 'e2e_control_text $STATUS | grep "17 of 51 points" >/dev/null' ||
  e2e_fail "Delete on the face did not remove the point: $(e2e_control_text $STATUS)"
xdotool key ctrl+s
saved_line 2 -140,8 "Delete and Ctrl+S"
xdotool key ctrl+z ctrl+s
saved_line 2 112,9 "Ctrl+Z and Ctrl+S"

# Symmetric: the second point (-140,8) and its mirror (140,8) move together.
grep -q '^140,8' "$E2E_DIR/tan.sin" || e2e_fail "the default hour hand has no 140,8"
e2e_click_control qvs $SYMMETRIC
e2e_click_control qvs $POINTS
xdotool key Home Down
expect_point -140 8 "Home, Down in the point list"
click_face_corner
xdotool key Left Up ctrl+s
expect_point -141 9 "Left, Up with Symmetric on"
saved_line 3 -141,9 "a symmetric nudge"
grep -q '^141,9'$'\r''$' "$E2E_DIR/tan.sin" || e2e_fail "the mirror did not follow: $(tr -d '\r' <"$E2E_DIR/tan.sin" | tr '\n' ' ')"
e2e_screenshot keys-done >/dev/null
e2e_close_editor

# --- The folders, from the default skin again: the buttons reach the session, whose refusals
# and files are checked once in editor_session_test and skin_folder_test. ---
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
[ "$(sed -n 4p "$E2E_TMP/copy/settings.ini")" = $' 5 \r' ] ||
  e2e_fail "the copy's pen width is '$(sed -n 4p "$E2E_TMP/copy/settings.ini")', expected 5"
set_pen 7
xdotool key ctrl+s
e2e_until 5 eval '[ "$(sed -n 4p "$E2E_TMP/copy/settings.ini")" = $'"' 7 \\r'"' ]' ||
  e2e_fail "Ctrl+S after the copy did not write the copy's settings.ini"
cmp -s "$E2E_TMP/settings-before.ini" "$E2E_DIR/settings.ini" || e2e_fail "the original settings.ini changed"

# --- New skin, with a change not saved: asked first ("No" drops it), then the default skin. ---
set_pen 9
e2e_click_control qvs $NEW
e2e_wait_editor_box "before opening another skin" "New skin with a change not saved"
xdotool key n
folder_dialog "$E2E_TMP/fresh"
expect_folder_line "Skin: $(winpath "$E2E_TMP/fresh")"
cmp -s "$QUARVEL_SOURCE_DIR/data/tan.sin" "$E2E_TMP/fresh/tan.sin" || e2e_fail "the new skin is not the default's"
[ "$(sed -n 4p "$E2E_TMP/copy/settings.ini")" = $' 7 \r' ] || e2e_fail "the dropped change reached the copy"
e2e_screenshot new-skin >/dev/null
e2e_close_editor
e2e_pass
