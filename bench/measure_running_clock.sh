#!/usr/bin/env bash
# What quarvel.exe costs beside `wine clock` on one Xvfb screen, each in a Wine prefix of its own
# so each wineserver can be measured: CPU (/proc/PID/stat), memory and main-thread wake-ups, as a
# Markdown table with quarvel.exe's targets. It reports, never fails.
#   measure_running_clock.sh [seconds=30]
E2E_TEST=running_clock
# shellcheck source=../tests/e2e/lib.sh
source "$(dirname "$0")/../tests/e2e/lib.sh"
seconds=${1:-30}
yardstick_prefix=$WINEPREFIX-yardstick

end_yardstick() {
  local status=$?
  WINEPREFIX=$yardstick_prefix e2e_driver_reset
  (exit "$status")
  e2e_teardown
}

e2e_begin
trap end_yardstick EXIT
WINEPREFIX=$yardstick_prefix e2e_driver_reset
WINEPREFIX=$yardstick_prefix e2e_prefix_setup
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_settings 0 0 >"$E2E_DIR/settings.ini"
e2e_start_clock
e2e_wait_clock
(WINEPREFIX=$yardstick_prefix exec wine clock) >"$E2E_TMP/yardstick.log" 2>&1 </dev/null 9>&- &

# The pid of a process of that prefix whose command line holds the pattern.
pid_of() { # <prefix> <pattern>
  local pid
  for pid in $(pgrep -f "$2" || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$1" && echo "$pid" &&
      return 0
  done
  return 1
}
# `wine clock` starts C:\windows\system32\clock.exe as a process of its own.
e2e_until 15 pid_of "$yardstick_prefix" 'system32\\clock\.exe' >/dev/null ||
  e2e_fail "Wine's clock did not start: $(tail -n 3 "$E2E_TMP/yardstick.log")"
# Out from under quarvel.exe, which stands at (0, 0): both on show, both drawing.
yardstick_window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Clock$' | head -n 1)
xdotool windowmove "$yardstick_window" 400 200
sleep 3 # both past their start
e2e_screenshot clocks >/dev/null
quarvel=$E2E_CLOCK_PID
yardstick=$(pid_of "$yardstick_prefix" 'system32\\clock\.exe')
quarvel_server=$(pid_of "$WINEPREFIX" wineserver) || e2e_fail "no wineserver for quarvel.exe"
yardstick_server=$(pid_of "$yardstick_prefix" wineserver) || e2e_fail "no wineserver for clock.exe"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wakeups() { awk '/^voluntary_ctxt_switches:/ {print $2}' "/proc/$1/task/$1/status"; }
sample() { # -> ticks of the four processes, then the two main threads' wake-ups
  echo "$(cpu_ticks "$quarvel") $(cpu_ticks "$quarvel_server") $(cpu_ticks "$yardstick")" \
    "$(cpu_ticks "$yardstick_server") $(wakeups "$quarvel") $(wakeups "$yardstick")"
}
before=$(sample) start=$(e2e_now)
sleep "$seconds"
after=$(sample) end=$(e2e_now)
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

awk -v before="$before" -v after="$after" -v us=$((end - start)) -v hz="$(getconf CLK_TCK)" \
  -v rss="$(rss_kib "$quarvel") $(rss_kib "$yardstick")" -v seconds="$seconds" 'BEGIN {
  split(before, b); split(after, a); split(rss, r); s = us / 1e6
  for (i = 1; i <= 4; i++) cpu[i] = 100 * (a[i] - b[i]) / hz / s
  for (i = 5; i <= 6; i++) wake[i - 4] = (a[i] - b[i]) / s
  printf "\nThe running clocks over %s s (CPU: user + system time over wall time):\n\n", seconds
  print "| process | CPU % | wineserver CPU % | RSS MiB | wake-ups/s |"
  print "|---|---:|---:|---:|---:|"
  printf "| quarvel.exe | %.2f | %.2f | %.1f | %.1f |\n", cpu[1], cpu[2], r[1] / 1024, wake[1]
  printf "| clock.exe (Wine) | %.2f | %.2f | %.1f | %.1f |\n\n", cpu[3], cpu[4], r[2] / 1024, wake[2]
  print "Targets for quarvel.exe:"
  printf "- CPU at most 1/10 of clock.exe (%.2f %% of %.2f %%): %s\n", cpu[1], cpu[3],
    cpu[1] <= cpu[3] / 10 ? "met" : "NOT met"
  printf "- CPU with its wineserver at most 1/4 of clock.exe with its (%.2f %% of %.2f %%): %s\n",
    cpu[1] + cpu[2], cpu[3] + cpu[4], cpu[1] + cpu[2] <= (cpu[3] + cpu[4]) / 4 ? "met" : "NOT met"
  printf "- at most 8 wake-ups a second (%.1f): %s\n", wake[1], wake[1] <= 8 ? "met" : "NOT met"
}'
