#!/usr/bin/env bash
# The native clock without its seconds hand (seconds_hand=off in options.ini) idling beside
# `oclock`, which also draws no seconds: CPU (/proc/PID/schedstat) and main-thread wake-ups per
# minute over whole minutes, top-most (as it starts) and in the normal layer. It reports; it does
# not fail.
#   measure_seconds_off.sh [idle minutes=3]   (QUARVEL_NATIVE_BUILD: a release build)
E2E_TEST=seconds_off
QUARVEL_E2E_DRIVER=x11
unset WAYLAND_DISPLAY WAYLAND_SOCKET # its own X server: not a Wayland session this runs in
# shellcheck source=../tests/e2e/lib.sh
source "$(dirname "$0")/../tests/e2e/lib.sh"
minutes=${1:-3}

load=$(cut -d" " -f1-3 /proc/loadavg)
e2e_begin
e2e_require_tools oclock
e2e_skin
printf '# QUARVEL options\nseconds_hand=off\n' >"$E2E_DIR/options.ini"
oclock -geometry 164x164+700+0 >"$E2E_TMP/oclock.log" 2>&1 </dev/null &
oclock=$!

cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }
wakeups() { awk '/^voluntary_ctxt_switches:/ {print $2}' "/proc/$1/task/$1/status"; }
sample() { echo "$(cpu_ns "$E2E_CLOCK_PID") $(wakeups "$E2E_CLOCK_PID") $(cpu_ns "$oclock") $(wakeups "$oclock")"; }
# From second 30 of one minute to second 30 of another: both clocks wake at the change of
# minute, so each gets the same whole number of minutes to wake in.
mid_minute() { sleep "$(awk -v now="$(date +%S.%N)" 'BEGIN {print (90 - now) % 60}')"; }
rows=()
stretch() { # <name>
  local before after start end
  mid_minute
  before=$(sample) start=$(e2e_now)
  sleep $((minutes * 60))
  after=$(sample) end=$(e2e_now)
  rows+=("$(awk -v name="$1" -v before="$before" -v after="$after" -v us=$((end - start)) 'BEGIN {
    split(before, b); split(after, a); s = us / 1e6
    printf "| %s | %.0f | %.4f | %.2f | %.4f | %.2f |", name, s,
      100 * (a[1] - b[1]) / 1e9 / s, 60 * (a[2] - b[2]) / s,
      100 * (a[3] - b[3]) / 1e9 / s, 60 * (a[4] - b[4]) / s
  }')")
}

for layer in 0 -1; do
  e2e_settings 0 0 "$layer" >"$E2E_DIR/settings.ini"
  e2e_start_clock
  e2e_wait_clock
  sleep 3
  stretch "seconds off, $([ "$layer" = 0 ] && echo top-most || echo normal layer)"
  e2e_close_with_c "$E2E_WINDOW" "a stretch"
done
kill "$oclock" 2>/dev/null

printf '\nquarvel with seconds_hand=off beside oclock on one Xvfb screen (CPU: time on a CPU over'
printf ' wall time; load before: %s):\n\n' "$load"
echo "| stretch | s | quarvel CPU % | wake-ups/min | oclock CPU % | oclock wake-ups/min |"
echo "|---|---:|---:|---:|---:|---:|"
printf '%s\n' "${rows[@]}"
printf '\nTarget: one wake-up a minute, as oclock.\n'
e2e_pass
