#!/usr/bin/env bash
# The skin editor's keys, as an author types them: a click into Angle takes the field's whole
# text, so "110" replaces "180" (it was appended once: "180110"); with the face focused the
# arrow keys nudge the selected point by a degree or a percent, each nudge one undo step
# (Ctrl+Z, Ctrl+Y); Delete removes the point; Ctrl+S saves. With Symmetric on, a nudge moves the
# point's mirror too. Each step is checked in the hour hand's file the save writes.
source "$(dirname "$0")/lib.sh"
e2e_begin

# Ids of the editor's controls (apps/qvedit-win32/editor_window.h).
FACE=100 POINTS=106 ANGLE=108 PERCENT=110 STATUS=129 SYMMETRIC=130

e2e_copy_data tyou.sin tan.sin byou.sin qv.bmp
e2e_settings 300 200 >"$E2E_DIR/settings.ini"
qvs_shown() {
  QVS=$(xdotool search --onlyvisible --name '^qvs$' 2>/dev/null | head -n 1) && [ -n "$QVS" ]
}
field() { # <id> -> the control's text
  e2e_window_controls qvs | sed -nE "s/^  control class=\"[^\"]*\" text=\"([^\"]*)\" .* id=$1\$/\1/p"
}
expect_point() { # <angle> <percent> <after what>
  WANT="$1,$2"
  e2e_until 5 eval '[ "$(field $ANGLE),$(field $PERCENT)" = "$WANT" ]' ||
    e2e_fail "after $3 the point is $(field $ANGLE),$(field $PERCENT), expected $1,$2"
}
saved_line() { # <line of tan.sin, the hour hand> <expected> <after what>
  LINE=$1 WANT=$2$'\r'
  e2e_until 5 eval '[ "$(sed -n "${LINE}p" "$E2E_DIR/tan.sin")" = "$WANT" ]' ||
    e2e_fail "after $3 line $1 of tan.sin is '$(sed -n "$1p" "$E2E_DIR/tan.sin" | tr -d '\r')', expected '$2'"
}
click_face_corner() { # focuses the face view without touching a point
  e2e_control_centre "$(e2e_window_controls qvs)" $FACE
  local rect
  rect=$(e2e_window_controls qvs | sed -nE "s/^  control .* rect=([-0-9,]+) id=$FACE\$/\1/p")
  IFS=, read -r fx fy _ _ <<<"$rect"
  xdotool mousemove $((fx + 3)) $((fy + 3)) click 1
}

e2e_start_editor
e2e_until 20 qvs_shown || e2e_fail "no editor window qvs"
sleep 0.5

# The hour hand's first point (180,9), chosen in the list with the keyboard.
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
e2e_until 5 eval 'field $STATUS | grep "17 of 51 points" >/dev/null' ||
  e2e_fail "Delete on the face did not remove the point: $(field $STATUS)"
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
e2e_close_request qvs
e2e_until 10 e2e_not kill -0 "$E2E_EDITOR_PID" 2>/dev/null || e2e_fail "the editor does not close"
e2e_pass
