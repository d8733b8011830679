# shellcheck shell=bash disable=SC2034  # the E2E_ variables are read by the scripts that source this
# End-to-end harness for quarvel.exe under Wine on a private Xvfb screen. Sourced by the tests
# in this folder and by scripts/run-clock.sh.
#
# A test reads like this:
#   source "$(dirname "$0")/lib.sh"
#   e2e_begin                       # screen + openbox, Wine prefix, fresh work folder
#   e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
#   e2e_write_settings 0 0
#   e2e_start_clock
#   e2e_wait_clock                  # sets E2E_WINDOW
#   shot=$(e2e_screenshot face)     # <artifacts>/face.png
#   ...asserts with e2e_fail...
#   e2e_pass
#
# Inputs (all optional when run by hand from the source tree):
#   QUARVEL_WINDOWS_BUILD   the Windows build folder (default <repo>/build/windows)
#   QUARVEL_SOURCE_DIR      the repository (default: two folders above this file)
#   QUARVEL_E2E_ARTIFACTS   where screenshots and logs go, a folder per test
#                           (default <build>/e2e-artifacts, <build> being the folder that holds
#                           the Windows build, build/ of the repository)
#   QUARVEL_E2E_PREFIX      the Wine prefix (default <build>/wine-prefix)
#   QUARVEL_EXE             the program under test (default <windows build>/bin/quarvel.exe)
#   E2E_KEEP=1              keep the temporary work folder
#
# Every helper that can fail stops the test through e2e_fail with a message that says what was
# expected and what was seen; the EXIT trap then takes the last screenshot and tears it all down.

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${QUARVEL_SOURCE_DIR:=$(cd "$E2E_LIB_DIR/../.." && pwd)}"
: "${QUARVEL_WINDOWS_BUILD:=$QUARVEL_SOURCE_DIR/build/windows}"
: "${QUARVEL_EXE:=$QUARVEL_WINDOWS_BUILD/bin/quarvel.exe}"
: "${QUARVEL_E2E_ARTIFACTS:=$(dirname "$QUARVEL_WINDOWS_BUILD")/e2e-artifacts}"
E2E_WINPROBE=$QUARVEL_WINDOWS_BUILD/bin/winprobe.exe
E2E_SCREEN=1024x768x24
# The clock's own face size and the colour of the default face's background.
E2E_FACE=200
E2E_FACE_BLUE=0,64,128

export WINEPREFIX=${QUARVEL_E2E_PREFIX:-$(dirname "$QUARVEL_WINDOWS_BUILD")/wine-prefix}
export WINEDEBUG=-all
# No menu entries or file associations written into the user's home.
export WINEDLLOVERRIDES=winemenubuilder.exe=d

E2E_TEST=${E2E_TEST:-$(basename "${0%.sh}")}
E2E_START=${EPOCHREALTIME/[.,]/}
E2E_TMP=""            # private temporary folder: runtime files and the work folder
E2E_DIR=""            # the clock's working (and program) folder
E2E_ART=""            # this test's artifacts
E2E_XVFB_PID=""
E2E_WM_PID=""
E2E_CLOCK_PID=""
E2E_CLOCK_STATUS=""   # exit code once e2e_wait_exit has seen the clock end
E2E_WINDOW=""         # the clock window, set by e2e_wait_clock
E2E_FOUND=""          # the window e2e_wait_quarvel found
# File descriptor 9 holds the prefix lock; every child is started with 9>&- so that no
# lingering wineserver keeps the prefix locked after the test.

e2e_log() {
  local now=${EPOCHREALTIME/[.,]/}
  printf '[%s %6.2fs] %s\n' "$E2E_TEST" "$(((now - E2E_START) / 10000))e-2" "$*" >&2
}

e2e_fail() {
  printf '[%s] FAIL: %s\n' "$E2E_TEST" "$*" >&2
  exit 1
}

e2e_pass() {
  e2e_log "PASS"
  exit 0
}

