#!/usr/bin/env bash
# Every way the system ends a program (signals and the X server's end on Linux, the session's end
# under Wine) while the first-run dialog or a report is up ends the clock cleanly, settings.ini
# untouched: with 0 from the dialog, 1 from a report.
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin readme.txt

if [ "$E2E_DRIVER" = wine ]; then ends=(session); else ends=(TERM HUP INT server); fi
printf '250,120\r\n-1\r\nqv.bmp\r\n3\r\n' >"$E2E_TMP/user.ini" # a 200-pixel clock
user_settings() { cp "$E2E_TMP/user.ini" "$E2E_DIR/settings.ini"; }

end_now() { # <how>
  case $1 in
    session) wineboot --end-session >>"$E2E_TMP/wineboot.log" 2>&1 9>&- ;;
    server) e2e_stop_display ;;
    *) kill -s "$1" "$E2E_CLOCK_PID" ;;
  esac
}

# Starts the clock on a screen (a new one after the last was taken away) and notes where its
# log of this run begins.
start() {
  [ -n "$E2E_XVFB_PID" ] || e2e_start_display
  log_from=$(($(stat -c %s "$E2E_TMP/clock.log" 2>/dev/null || echo 0) + 1))
  e2e_start_clock
}
first_run() {
  rm -f "$E2E_DIR/settings.ini"
  start
  e2e_wait_quarvel 372x202 "first-run dialog"
}

ended_cleanly() { # <code> <what> [expected settings.ini=the user's]
  e2e_expect_exit "$1" "$2"
  ! tail -c "+$log_from" "$E2E_TMP/clock.log" | grep -E 'Assertion|Abort|Sanitizer|core dump' ||
    e2e_fail "$2: the clock did not end cleanly"
  e2e_expect_bytes "$E2E_DIR/settings.ini" "$2" <"${3:-$E2E_TMP/user.ini}"
}

# --- The first-run dialog. ---
for end in "${ends[@]}"; do
  first_run
  user_settings
  end_now "$end"
  ended_cleanly 0 "$end while the first-run dialog is up"
done

# --- A message box over the dialog (no viewer for the readme): two fonts open. ---
if e2e_only x11 "no readme viewer to take away: Wine always has Notepad"; then
  QUARVEL_E2E_NO_VIEWER=1 first_run
  e2e_key "$E2E_FOUND" Tab Return # Readme
  e2e_until 10 e2e_shown '$2 != "372x202"' || e2e_fail "no message when xdg-open fails"
  user_settings
  end_now TERM
  ended_cleanly 0 "TERM while a message is up over the dialog"
fi

# --- After the dialog: Xft keeps its font for the display, which must go before fontconfig. ---
if e2e_only x11 "the X server's end: Wine has no fonts of ours to let go"; then
  first_run
  e2e_key "$E2E_FOUND" Return
  e2e_wait_clock
  e2e_stop_display
  ended_cleanly 0 "the X server's end after the dialog" <(e2e_settings 0 0)
fi

# --- Reports: without tan.sin the start fails; a hand that fits but overflows while drawing
# fails at the first redraw; a read-only settings.ini can't be saved at a close request. Each
# end meets a report, and each report an end (the core's side of each pair is the unit tests'). ---
user_settings
cases=(session:start-up session:run-time session:save)
[ "$E2E_DRIVER" = wine ] || cases=(TERM:start-up HUP:run-time INT:save server:save)
for case in "${cases[@]}"; do
  end=${case%%:*} failure=${case#*:}
  case $failure in
    start-up) mv "$E2E_DIR/tan.sin" "$E2E_TMP/tan.sin" ;;
    run-time) printf '255\r\n0,0\r\n32767,50\r\n' >"$E2E_DIR/byou.sin" ;;
    save) chmod 444 "$E2E_DIR/settings.ini" ;;
  esac
  start
  if [ "$failure" = save ]; then
    e2e_wait_clock
    e2e_close_request QUARVEL
  fi
  e2e_wait_box "the $failure error" "$([ "$failure" = save ] && echo 'could not be saved' ||
    echo 'has stopped')"
  end_now "$end"
  ended_cleanly 1 "$end while the $failure error is reported"
  mv -f "$E2E_TMP/tan.sin" "$E2E_DIR/tan.sin" 2>/dev/null || true
  e2e_copy_data byou.sin
  chmod 644 "$E2E_DIR/settings.ini"
done
e2e_pass
