#!/usr/bin/env bash
# A clock whose options.ini names another time zone shows that zone's time: with the machine on
# universal time, time_zone=Asia/Tokyo gives the preview's face at Tokyo's time, nine hours on;
# a zone the system doesn't know leaves the machine's own time.
source "$(dirname "$0")/lib.sh"
export TZ=Etc/UTC # the machine's own zone, for the clock and (under Wine) for Windows
e2e_begin

e2e_skin 300 150
printf '# by hand\r\ntime_zone=Asia/Tokyo\r\n' >"$E2E_DIR/options.ini"
e2e_show_clock
TZ=Asia/Tokyo e2e_expect_preview_face 300 150 200 tokyo
e2e_close_clock "showing Tokyo's time"

printf 'time_zone=Mars/Olympus\r\n' >"$E2E_DIR/options.ini"
e2e_show_clock
e2e_expect_preview_face 300 150 200 unknown-zone
e2e_close_clock "showing the machine's time"
e2e_pass