e2e_require_tools() {
  local tool missing=()
  for tool in "$@"; do command -v "$tool" >/dev/null 2>&1 || missing+=("$tool"); done
  [ ${#missing[@]} -eq 0 ] ||
    e2e_fail "missing tools: ${missing[*]} (run scripts/install-deps.sh)"
}

e2e_require_file() { # <path> <what it is and where it comes from>
  [ -f "$1" ] || e2e_fail "$2 not found: $1"
}

# ---------------------------------------------------------------------------------------------
# Screen: Xvfb picks a free display number itself (-displayfd), so tests can run side by side.

e2e_start_display() {
  local numfile=$E2E_TMP/display i
  Xvfb -displayfd 3 -screen 0 "$E2E_SCREEN" -nolisten tcp 3>"$numfile" \
    >"$E2E_TMP/xvfb.log" 2>&1 </dev/null 9>&- &
  E2E_XVFB_PID=$!
  for ((i = 0; i < 100; i++)); do
    [ -s "$numfile" ] && break
    kill -0 "$E2E_XVFB_PID" 2>/dev/null ||
      e2e_fail "Xvfb exited at start: $(tail -n 5 "$E2E_TMP/xvfb.log")"
    sleep 0.1
  done
  [ -s "$numfile" ] || e2e_fail "Xvfb did not report a display within 10 s"
  DISPLAY=:$(head -n 1 "$numfile")
  export DISPLAY

  # NOTE: without a window manager hiding or closing a window blocks Wine for about 2 s and
  # dialogs get no frame; openbox makes both behave as on a desktop.
  openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 </dev/null 9>&- &
  E2E_WM_PID=$!
  for ((i = 0; i < 100; i++)); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$E2E_WM_PID" 2>/dev/null ||
      e2e_fail "openbox exited at start: $(tail -n 5 "$E2E_TMP/openbox.log")"
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    e2e_fail "openbox did not take over display $DISPLAY within 10 s"
  # Keep the pointer off the clock's square: a top-most clock hides from it.
  xdotool mousemove 1000 740
  e2e_log "display $DISPLAY ($E2E_SCREEN) with openbox"
}

e2e_stop_display() {
  local pid
  for pid in "$E2E_WM_PID" "$E2E_XVFB_PID"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  E2E_WM_PID="" E2E_XVFB_PID=""
}

# ---------------------------------------------------------------------------------------------
# Wine prefix: created once, then reused. A lock file next to it gives one user at a time the
# prefix (wineserver -k at the end of a test would otherwise kill another test's clock).

# shellcheck disable=SC2120  # run-clock.sh passes the wait
e2e_prefix_lock() { # [seconds to wait]
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock -w "${1:-100}" 9 ||
    e2e_fail "the Wine prefix $WINEPREFIX stayed busy for ${1:-100} s (another e2e test?)"
}

# Needs the lock and a display. Idempotent: a stamp marks a finished setup, and a setup that
# was cut short is simply run again.
e2e_prefix_setup() {
  local stamp=$WINEPREFIX/.quarvel-prefix-ready
  [ -f "$stamp" ] && return 0
  e2e_log "setting up the Wine prefix $WINEPREFIX (once, about 10 s)"
  local log=$E2E_TMP/prefix-setup.log
  {
    # No Mono or Gecko: their install prompt would wait for a click forever.
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree,mshtml=" wineboot -i &&
      # A crash must end the process (exit code 5) instead of waiting in the crash dialog.
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
      # Japanese dialog texts: the IPA font alone still shows boxes, this substitution draws them.
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v 'MS UI Gothic' /d IPAGothic /f &&
      wineserver -w
  } >"$log" 2>&1 9>&- || e2e_fail "Wine prefix setup failed: $(tail -n 5 "$log")"
  touch "$stamp"
}

# Ends every Wine process of the prefix, the leftovers of a killed earlier run included.
e2e_wine_kill() {
  wineserver -k 9>&- >/dev/null 2>&1 || true
}

# ---------------------------------------------------------------------------------------------
# Test life

e2e_begin() {
  set -Eeuo pipefail
  trap 'e2e_fail "command failed (exit $?) at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND"' ERR
  trap e2e_teardown EXIT
  trap 'exit 130' INT TERM
  e2e_require_tools Xvfb openbox xdotool xwininfo xprop xwd convert compare wine wineserver flock
  e2e_require_file "$QUARVEL_EXE" "the clock (make windows)"

  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-e2e.XXXXXX")
  E2E_DIR=$E2E_TMP/work
  mkdir -p "$E2E_DIR"
  E2E_ART=$QUARVEL_E2E_ARTIFACTS/$E2E_TEST
  rm -rf "$E2E_ART"
  mkdir -p "$E2E_ART"

  e2e_prefix_lock
  e2e_start_display
  e2e_wine_kill
  e2e_prefix_setup
  e2e_log "work folder $E2E_DIR, artifacts $E2E_ART"
}

e2e_teardown() {
  local status=$?
  trap - ERR
  set +e
  if [ -n "${DISPLAY:-}" ] && [ -n "$E2E_XVFB_PID" ] && [ -n "$E2E_ART" ]; then
    [ "$status" -eq 0 ] || e2e_screenshot at-exit >/dev/null 2>&1
  fi
  e2e_stop_clock
  e2e_stop_display
  [ -z "$E2E_TMP" ] || cp "$E2E_TMP"/*.log "$E2E_ART"/ 2>/dev/null
  if [ -n "$E2E_TMP" ] && [ "${E2E_KEEP:-0}" != 1 ]; then
    rm -rf "$E2E_TMP"
  elif [ -n "$E2E_TMP" ]; then
    e2e_log "kept $E2E_TMP"
  fi
  [ "$status" -eq 0 ] || e2e_log "failed; screenshots and logs in $E2E_ART"
  exit "$status"
}

# ---------------------------------------------------------------------------------------------
# Files in the work folder

e2e_copy_data() { # <name>... from the repository's data/
  local name
  for name in "$@"; do
    e2e_require_file "$QUARVEL_SOURCE_DIR/data/$name" "default data file"
    cp "$QUARVEL_SOURCE_DIR/data/$name" "$E2E_DIR/$name"
  done
}

# A hand file: colour, then "angle,percent" pairs, one item a line, CR LF, nothing after.
e2e_write_sin() { # <name> <colour> [angle,percent]...
  local name=$1
  shift
  printf '%s\r\n' "$@" >"$E2E_DIR/$name"
}

# settings.ini as the clock writes it. It lies next to the copied exe, so no first-run dialog.
e2e_write_settings() { # <left> <top> [notTopmost=0] [bitmap=qv.bmp] [pen width=2]
  printf '%s,%s\r\n %s \r\n%s\r\n %s \r\n' "$1" "$2" "${3:-0}" "${4:-qv.bmp}" "${5:-2}" \
    >"$E2E_DIR/settings.ini"
}

# "r,g,b" of a COLORREF written in decimal (red in the low byte).
e2e_colorref_rgb() {
  local c=$1
  echo "$((c & 255)),$(((c >> 8) & 255)),$(((c >> 16) & 255))"
}

# "r,g,b" of the colour on the first line of a hand file.
e2e_sin_rgb() {
  local first
  first=$(head -n 1 "$1" | tr -d '\r ')
  [[ $first =~ ^-?[0-9]+$ ]] || e2e_fail "no colour on the first line of $1: '$first'"
  e2e_colorref_rgb "$first"
}

# ---------------------------------------------------------------------------------------------
# The program

# Copies the program into <folder> unless an identical copy is there. A new copy replaces the
# old file by renaming, so a clock that still runs from it keeps its own file.
e2e_install_exe() { # <folder>
  local target=$1/quarvel.exe
  cmp -s "$QUARVEL_EXE" "$target" && return 0
  cp "$QUARVEL_EXE" "$target.new"
  mv -f "$target.new" "$target"
}

# The exe runs from the work folder, so its own folder is the work folder: that is where it
# looks for settings.ini to decide about the first-run dialog.
e2e_start_clock() {
  e2e_install_exe "$E2E_DIR"
  e2e_log "starting quarvel.exe in $E2E_DIR ($(cd "$E2E_DIR" && ls | tr '\n' ' '))"
  (cd "$E2E_DIR" && exec wine ./quarvel.exe) >>"$E2E_TMP/clock.log" 2>&1 </dev/null 9>&- &
  E2E_CLOCK_PID=$!
  E2E_CLOCK_STATUS=""
}

e2e_clock_running() {
  [ -n "$E2E_CLOCK_PID" ] && [ -z "$E2E_CLOCK_STATUS" ] && kill -0 "$E2E_CLOCK_PID" 2>/dev/null
}

# Waits for the clock's process to end; sets E2E_CLOCK_STATUS. Returns 1 on timeout.
e2e_wait_exit() { # [seconds=5]
  [ -n "$E2E_CLOCK_STATUS" ] && return 0
  local deadline=$((${EPOCHREALTIME/[.,]/} + ${1:-5} * 1000000))
  while kill -0 "$E2E_CLOCK_PID" 2>/dev/null; do
    [ "${EPOCHREALTIME/[.,]/}" -lt "$deadline" ] || return 1
    sleep 0.05
  done
  E2E_CLOCK_STATUS=0
  wait "$E2E_CLOCK_PID" || E2E_CLOCK_STATUS=$?
  e2e_log "quarvel.exe exited with code $E2E_CLOCK_STATUS"
}

e2e_stop_clock() {
  if e2e_clock_running; then
    kill "$E2E_CLOCK_PID" 2>/dev/null
    wait "$E2E_CLOCK_PID" 2>/dev/null
  fi
  E2E_CLOCK_PID=""
  e2e_wine_kill
}

# Runs the winprobe (tests/e2e/winprobe) in the clock's prefix and prints its output.
e2e_winprobe() {
  e2e_require_file "$E2E_WINPROBE" "the window winprobe (make windows)"
  local out status=0
  out=$(wine "$E2E_WINPROBE" "$@" 2>"$E2E_TMP/winprobe.err" 9>&-) || status=$?
  printf '%s\n' "$out" | tee -a "$E2E_ART/winprobe.txt"
  [ "$status" -eq 0 ] || { cat "$E2E_TMP/winprobe.err" >&2; return "$status"; }
}

# ---------------------------------------------------------------------------------------------
# Windows on the X side

# Prints the ids of the visible windows whose title matches the regex; fails after the timeout.
e2e_wait_window() { # <title regex> [seconds=15]
  local ids
  ids=$(timeout "${2:-15}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null) ||
    e2e_fail "no visible window titled /$1/ within ${2:-15} s"
  echo "$ids"
}

# Sets E2E_X, E2E_Y, E2E_W, E2E_H from xwininfo.
e2e_geometry() { # <window id>
  local info
  info=$(xwininfo -id "$1" 2>/dev/null) || e2e_fail "window $1 is gone"
  E2E_X=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  E2E_Y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
  E2E_W=$(awk '/Width:/ {print $2}' <<<"$info")
  E2E_H=$(awk '/Height:/ {print $2}' <<<"$info")
}

# Prints the ids of the visible windows titled "QUARVEL" that are <w> x <h> pixels. The
# first-run dialog and the error boxes carry the same title as the clock, so the size tells
# them apart.
e2e_find_quarvel() { # <w> <h>
  local id
  for id in $(xdotool search --onlyvisible --name '^QUARVEL$' 2>/dev/null || true); do
    e2e_geometry "$id"
    [ "$E2E_W" = "$1" ] && [ "$E2E_H" = "$2" ] && echo "$id"
  done
  return 0
}

e2e_find_clock() { # [size=200]
  e2e_find_quarvel "${1:-$E2E_FACE}" "${1:-$E2E_FACE}"
}

# Prints "id WxH+X+Y" for every visible window titled QUARVEL, for failure messages.
e2e_describe_quarvel() {
  local id
  for id in $(xdotool search --onlyvisible --name '^QUARVEL$' 2>/dev/null || true); do
    e2e_geometry "$id"
    printf '%s %sx%s+%s+%s; ' "$id" "$E2E_W" "$E2E_H" "$E2E_X" "$E2E_Y"
  done
  return 0
}

# Waits for a visible <w> x <h> window titled QUARVEL and sets E2E_FOUND to its id. Fails early
# when the program ends. A caller may set E2E_WAIT_GUARD to a function that runs at every poll
# and fails the test on what must not show meanwhile.
e2e_wait_quarvel() { # <w> <h> <what> [seconds=15]
  local deadline=$((${EPOCHREALTIME/[.,]/} + ${4:-15} * 1000000)) ids
  while :; do
    [ -z "${E2E_WAIT_GUARD:-}" ] || "$E2E_WAIT_GUARD"
    ids=$(e2e_find_quarvel "$1" "$2")
    if [ -n "$ids" ]; then
      E2E_FOUND=$(head -n 1 <<<"$ids")
      e2e_log "$3 $E2E_FOUND is up"
      return 0
    fi
    if ! e2e_clock_running; then
      e2e_wait_exit 1 || true
      e2e_fail "quarvel.exe ended with code ${E2E_CLOCK_STATUS:-?} without showing its $3;" \
        "its output: $(tail -n 5 "$E2E_TMP/clock.log")"
    fi
    [ "${EPOCHREALTIME/[.,]/}" -lt "$deadline" ] ||
      e2e_fail "no visible $1x$2 window titled QUARVEL ($3) within ${4:-15} s; visible QUARVEL" \
        "windows: $(e2e_describe_quarvel)"
    sleep 0.1
  done
}

# Waits for the clock window and sets E2E_WINDOW to its id.
e2e_wait_clock() { # [size=200] [seconds=15]
  e2e_wait_quarvel "${1:-$E2E_FACE}" "${1:-$E2E_FACE}" "clock window" "${2:-15}"
  E2E_WINDOW=$E2E_FOUND
}

# ---------------------------------------------------------------------------------------------
# Pixels. Colours are "r,g,b" in 0..255; rectangles are x y w h in screen pixels.

# Saves the whole screen as <artifacts>/<name>.png and prints the path.
e2e_screenshot() { # <name>
  local file=$E2E_ART/$1.png
  xwd -root -silent | convert xwd:- -alpha off "png:$file" ||
    e2e_fail "screenshot $1 failed"
  echo "$file"
}

e2e_hex() { # <r,g,b> -> #RRGGBB
  local r g b
  IFS=, read -r r g b <<<"$1"
  printf '#%02X%02X%02X' "$r" "$g" "$b"
}

e2e_pixel() { # <png> <x> <y>  -> r,g,b
  convert "$1" -crop "1x1+$2+$3" +repage -depth 8 \
    -format '%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]' info:
}

# Number of pixels of exactly that colour in the rectangle.
e2e_count_colour() { # <png> <r,g,b> <x> <y> <w> <h>
  convert "$1" -crop "$5x$6+$3+$4" +repage -alpha off -depth 8 -format %c histogram:info:- |
    awk -v want="$(e2e_hex "$2")" '
      match($0, /#[0-9A-Fa-f]+/) && toupper(substr($0, RSTART, RLENGTH)) == want {
        split($0, n, ":"); sum += n[1] }
      END { print sum + 0 }'
}

# White where two images differ in the rectangle, black elsewhere.
e2e_diff_mask() { # <png a> <png b> <x> <y> <w> <h> <out png>
  convert "$1" -crop "$5x$6+$3+$4" +repage -alpha off "$E2E_TMP/crop-a.png"
  convert "$2" -crop "$5x$6+$3+$4" +repage -alpha off "$E2E_TMP/crop-b.png"
  # compare exits 1 when the images differ: that is the normal case here.
  compare -fuzz 0 "$E2E_TMP/crop-a.png" "$E2E_TMP/crop-b.png" -compose src \
    -highlight-color white -lowlight-color black "$7" 2>/dev/null || [ $? -eq 1 ]
}

e2e_white_count() { # <png> -> number of white pixels of a black and white image
  convert "$1" -alpha off -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Number of pixels that differ between two screenshots in the rectangle.
e2e_count_diff() { # <png a> <png b> <x> <y> <w> <h>
  e2e_diff_mask "$@" "$E2E_TMP/diff.png"
  e2e_white_count "$E2E_TMP/diff.png"
}

# Number of pixels of exactly that colour in the rectangle of <png> that differ from <reference>
# there: what was drawn over a background in that colour, even if the background has it too.
e2e_count_colour_changed() { # <png> <reference png> <r,g,b> <x> <y> <w> <h>
  e2e_diff_mask "$1" "$2" "$4" "$5" "$6" "$7" "$E2E_TMP/changed.png"
  convert "$1" -crop "$6x$7+$4+$5" +repage -alpha off -fuzz 0 -transparent "$(e2e_hex "$3")" \
    -alpha extract -negate "$E2E_TMP/colour.png"
  convert "$E2E_TMP/colour.png" "$E2E_TMP/changed.png" -compose multiply -composite \
    "$E2E_TMP/both.png"
  e2e_white_count "$E2E_TMP/both.png"
}
