#!/usr/bin/env bash
# A read-only settings.ini (chmod 444, which Wine shows as the read-only attribute): the clock
# starts from it, but a close request can't save. It reports the path/file access error for
# settings.ini in a message box that says the previous file is unchanged, and once the box is
# dismissed the process ends with code 1 and settings.ini still holds its old bytes.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_dialog.sh"
e2e_begin

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
# LF line ends: the clock reads them, but a save would write CR LF, so unchanged bytes show
# that nothing was written.
old='250,120\n-1 \nqv.bmp\n 3 \n'
# shellcheck disable=SC2059  # the settings are a printf format
printf "$old" >"$E2E_DIR/settings.ini"
chmod 444 "$E2E_DIR/settings.ini"

e2e_start_clock
dlg_wait_clock_without_dialog "$E2E_FACE"
dlg_assert_geometry "$E2E_WINDOW" 250 120 "$E2E_FACE" "$E2E_FACE" "the clock window"
e2e_winprobe close QUARVEL >/dev/null

# The message box: a QUARVEL window that is not the clock's 200 x 200.
deadline=$((${EPOCHREALTIME/[.,]/} + 5000000))
box_window=""
while [ -z "$box_window" ]; do
  for id in $(xdotool search --onlyvisible --name '^QUARVEL$' 2>/dev/null || true); do
    e2e_geometry "$id"
    [ "${E2E_W}x$E2E_H" = "${E2E_FACE}x$E2E_FACE" ] || box_window=$id
  done
  [ -n "$box_window" ] && break
  if ! e2e_clock_running; then
    e2e_wait_exit 1 || true
    e2e_fail "quarvel.exe ended with code $E2E_CLOCK_STATUS on the close request without" \
      "reporting that settings.ini is read-only; settings.ini now:"$'\n'"$(od -An -c "$E2E_DIR/settings.ini")"
  fi
  [ "${EPOCHREALTIME/[.,]/}" -lt "$deadline" ] ||
    e2e_fail "no message box within 5 s of the close request; QUARVEL windows:" \
      "$(e2e_describe_quarvel)"
  sleep 0.1
done
sleep 0.3 # let the box finish painting
e2e_screenshot error-box >/dev/null

windows=$(e2e_winprobe list)
box=$(dlg_dialog_block "$windows")
[ -n "$box" ] || e2e_fail "the box is no #32770 dialog titled QUARVEL:"$'\n'"$windows"
text=$(grep 'class="Static"' <<<"$box" || true)
for phrase in settings.ini 'Path/File access error' 'previous settings file is unchanged'; do
  grep -qiF -- "$phrase" <<<"$text" ||
    e2e_fail "the message box does not say '$phrase'; its controls:"$'\n'"$box"
done
e2e_log "message: $(dlg_text_field "$(grep -F 'Path/File' <<<"$text" | head -n 1)")"
e2e_clock_running || e2e_fail "quarvel.exe ended while its message box was up"

# Dismissed as a user would: activate it (it may come up without the X focus), then Enter.
dlg_activate "$box_window"
xdotool key Return
e2e_wait_exit 5 || e2e_fail "quarvel.exe still runs 5 s after the message box was dismissed"
[ "$E2E_CLOCK_STATUS" -eq 1 ] ||
  e2e_fail "quarvel.exe exited with code $E2E_CLOCK_STATUS after the failed save, expected 1"
dlg_expect_bytes "$E2E_DIR/settings.ini" "$old" "the read-only settings.ini"
mode=$(stat -c %a "$E2E_DIR/settings.ini")
[ "$mode" = 444 ] || e2e_fail "settings.ini is mode $mode now, expected 444"
e2e_pass
