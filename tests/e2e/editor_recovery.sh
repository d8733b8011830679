#!/usr/bin/env bash
# qvedit.exe at the session's end with unsaved edits keeps them in %LOCALAPPDATA%\QUARVEL\recovery
# (the skin's files untouched), also while "Save them before closing?" is open; the next start
# asks, Yes restores them as unsaved, and Save writes them and removes the copy. The session's
# end is Windows' own: WM_QUERYENDSESSION, then WM_ENDSESSION, sent to every window "qvs".
source "$(dirname "$0")/lib.sh"
e2e_only wine "qvedit.exe is the Windows build's (the Linux editor's is qvedit_recovery)" || exit 0
e2e_begin

# Ids of the editor's controls (src/apps/qvedit-win32/control_ids.h); a message box's Yes button.
PEN=118 SAVE=127 YES=6

e2e_skin 300 200
# %LOCALAPPDATA%\QUARVEL\recovery in the prefix, and this test's copy there (the folder's path is
# in it): another test's, or a stopped run's, stay as they are.
RECOVERY="" KEY=""
copies() { [ -n "$KEY" ] && [ -f "$RECOVERY/$KEY" ]; }
find_copy() {
  local folder
  for folder in "$WINEPREFIX"/drive_c/users/*/AppData/Local/QUARVEL/recovery; do
    [ -d "$folder" ] && RECOVERY=$folder
  done
  [ -n "$RECOVERY" ] &&
    KEY=$(cd "$RECOVERY" && grep -l -F "$(basename "$E2E_TMP")" -- *.skin 2>/dev/null | head -n 1) &&
    [ -n "$KEY" ]
}
pen_is() { [ "$(sed -n 4p "$E2E_DIR/settings.ini")" = " $1 "$'\r' ]; }
baseline() { mkdir -p "$E2E_TMP/before" && cp "$E2E_DIR"/{tyou.sin,tan.sin,byou.sin,settings.ini} "$E2E_TMP/before"/; }
untouched() { # <after what>
  local name
  for name in tyou.sin tan.sin byou.sin settings.ini; do
    cmp -s "$E2E_TMP/before/$name" "$E2E_DIR/$name" || e2e_fail "$name changed after $1"
  done
}
set_pen() { # <width>, typed and not saved
  e2e_click_control qvs $PEN
  e2e_type_over "$1"
  xdotool key Return
  sleep 0.3
  untouched "typing a pen width"
}
end_session() { # <while what>
  wine "$E2E_WINPROBE" endsession qvs >>"$E2E_TMP/winprobe.log" 2>&1 9>&- ||
    e2e_fail "the editor refused the session's end $1"
  e2e_expect_editor_gone "the session's end $1"
  find_copy || e2e_fail "no copy of the edits in the prefix's LOCALAPPDATA after the session's end $1"
  untouched "the session's end $1"
}
restore_and_save() { # <width> <after what>
  e2e_start_editor
  e2e_wait_editor_box "Restore them?" "a start after $2"
  e2e_click_control qvs $YES
  e2e_until 5 e2e_not eval 'e2e_list_controls qvs | grep -qF "Restore them?"' ||
    e2e_fail "the restore question stays open"
  untouched "restoring the edits kept at $2"
  e2e_click_control qvs $SAVE
  e2e_until 5 pen_is "$1" ||
    e2e_fail "Save after restoring did not write pen width $1: $(sed -n 4p "$E2E_DIR/settings.ini")"
  e2e_until 5 e2e_not copies || e2e_fail "the copy of the edits stays after Save"
  baseline
}

baseline
e2e_start_editor
set_pen 7
end_session ""
restore_and_save 7 "the session's end"

# --- The session ends while the editor asks "Save them before closing?". ---
set_pen 9
e2e_close_request qvs
e2e_wait_editor_box "Save them before closing?" "a close request with a change not saved"
e2e_screenshot close-question >/dev/null
end_session "with the close question open"
restore_and_save 9 "the session's end with the close question open"
e2e_close_editor "everything saved"
e2e_pass
