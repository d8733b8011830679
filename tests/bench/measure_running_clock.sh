#!/usr/bin/env bash
# Measures what the running clock costs the machine: CPU time and resident memory of the
# quarvel.exe process (and of the wineserver that relays its timers) over a stretch of still
# running, under Wine on a private Xvfb screen. Prints a small table; asserts nothing.
#   measure_running_clock.sh [seconds=20]
E2E_TEST=running_clock
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
seconds=${1:-20}

e2e_begin
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_write_settings 0 0
e2e_start_clock
e2e_wait_clock
xdotool mousemove 900 700  # keep the pointer off the clock: no hiding during the measurement
sleep 2                    # past start-up

# `exec wine` keeps the pid: the launcher becomes the Windows process itself.
clock_pid=$E2E_CLOCK_PID
grep -q 'quarvel' "/proc/$clock_pid/comm" 2>/dev/null || e2e_fail "pid $clock_pid is not quarvel.exe"
# The wineserver of this prefix (other prefixes may have their own).
server_pid=""
for p in $(pgrep wineserver || true); do
  if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
    server_pid=$p
    break
  fi
done
[ -n "$server_pid" ] || e2e_fail "no wineserver for $WINEPREFIX"

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
hz=$(getconf CLK_TCK)

c0=$(ticks "$clock_pid")
s0=$(ticks "$server_pid")
t0=${EPOCHREALTIME/[.,]/}
sleep "$seconds"
c1=$(ticks "$clock_pid")
s1=$(ticks "$server_pid")
t1=${EPOCHREALTIME/[.,]/}
elapsed_us=$((t1 - t0))

percent() { awk -v d="$1" -v hz="$hz" -v us="$elapsed_us" 'BEGIN { printf "%.2f", 100 * d / hz / (us / 1e6) }'; }
printf '\nRunning clock over %s s (still face, redraw once a second, 10 ms timer):\n' "$seconds"
printf '  %-12s %8s %12s\n' process "CPU %" "RSS (MiB)"
printf '  %-12s %8s %12.1f\n' quarvel.exe "$(percent $((c1 - c0)))" "$(awk -v k="$(rss_kib "$clock_pid")" 'BEGIN{print k/1024}')"
printf '  %-12s %8s %12.1f\n' wineserver "$(percent $((s1 - s0)))" "$(awk -v k="$(rss_kib "$server_pid")" 'BEGIN{print k/1024}')"
e2e_pass
