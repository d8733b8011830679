#!/usr/bin/env bash
# The Linux editor ended with unsaved edits keeps them: after SIGTERM, SIGHUP, SIGTERM while
# "Save them before closing?" is open, and the display's end, the next start on the skin folder
# asks, Restore (the default button, Enter) brings the edit back as unsaved with the skin's files
# untouched, and Save writes it. A second signal ends the editor at once.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "qvedit for Linux is the native build's" || exit 0
e2e_begin
e2e_linux_editor
export XDG_STATE_HOME=$E2E_TMP/state
RECOVERY=$XDG_STATE_HOME/quarvel/recovery
skin=$E2E_TMP/skin
mkdir "$skin"
e2e_skin 300 200
mv "$E2E_DIR"/{qv.bmp,tyou.sin,tan.sin,byou.sin,settings.ini} "$skin"/

qvs_windows() { xdotool search --onlyvisible --name '^qvs$' 2>/dev/null || true; }
owned() { xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id'; }
# The editor's own window, and a question it asks (a box owned by it, also titled qvs).
main_window() {
  local id
  for id in $(qvs_windows); do owned "$id" || { QVS=$id && return 0; }; done
  return 1
}
question() {
  local id
  for id in $(qvs_windows); do owned "$id" && QUESTION=$id && return 0; done
  return 1
}
start_editor() {
  (cd "$skin" && exec "$EDITOR") >>"$E2E_TMP/editor.log" 2>&1 </dev/null &
  EDITOR_PID=$!
  e2e_until 20 main_window || e2e_fail "no editor window qvs within 20 s"
  sleep 0.5 # laid out and painted
}
editor_ended() { # <what ended it> -> EDITOR_CODE
  e2e_until 10 e2e_not kill -0 "$EDITOR_PID" 2>/dev/null || e2e_fail "the editor runs on after $1"
  EDITOR_CODE=0
  wait "$EDITOR_PID" || EDITOR_CODE=$?
  e2e_log "the editor ended with code $EDITOR_CODE after $1"
}
has_copy() { compgen -G "$RECOVERY/*.skin" >/dev/null; }
pen_is() { [ "$(sed -n 4p "$skin/settings.ini")" = " $1 "$'\r' ]; }
# What the skin's files hold now is what every later check compares with.
baseline() { rm -rf "$E2E_TMP/pristine" && cp -a "$skin" "$E2E_TMP/pristine"; }
untouched() { # <after what>
  diff -r "$E2E_TMP/pristine" "$skin" >/dev/null || e2e_fail "the skin's files changed after $1"
}
# The pen width typed, as an author does, and not saved.
edit_pen() { # <width>
  e2e_key "$QVS" alt+n ctrl+a
  xdotool type --delay 30 "$1"
  xdotool key Return
  sleep 0.3
  untouched "typing a pen width"
}
# The next start asks; Restore gives the edit back unsaved; Save writes it and the copy goes.
# The editor stays open for the next case.
restore_and_save() { # <width> <after what>
  has_copy || e2e_fail "no copy of the edits in $RECOVERY after $2"
  untouched "$2"
  start_editor
  e2e_until 10 question || e2e_fail "the editor does not offer the edits kept after $2"
  e2e_screenshot "restore-after-${2// /-}" >/dev/null
  e2e_key "$QUESTION" Return
  e2e_until 5 e2e_not question || e2e_fail "the restore question stays open"
  untouched "restoring the edits kept after $2"
  e2e_key "$QVS" ctrl+s
  e2e_until 5 pen_is "$1" ||
    e2e_fail "Save after restoring did not write pen width $1: $(sed -n 4p "$skin/settings.ini")"
  e2e_until 5 e2e_not has_copy ||
    e2e_fail "the copy of the edits stays after Save"
  baseline
}
baseline
start_editor

# --- SIGTERM and SIGHUP. ---
width=6
for signal in TERM HUP; do
  width=$((width + 1))
  edit_pen "$width"
  kill -"$signal" "$EDITOR_PID"
  editor_ended "SIG$signal"
  [ "$EDITOR_CODE" = 0 ] || e2e_fail "the editor ended with code $EDITOR_CODE after SIG$signal"
  restore_and_save "$width" "SIG$signal"
done

# --- SIGTERM while the editor asks "Save them before closing?". ---
edit_pen 9
e2e_close_request qvs
e2e_until 10 question || e2e_fail "no question about the unsaved changes after a close request"
e2e_screenshot close-question >/dev/null
kill -TERM "$EDITOR_PID"
editor_ended "SIGTERM with the close question open"
restore_and_save 9 "SIGTERM with the close question open"

# --- The display's end (a logout): the X server goes away under the editor. ---
edit_pen 11
e2e_stop_display
editor_ended "the display's end"
e2e_start_display
restore_and_save 11 "the display's end"

# --- A second signal ends the editor at once: both wait while it is stopped, then come in one go.
edit_pen 12
kill -STOP "$EDITOR_PID"
kill -HUP "$EDITOR_PID"
kill -TERM "$EDITOR_PID"
kill -CONT "$EDITOR_PID"
editor_ended "two signals"
[ "$EDITOR_CODE" -gt 128 ] || e2e_fail "two signals: the editor ended with $EDITOR_CODE, not by the signal"
untouched "two signals"

e2e_not grep -E "runtime error|ERROR: (Address|Leak)Sanitizer" "$E2E_TMP/editor.log" ||
  e2e_fail "a sanitizer reported on the editor: $(grep -A8 -E 'runtime error|Sanitizer' "$E2E_TMP/editor.log")"
e2e_pass
