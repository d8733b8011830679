#!/usr/bin/env bash
# A second start in a running clock's folder brings that clock to the front and ends with 0 (that
# it touches no file is OneClockTest's); a clock killed leaves its lock file, which stops nothing.
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_skin 300 200

quarvel_count() { e2e_quarvel_windows | wc -l; }
# What is in front: Windows' foreground window's title under Wine, the active X window on Linux.
# Wine 8 makes another process's window the foreground one but asks the window manager nothing.
front() {
  if [ "$E2E_DRIVER" = x11 ]; then xdotool getactivewindow 2>/dev/null; else
    wine "$E2E_WINPROBE" foreground 2>>"$E2E_TMP/winprobe.log" 9>&-
  fi
}

# --- The first clock, then another window in front of the keyboard, taken by a click. ---
e2e_show_clock
FIRST_PID=$E2E_CLOCK_PID CLOCK=$E2E_WINDOW
# Under Wine a Windows program (the stand-in editor, "qvs"), so that Windows' foreground moves.
if [ "$E2E_DRIVER" = wine ]; then
  e2e_install_editor "$E2E_TMP"
  (cd "$E2E_TMP" && exec wine qvedit.exe) >>"$E2E_TMP/other.log" 2>&1 </dev/null 9>&- &
  OTHER_TITLE=qvs
else
  xmessage -geometry +600+400 -title other 'another program' >/dev/null 2>&1 &
  OTHER_TITLE=other
fi
OTHER_PID=$!
e2e_until 15 e2e_window_named "$OTHER_TITLE" || e2e_fail "the other window did not show"
OTHER=$E2E_NAMED
e2e_geometry "$OTHER"
xdotool mousemove $((E2E_X + E2E_W / 2)) $((E2E_Y + 8)) click 1 # above its button
e2e_until 5 eval '[ "$(xdotool getactivewindow 2>/dev/null)" = "$OTHER" ]' ||
  e2e_fail "a click did not make the other window active"
[ "$E2E_DRIVER" = x11 ] || e2e_until 5 eval '[ "$(front)" = "\"qvs\"" ]' ||
  e2e_fail "qvs is not in front: $(front)"
xdotool mousemove "${E2E_AWAY[@]}"

# --- The second start: ends at once, the first clock comes to the front. ---
started=$(e2e_now)
e2e_start_clock
e2e_expect_exit 0 "a second start in the same folder" 6
e2e_log "the second start ended after $((($(e2e_now) - started) / 1000)) ms"
WANT=$CLOCK
[ "$E2E_DRIVER" = x11 ] || WANT='"QUARVEL"'
e2e_until 5 eval '[ "$(front)" = "$WANT" ]' ||
  e2e_fail "the running clock was not brought to the front (in front: $(front))"
e2e_screenshot after-second-start >/dev/null
[ "$(quarvel_count)" -eq 1 ] || e2e_fail "QUARVEL windows after the second start: $(e2e_quarvel_windows | tr '\n' ' ')"
kill -0 "$FIRST_PID" 2>/dev/null || e2e_fail "the first clock is gone"
kill "$OTHER_PID" 2>/dev/null || true

E2E_CLOCK_PID=$FIRST_PID E2E_EXIT=""
e2e_close_clock "closing the first clock"

# --- Killed: the lock file stays behind and stops nothing. ---
e2e_show_clock
kill -KILL "$E2E_CLOCK_PID"
e2e_wait_exit 5 || e2e_fail "the clock outlived SIGKILL"
e2e_until 5 eval '[ "$(quarvel_count)" -eq 0 ]' || e2e_fail "the killed clock's window stays"
[ -f "$E2E_DIR/.quarvel.lock" ] || e2e_fail "no lock file in the work folder"
e2e_log "left behind: .quarvel.lock holding $(tr -d '\r\n' <"$E2E_DIR/.quarvel.lock")"
e2e_show_clock
[ "$(quarvel_count)" -eq 1 ] || e2e_fail "QUARVEL windows after the start: $(e2e_quarvel_windows | tr '\n' ' ')"
e2e_close_clock "closing the clock started after the kill"
e2e_pass
