#!/usr/bin/env bash
# Runs the clock of a build: the native Linux clock of a native build (`make run` calls it with
# build/release), or quarvel.exe of a Windows build under Wine (`make run-windows`, with
# build/windows).
#
#   scripts/run-clock.sh <build folder>
#
# The run folder build/run/ gets the program and the default files from data/ (the hand files,
# qv.bmp, the build's readme) and the build's skin editor beside the clock, where the clock looks
# for it first (qvedit.exe of the Windows build, qvedit of the native one). A settings.ini
# left there by an earlier run is kept, so the clock opens where it was closed; without one the
# clock greets its first run. The clock looks for settings.ini in its own folder to tell a first
# run, and reads and writes it in the working folder: one folder for both keeps the two in step.
#
# With a reachable $DISPLAY the clock runs there until it is closed (key C, or right-click).
# Without one it runs for a few seconds on a private Xvfb screen and leaves what a user sees
# first: build/run/greeting.png (the information window of a first run, which it then closes
# with OK) and build/run/screenshot.png (the clock).
#
# It drives the clock with the end-to-end harness (tests/e2e/lib.sh) and its driver for the
# build; under Wine in a prefix of its own, <build>/wine-prefix-run (QUARVEL_RUN_PREFIX to
# change it): the tests end every process of their prefix, and one wineserver can't serve two
# X displays. The Linux clock opens its readme with the desktop's own xdg-open.
set -euo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 <build folder>" >&2
  exit 64
fi
build=$(cd "$1" && pwd)
if [ -f "$build/bin/quarvel.exe" ]; then
  QUARVEL_E2E_DRIVER=wine QUARVEL_WINDOWS_BUILD=$build
elif [ -f "$build/bin/quarvel" ]; then
  QUARVEL_E2E_DRIVER=x11 QUARVEL_NATIVE_BUILD=$build E2E_VIEWER_STANDIN=0
else
  echo "$0: no bin/quarvel or bin/quarvel.exe in $build (make clock, or make windows)" >&2
  exit 66
fi
QUARVEL_SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
build_root=$(dirname "$build")
QUARVEL_E2E_PREFIX=${QUARVEL_RUN_PREFIX:-$build_root/wine-prefix-run}
E2E_TEST=run-clock
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source "$QUARVEL_SOURCE_DIR/tests/e2e/lib.sh"

E2E_DIR=$build_root/run E2E_ART=$build_root/run
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
mkdir -p "$E2E_DIR"
e2e_copy_data tyou.sin tan.sin byou.sin qv.bmp
# Each build with its own readme and its own skin editor, next to the clock's program: the
# right-click finds it there, and its "Save and start clock" finds the clock beside itself.
if [ "$QUARVEL_E2E_DRIVER" = wine ]; then
  e2e_copy_data readme.txt
  cp "$build/bin/qvedit.exe" "$E2E_DIR/"
else
  cp "$QUARVEL_SOURCE_DIR/data/readme-linux.txt" "$E2E_DIR/readme.txt"
  if [ -f "$build/bin/qvedit" ]; then
    cp "$build/bin/qvedit" "$E2E_DIR/qvedit.new" && mv -f "$E2E_DIR/qvedit.new" "$E2E_DIR/qvedit"
  fi
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # The lock covers only the setup: clocks of several runs may share the prefix and the display.
  (e2e_driver_begin 60 keep)
  echo "Running the clock on $DISPLAY from $E2E_DIR; close it with C (or right-click)."
  e2e_start_clock
  status=0
  wait "$E2E_CLOCK_PID" || status=$?
  echo "$E2E_PROGRAM ended with exit code $status."
  exit "$status"
fi

[ -z "${DISPLAY:-}" ] || echo "DISPLAY=$DISPLAY can't be reached; running on a private screen."
e2e_require_tools Xvfb xdpyinfo openbox xdotool xwininfo xprop xwd convert
# The private screen is the clock's desktop, not a Wayland session this runs in.
unset WAYLAND_DISPLAY WAYLAND_SOCKET
e2e_start_display
e2e_driver_begin 60 # the lock is held to the end: the run ends every Wine process of the prefix
e2e_start_clock
# The clock, or on a first run the information window (372x202) before it.
e2e_until 15 e2e_shown 1 || true
if e2e_shown '$2 == "372x202"'; then
  sleep 1 # painted
  e2e_screenshot greeting >/dev/null
  echo "First run: the information window greets the user: $E2E_DIR/greeting.png; pressing OK."
  e2e_key "$E2E_FOUND" Return
  e2e_until 10 e2e_shown '$2 != "372x202"' || true
fi
sleep 2 # a redraw or two
e2e_screenshot screenshot >/dev/null
if e2e_clock_running; then
  for id in $(e2e_quarvel_windows | cut -d ' ' -f 1); do
    e2e_geometry "$id" && echo "QUARVEL shows a ${E2E_W}x$E2E_H window at ($E2E_X,$E2E_Y)."
  done
else
  e2e_wait_exit 1 || true
  echo "$E2E_PROGRAM ended early with exit code ${E2E_EXIT:-?}; its output:"
  cat "$E2E_TMP/clock.log"
fi
# A close request lets the clock write settings.ini.
for _ in 1 2; do
  e2e_clock_running || break
  e2e_close_request QUARVEL || true
  e2e_wait_exit 3 || true
done
echo "Screenshot: $E2E_DIR/screenshot.png"
