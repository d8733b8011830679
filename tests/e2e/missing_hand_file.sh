#!/usr/bin/env bash
# Without tan.sin the clock can't start: it reports run-time error 53 for that file in a
# message box, shows no clock, and ends with a non-zero exit code once the box is dismissed.
source "$(dirname "$0")/lib.sh"
e2e_begin

e2e_copy_data qv.bmp tyou.sin byou.sin
e2e_write_settings 0 0
e2e_start_clock

e2e_wait_window '^QUARVEL$' 15 >/dev/null
sleep 0.5 # let the box finish painting for the screenshot
e2e_screenshot error-box >/dev/null

windows=$(e2e_winprobe list)
box=$(awk '/^window / { inbox = /class="#32770" title="QUARVEL"/ } inbox' <<<"$windows")
[ -n "$box" ] || e2e_fail "no dialog (#32770) titled QUARVEL among the windows:"$'\n'"$windows"
text=$(grep 'class="Static"' <<<"$box" || true)
for part in 53 'File not found' tan.sin; do
  grep -qF -- "$part" <<<"$text" ||
    e2e_fail "the error box does not mention '$part'; its controls:"$'\n'"$box"
done
e2e_log "error box: $(grep -o 'text="[^"]*53[^"]*"' <<<"$text" | head -n 1)"

# The box shares the clock's title; the clock itself would be a 200 x 200 window.
clock=$(e2e_find_clock)
[ -z "$clock" ] || e2e_fail "a clock window ($clock) is shown next to the error box"
grep -q 'title="QUARVEL" rect=[-0-9,]* size=200x200' <<<"$windows" &&
  e2e_fail "the winprobe sees a 200x200 QUARVEL window next to the error box"

e2e_winprobe press QUARVEL OK >/dev/null
e2e_wait_exit 5 || e2e_fail "quarvel.exe still runs 5 s after the error box was dismissed"
[ "$E2E_CLOCK_STATUS" -ne 0 ] || e2e_fail "quarvel.exe exited with code 0 after the error"
e2e_screenshot after-exit >/dev/null
[ -z "$(e2e_find_clock)" ] || e2e_fail "a clock window appeared after the error box"
e2e_pass
