#!/usr/bin/env bash
# Without tan.sin the clock can't start: one message box reports run-time error 53, file not
# found, naming tan.sin; no clock window shows, and once the box is dismissed the process ends
# with a non-zero exit code. A broken tan.sin is reported as error 62, with its line.
source "$(dirname "$0")/lib.sh"
e2e_begin

e2e_copy_data qv.bmp tyou.sin byou.sin
e2e_settings 0 0 >"$E2E_DIR/settings.ini"
e2e_start_clock
e2e_wait_box "a start without tan.sin" 53 'File not found' tan.sin
e2e_screenshot error-box >/dev/null
[ "$(e2e_quarvel_windows | wc -l)" -eq 1 ] || e2e_fail "a clock window shows next to the box"
e2e_dismiss_box
e2e_expect_exit non-zero "the error box was dismissed"

# A hand file with an empty line after its last value: error 62 with the file and the line.
printf '255\r\n0,0\r\n0,100\r\n\r\n' >"$E2E_DIR/tan.sin"
e2e_start_clock
e2e_wait_box "a start with a broken tan.sin" 'Run-time error 62: Input past end of file' \
  '(tan.sin, line 4)'
e2e_dismiss_box
e2e_expect_exit non-zero "the second error box was dismissed"
e2e_pass
