#!/usr/bin/env bash
# Runs the clock of a Windows build under Wine (`make run` calls it with build/windows).
#
#   scripts/run-clock.sh <windows build folder>
#
# The run folder build/run/ gets quarvel.exe and the default files from data/ (the hand files,
# qv.bmp, readme.txt). A settings.ini left there by an earlier run is kept, so the clock opens
# where it was closed; without one the clock greets its first run.
#
# With a reachable $DISPLAY the clock runs there until it is closed (key C, or right-click).
# Without one it runs for a few seconds on a private Xvfb screen, and build/run/screenshot.png
# shows what it drew.
#
# Wine runs in a prefix of its own, <build>/wine-prefix-run (QUARVEL_RUN_PREFIX to change it):
# the end-to-end tests end every process of their prefix when they finish, and one wineserver
# can't serve two X displays.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 <windows build folder>" >&2
  exit 64
fi
windows_build=$(cd "$1" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
build_root=$(dirname "$windows_build")
run_dir=$build_root/run
headless_seconds=4

export QUARVEL_WINDOWS_BUILD=$windows_build QUARVEL_SOURCE_DIR=$repo
export QUARVEL_EXE=$windows_build/bin/quarvel.exe
export QUARVEL_E2E_PREFIX=${QUARVEL_RUN_PREFIX:-$build_root/wine-prefix-run}
E2E_TEST=run-clock
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source "$repo/tests/e2e/lib.sh"

e2e_require_tools wine wineserver flock
e2e_require_file "$QUARVEL_EXE" "the clock (make windows)"

mkdir -p "$run_dir"
for name in tyou.sin tan.sin byou.sin qv.bmp readme.txt; do
  e2e_require_file "$repo/data/$name" "default data file"
  cp "$repo/data/$name" "$run_dir/$name"
done
# The clock looks for settings.ini in its own folder to tell a first run, and reads and writes
# it in the working folder: one folder for both keeps the two in step.
e2e_install_exe "$run_dir"
E2E_DIR=$run_dir
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-run.XXXXXX")

cleanup() {
  local status=$?
  set +e
  [ -z "$E2E_XVFB_PID" ] || e2e_stop_clock
  e2e_stop_display
  rm -rf "$E2E_TMP"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # The lock only covers the setup: clocks of several runs may share the prefix and the display.
  (
    e2e_prefix_lock 60
    e2e_prefix_setup
  )
  echo "Running the clock on $DISPLAY from $run_dir; close it with C (or right-click)."
  status=0
  (cd "$run_dir" && wine ./quarvel.exe) || status=$?
  echo "quarvel.exe ended with exit code $status."
  exit "$status"
fi

[ -z "${DISPLAY:-}" ] || echo "DISPLAY=$DISPLAY can't be reached; running on a private screen."
e2e_require_tools Xvfb openbox xdotool xwininfo xprop xwd convert
# Held to the end: the run ends every Wine process of the prefix.
e2e_prefix_lock 60
e2e_start_display
e2e_wine_kill
e2e_prefix_setup
e2e_start_clock
sleep "$headless_seconds"

E2E_ART=$run_dir
shot=$(e2e_screenshot screenshot)
if ! e2e_clock_running; then
  e2e_wait_exit 1 || true
  echo "quarvel.exe ended early with exit code ${E2E_CLOCK_STATUS:-?}; its output:"
  cat "$E2E_TMP/clock.log"
elif [ -n "$(e2e_find_clock)" ]; then
  e2e_geometry "$(e2e_find_clock | head -n 1)"
  echo "The clock showed a ${E2E_W}x$E2E_H window at ($E2E_X,$E2E_Y)."
else
  echo "No clock window after $headless_seconds s (a first run shows the information window first); visible windows:"
  xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | sed 's/^/  /' || true
fi

# A polite close lets the clock write settings.ini; on a first run the first close ends the
# information window and the second the clock.
if [ -f "$E2E_WINPROBE" ]; then
  for _ in 1 2 3; do
    e2e_clock_running || break
    wine "$E2E_WINPROBE" close QUARVEL >/dev/null 2>&1 9>&- || true
    e2e_wait_exit 3 || true
  done
fi
echo "Screenshot: $shot"
