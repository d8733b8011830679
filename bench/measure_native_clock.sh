#!/usr/bin/env bash
# What the native clock costs beside `xclock -update 1` and `oclock` on one Xvfb screen, its
# default face blown up to each size: CPU (/proc/PID/schedstat), memory and main-thread wake-ups
# per stretch, as a Markdown table with quarvel's targets. It reports; it does not fail.
#   measure_native_clock.sh [idle seconds=20] [sizes="200 400 800 1600"]
#   (QUARVEL_NATIVE_BUILD: a release build)
E2E_TEST=native_clock
QUARVEL_E2E_DRIVER=x11
unset WAYLAND_DISPLAY WAYLAND_SOCKET # its own X server: not a Wayland session this runs in
E2E_SCREEN=3000x1700x24 # room for a 1600-pixel face beside the yardsticks
# shellcheck source=../tests/e2e/lib.sh
source "$(dirname "$0")/../tests/e2e/lib.sh"
E2E_AWAY=(2900 1650) # off the largest face too, or the top-most clock would hide
seconds=${1:-20}
read -r -a sizes <<<"${2:-200 400 800 1600}"

load=$(cut -d" " -f1-3 /proc/loadavg)
e2e_begin
e2e_require_tools xclock oclock
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
cp "$E2E_DIR/qv.bmp" "$E2E_TMP/qv-200.bmp"
xclock -update 1 -geometry 164x164+2000+0 >"$E2E_TMP/xclock.log" 2>&1 </dev/null &
xclock=$!
oclock -geometry 164x164+2300+0 >"$E2E_TMP/oclock.log" 2>&1 </dev/null &
oclock=$!

cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }
wakeups() { awk '/^voluntary_ctxt_switches:/ {print $2}' "/proc/$1/task/$1/status"; }
sample() { local pid; for pid in "${pids[@]}"; do echo "$(cpu_ns "$pid") $(wakeups "$pid")"; done; }
# From the middle of one second to the middle of another: every clock here wakes at the change
# of second, so each gets the same whole number of seconds to wake in.
mid_second() { sleep "0.$(printf '%06d' $(((1500000 - 10#$(date +%6N)) % 1000000)))"; }
rows=()
# One row per stretch: quarvel's and xclock's CPU % and wake-ups a second, and the ratio.
row() { # <stretch> <before> <after> <microseconds>
  local rss
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$E2E_CLOCK_PID/status")
  rows+=("$(awk -v name="$1" -v before="$2" -v after="$3" -v us="$4" -v rss="$rss" 'BEGIN {
    split(before, b); split(after, a); s = us / 1e6
    for (i = 1; i <= 3; i++) {
      cpu[i] = 100 * (a[2 * i - 1] - b[2 * i - 1]) / 1e9 / s
      wake[i] = (a[2 * i] - b[2 * i]) / s
    }
    ratio = cpu[2] > 0 ? cpu[1] / cpu[2] : 0 # a bare > among the printf arguments writes a file
    printf "| %s | %.1f | %.3f | %.1f | %.1f | %.3f | %.1f | %.2f |", name, s, cpu[1], wake[1],
      rss / 1024, cpu[2], wake[2], ratio
  }')")
}
stretch() { # <name> <seconds> [command run at the start]
  local before after start end
  mid_second
  before=$(sample) start=$(e2e_now)
  if [ $# -gt 2 ]; then "${@:3}"; fi
  sleep "$2"
  after=$(sample) end=$(e2e_now)
  row "$1" "$before" "$after" $((end - start))
}
lap() { xdotool key --clearmodifiers "$1"; }
# Shift held (a top-most clock stays), the button down on the face, 3 s of moves, button up.
drag() {
  local steps=() i
  for ((i = 0; i < 150; i++)); do steps+=(mousemove $((100 + i % 50 * 4)) $((100 + i % 50 * 2)) sleep 0.02); done
  xdotool mousemove 100 100 keydown shift sleep 0.1 mousedown 1 "${steps[@]}" mouseup 1 keyup shift \
    mousemove "${E2E_AWAY[@]}"
}

# The clock at (0, 0) with the face of that size, in the layer given (-1: normal), past its start.
start_clock() { # <size> [layer]
  [ -f "$E2E_TMP/qv-$1.bmp" ] ||
    convert "$E2E_TMP/qv-200.bmp" -filter point -resize "${1}x${1}!" "BMP3:$E2E_TMP/qv-$1.bmp"
  cp "$E2E_TMP/qv-$1.bmp" "$E2E_DIR/qv.bmp"
  e2e_settings 0 0 "${@:2}" >"$E2E_DIR/settings.ini"
  e2e_start_clock
  e2e_wait_clock "$1"
  sleep 3
  pids=("$E2E_CLOCK_PID" "$xclock" "$oclock")
}

for size in "${sizes[@]}"; do
  start_clock "$size"
  [ "$size" != 200 ] || e2e_screenshot clocks >/dev/null
  stretch "idle ${size} px" "$seconds"
  if [ "$size" -le 400 ]; then
    e2e_focus "$E2E_WINDOW"
    sleep 2
    stretch "Z lap ${size} px" 3.5 lap z
    sleep 1
    stretch "X lap ${size} px" 3.5 lap x
  fi
  if [ "$size" = 200 ]; then
    sleep 1
    stretch "drag ${size} px" 3.5 drag
  fi
  e2e_close_with_c "$E2E_WINDOW" "a stretch"
done
# In the normal layer the clock doesn't hide from the pointer, and so never asks for it.
start_clock 200 -1
stretch "idle 200 px, normal layer" "$seconds"
e2e_close_with_c "$E2E_WINDOW" "a stretch"
kill "$xclock" "$oclock" 2>/dev/null

printf '\nquarvel beside xclock -update 1 on one Xvfb screen (CPU: time on a CPU over wall time;'
printf ' load before: %s):\n\n' "$load"
echo "| stretch | s | quarvel CPU % | wake-ups/s | RSS MiB | xclock CPU % | xclock wake-ups/s | CPU ratio |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
printf '%s\n' "${rows[@]}"
printf '\nTargets: idle CPU ratio <= 1 and 1 wake-up a second; a lap <= 3x; a drag <= 50 wake-ups a second.\n'
e2e_pass
