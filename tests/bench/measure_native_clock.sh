#!/usr/bin/env bash
# What the native Linux clock costs the machine, beside the X.org clocks as yardsticks:
# `xclock -update 1` (a second hand, one wake-up a second) and `oclock` (round, shaped, asleep
# between minutes). All three run side by side on one private Xvfb screen, the pointer kept
# away; quarvel shows the default skin at (0, 0), top-most, without the first-run dialog. Over
# the stretch it measures each one's CPU share (the scheduler's nanoseconds on a CPU, from
# /proc/PID/schedstat, fine enough for a few milliseconds a minute), its resident memory
# (VmRSS) and how often its main thread wakes up (voluntary context switches), then prints a
# Markdown table and whether quarvel meets its targets. It reports; it does not fail.
#   measure_native_clock.sh [seconds=30]      (QUARVEL_NATIVE_BUILD: a release build)
E2E_TEST=native_clock
QUARVEL_E2E_DRIVER=x11
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
seconds=${1:-30}

e2e_begin
e2e_require_tools xclock oclock
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_settings 0 0 >"$E2E_DIR/settings.ini"
e2e_start_clock
e2e_wait_clock
xclock -update 1 -geometry 164x164+300+0 >"$E2E_TMP/xclock.log" 2>&1 </dev/null &
xclock=$!
oclock -geometry 164x164+600+0 >"$E2E_TMP/oclock.log" 2>&1 </dev/null &
oclock=$!
sleep 3 # all past their start
e2e_screenshot clocks >/dev/null
pids=("$E2E_CLOCK_PID" "$xclock" "$oclock")

cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }
wakeups() { awk '/^voluntary_ctxt_switches:/ {print $2}' "/proc/$1/task/$1/status"; }
sample() { local pid; for pid in "${pids[@]}"; do echo "$(cpu_ns "$pid") $(wakeups "$pid")"; done; }
# From the middle of one second to the middle of another: every clock here wakes at the change
# of second, so each gets the same whole number of seconds to wake in.
sleep "0.$(printf '%06d' $(((1500000 - 10#$(date +%6N)) % 1000000)))"
before=$(sample) start=$(e2e_now)
sleep "$seconds"
after=$(sample) end=$(e2e_now)
rss=$(for pid in "${pids[@]}"; do awk '/^VmRSS:/ {print $2}' "/proc/$pid/status"; done)
kill "$xclock" "$oclock" 2>/dev/null

awk -v before="$before" -v after="$after" -v rss="$rss" -v us=$((end - start)) \
  -v seconds="$seconds" 'BEGIN {
  split(before, b); split(after, a); split(rss, r); s = us / 1e6
  split("quarvel|xclock -update 1|oclock", name, "|")
  for (i = 1; i <= 3; i++) {
    cpu[i] = 100 * (a[2 * i - 1] - b[2 * i - 1]) / 1e9 / s
    wake[i] = (a[2 * i] - b[2 * i]) / s
  }
  printf "\nThe running clocks over %s s on one Xvfb screen (CPU: time on a CPU over wall time):\n\n", seconds
  print "| process | CPU % | RSS MiB | wake-ups/s |"
  print "|---|---:|---:|---:|"
  for (i = 1; i <= 3; i++)
    printf "| %s | %.3f | %.1f | %.1f |\n", name[i], cpu[i], r[i] / 1024, wake[i]
  print "\nTargets for quarvel:"
  printf "- CPU at most xclock -update 1'"'"'s (%.3f %% of %.3f %%): %s\n", cpu[1], cpu[2],
    cpu[1] <= cpu[2] ? "met" : "NOT met"
  printf "- at most 2 wake-ups a second (%.1f): %s\n", wake[1], wake[1] <= 2 ? "met" : "NOT met"
  printf "- at most 10 MiB resident (%.1f): %s\n", r[1] / 1024, r[1] <= 10 * 1024 ? "met" : "NOT met"
}'
e2e_pass
