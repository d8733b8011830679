#!/usr/bin/env bash
# What the Linux clock costs idle on the Wayland bench (a headless sway): through Xwayland and
# on the layer shell (QUARVEL_BACKEND=wayland), beside `xclock -update 1` on the same Xwayland:
# CPU (/proc/PID/schedstat), main-thread wake-ups a second over one stretch and memory (RSS),
# as a Markdown table. It reports; it does not fail.
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
x11_clock=$E2E_CLOCK_PID
# The same clock on the layer shell, from a folder of its own (one clock per folder), elsewhere.
native_dir=$E2E_TMP/layer-shell
mkdir -p "$native_dir"
cp "$E2E_DIR"/{qv.bmp,tyou.sin,tan.sin,byou.sin} "$native_dir/"
e2e_settings 500 100 >"$native_dir/settings.ini"
E2E_CLOCK_ENV=(QUARVEL_BACKEND=wayland)
e2e_start_clock "$native_dir"
native_clock=$E2E_CLOCK_PID
E2E_CLOCK_ENV=()
native_shown() { [ "$(e2e_pixel "$(e2e_screenshot native)" 600 200)" != "$E2E_WL_DESKTOP" ]; }
e2e_until 15 native_shown || e2e_fail "the layer-shell clock did not show"
pids=("$x11_clock" "$native_clock" "$xclock_pid")

cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }
wakeups() { awk '/^voluntary_ctxt_switches:/ {print $2}' "/proc/$1/task/$1/status"; }
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
sample() { local pid; for pid in "${pids[@]}"; do echo "$(cpu_ns "$pid") $(wakeups "$pid")"; done; }
sleep 2 # past the start
before=$(sample) start=$(e2e_now)
sleep "$seconds"
after=$(sample) end=$(e2e_now)
rss=$(for pid in "${pids[@]}"; do rss_kib "$pid"; done)
awk -v before="$before" -v after="$after" -v rss="$rss" -v us=$((end - start)) 'BEGIN {
  split(before, b); split(after, a); split(rss, r); s = us / 1e6
  name[1] = "quarvel through Xwayland"; name[2] = "quarvel on the layer shell"
  name[3] = "xclock -update 1 (Xwayland)"
  printf "\nIdle on a headless sway, %.1f s, 200 px faces:\n\n", s
  print "| clock | CPU % | wake-ups/s | RSS MiB |"
  print "|---|---:|---:|---:|"
  for (i = 1; i <= 3; i++)
    printf "| %s | %.3f | %.2f | %.1f |\n", name[i], 100 * (a[2 * i - 1] - b[2 * i - 1]) / 1e9 / s,
      (a[2 * i] - b[2 * i]) / s, r[i] / 1024
}'
kill "$xclock" "$xclock_pid" 2>/dev/null || true
kill "$native_clock" 2>/dev/null || true
E2E_CLOCK_PID=$x11_clock
e2e_stop_clock
e2e_pass
