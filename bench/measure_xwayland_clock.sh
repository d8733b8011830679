#!/usr/bin/env bash
# What the native clock costs idle through Xwayland, on the Wayland bench (a headless sway),
# beside `xclock -update 1` on the same Xwayland: CPU (/proc/PID/schedstat) and main-thread
# wake-ups a second over one stretch, as a Markdown table. It reports; it does not fail.
#   measure_xwayland_clock.sh [idle seconds=20]   (QUARVEL_NATIVE_BUILD: a release build)
E2E_TEST=xwayland_clock
QUARVEL_E2E_DRIVER=wayland
# shellcheck source=../tests/e2e/lib.sh
source "$(dirname "$0")/../tests/e2e/lib.sh"
seconds=${1:-20}

e2e_begin
e2e_require_tools xclock
e2e_skin 100 100
e2e_show_clock
e2e_wl_as xclock -update 1 -geometry 164x164+900+100 >"$E2E_TMP/xclock.log" 2>&1 </dev/null &
xclock=$!
e2e_until 10 e2e_window_named xclock || e2e_fail "xclock did not show"
# The session's own xclock, started by setpriv: the process that draws is its last child.
xclock_pid=$(pgrep -n -u "$(e2e_wl_as id -u)" -x xclock)
pids=("$E2E_CLOCK_PID" "$xclock_pid")

cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }
wakeups() { awk '/^voluntary_ctxt_switches:/ {print $2}' "/proc/$1/task/$1/status"; }
sample() { local pid; for pid in "${pids[@]}"; do echo "$(cpu_ns "$pid") $(wakeups "$pid")"; done; }
sleep 2 # past the start
before=$(sample) start=$(e2e_now)
sleep "$seconds"
after=$(sample) end=$(e2e_now)
awk -v before="$before" -v after="$after" -v us=$((end - start)) 'BEGIN {
  split(before, b); split(after, a); s = us / 1e6
  for (i = 1; i <= 2; i++) {
    cpu[i] = 100 * (a[2 * i - 1] - b[2 * i - 1]) / 1e9 / s
    wake[i] = (a[2 * i] - b[2 * i]) / s
  }
  print "| idle through Xwayland | seconds | quarvel CPU % | quarvel wake-ups/s | xclock CPU % | xclock wake-ups/s |"
  print "|---|---|---|---|---|---|"
  printf "| 200 px, sway headless | %.1f | %.3f | %.2f | %.3f | %.2f |\n", s, cpu[1], wake[1], cpu[2], wake[2]
}'
kill "$xclock" "$xclock_pid" 2>/dev/null || true
e2e_stop_clock
e2e_pass
