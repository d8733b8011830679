#!/usr/bin/env bash
# A clock size picked in the skin editor (150 %): "Save and start clock" brings the clock back
# 300 x 300 at its place, the preview's face; it holds on a 2x screen and is kept in settings.ini;
# "Automatic" takes it out again.
source "$(dirname "$0")/lib.sh"
e2e_begin
SIZE_BOX=138 SAVE=127 SAVE_AND_START=128 # src/apps/qvedit-win32/control_ids.h

e2e_skin 300 150
cp "$E2E_DIR/settings.ini" "$E2E_TMP/four-lines.ini"
{ cat "$E2E_TMP/four-lines.ini"; printf ' 150 \r\n'; } >"$E2E_TMP/sized.ini"

start_editor() {
  if [ "$E2E_DRIVER" = wine ]; then
    e2e_start_editor
  else
    cp "$QUARVEL_NATIVE_BUILD/bin/qvedit" "$E2E_DIR/qvedit"
    (cd "$E2E_DIR" && exec ./qvedit) >>"$E2E_TMP/editor.log" 2>&1 </dev/null &
    E2E_EDITOR_PID=$!
    e2e_wait_qvs
  fi
}
type_size() { # <text>: into the size box, as an author does, and Enter
  if [ "$E2E_DRIVER" = wine ]; then
    e2e_click_control qvs $SIZE_BOX
  else
    xdotool mousemove --window "$QVS" 10 10 click 1 # the window, then the box by its mnemonic
    xdotool key alt+k
  fi
  e2e_type_over "$1"
  xdotool key Return
  sleep 0.3
}
click_save() { # save | start
  if [ "$E2E_DRIVER" = wine ]; then
    e2e_click_control qvs "$([ "$1" = save ] && echo $SAVE || echo $SAVE_AND_START)"
  else
    xdotool key "$([ "$1" = save ] && echo alt+s || echo alt+d)"
  fi
}

# The clock once at its own size, which also puts it beside the editor.
e2e_show_clock
e2e_close_clock "a close request at 1x"

# --- 150 % picked in the editor; the clock it starts is 300 x 300 where it was. ---
start_editor
type_size 150
e2e_screenshot size-typed >/dev/null
click_save start
e2e_until 10 e2e_not e2e_qvs_shown || e2e_fail "the editor is still open after Save and start clock"
e2e_wait_clock 300
e2e_expect_geometry "$E2E_WINDOW" 300,150,300,300 "the clock at the size picked"
e2e_expect_preview_face 300 150 300 size-150
e2e_close_request QUARVEL
e2e_until 10 e2e_not e2e_geometry "$E2E_WINDOW" || e2e_fail "the clock did not close"
e2e_expect_bytes "$E2E_DIR/settings.ini" "closed at 150 %" <"$E2E_TMP/sized.ini"

# --- On a 2x screen the size picked holds. ---
e2e_screen_dpi 192
e2e_show_clock 300
e2e_expect_geometry "$E2E_WINDOW" 300,150,300,300 "the clock at 150 % on a 192 dpi screen"
e2e_close_clock "a close request at 192 dpi"
e2e_expect_bytes "$E2E_DIR/settings.ini" "closed at 192 dpi" <"$E2E_TMP/sized.ini"

# --- "Automatic" again: the four lines as they were. ---
e2e_screen_dpi 96
start_editor
type_size Automatic
click_save save
sleep 1
e2e_expect_bytes "$E2E_DIR/settings.ini" "saved with Automatic" <"$E2E_TMP/four-lines.ini"
e2e_close_editor
e2e_pass
