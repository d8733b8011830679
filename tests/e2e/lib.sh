# shellcheck shell=bash disable=SC2034  # the E2E_ variables are read by the scripts
# End-to-end harness: the clock on a private Xvfb screen with a window manager, driven with
# xdotool, read back from screenshots; a build's specifics sit in driver_*.sh. Inputs:
# QUARVEL_E2E_DRIVER (wine, x11 or wayland), QUARVEL_WINDOWS_BUILD, QUARVEL_NATIVE_BUILD,
# QUARVEL_SOURCE_DIR, QUARVEL_E2E_ARTIFACTS, QUARVEL_E2E_PREFIX (the Wine prefix), QUARVEL_EXE,
# E2E_KEEP=1 (keep the temporary folder), E2E_WM (openbox or fluxbox, in its stock setup).

: "${QUARVEL_SOURCE_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
: "${QUARVEL_WINDOWS_BUILD:=$QUARVEL_SOURCE_DIR/build/windows}"
: "${QUARVEL_NATIVE_BUILD:=$QUARVEL_SOURCE_DIR/build/native}"
: "${QUARVEL_E2E_ARTIFACTS:=$(dirname "$QUARVEL_WINDOWS_BUILD")/e2e-artifacts}"
E2E_DRIVER=${QUARVEL_E2E_DRIVER:-wine}
E2E_WM=${E2E_WM:-openbox}
# The test's name: the script's, with the driver and window manager but Wine's and openbox's.
if [ -z "${E2E_TEST:-}" ]; then
  E2E_TEST=$(basename "${0%.sh}")
  [ "$E2E_DRIVER" = wine ] || E2E_TEST=${E2E_DRIVER}_$E2E_TEST
  [ "$E2E_WM" = openbox ] || E2E_TEST=${E2E_TEST}_$E2E_WM
fi
E2E_FACE=200        # the default face's size in pixels
E2E_BLUE=0,64,128   # the default face's background, and the colour of a face without bitmap
E2E_AWAY=(1000 740) # a pointer place off every clock the tests show
# What the desktop needs; a driver with a desktop of its own (driver_wayland.sh) sets its own.
E2E_SESSION_TOOLS=(Xvfb xdpyinfo "$E2E_WM" xdotool xwininfo xprop xwd convert compare)
E2E_TMP="" E2E_DIR="" E2E_ART="" E2E_XVFB_PID="" E2E_WM_PID=""
E2E_CLOCK_PID="" E2E_EXIT="" E2E_WINDOW="" E2E_FOUND="" E2E_MOVES=0 E2E_EDITOR_PID=""

e2e_now() { echo "${EPOCHREALTIME/[.,]/}"; } # microseconds
E2E_START=$(e2e_now)
e2e_log() { printf '[%s %6d ms] %s\n' "$E2E_TEST" $((($(e2e_now) - E2E_START) / 1000)) "$*" >&2; }
e2e_fail() { printf '[%s] FAIL: %s\n' "$E2E_TEST" "$*" >&2; exit 1; }
e2e_pass() { e2e_log PASS; exit 0; }
e2e_not() { ! "$@"; }

e2e_require_tools() {
  local tool
  for tool; do command -v "$tool" >/dev/null || e2e_fail "no $tool (scripts/install-deps.sh)"; done
}
e2e_require_file() { [ -f "$1" ] || e2e_fail "$2 not found: $1"; }

# Runs the command every 50 ms until it succeeds; returns 1 once <seconds> times E2E_PATIENCE
# have passed. A wait ends as soon as its condition holds, so its bound can be generous: on a
# busy machine (a build beside the tests, or four tests at once on two cores) windows come
# several times slower than on an idle one.
E2E_PATIENCE=${E2E_PATIENCE:-4}
e2e_until() { # <seconds> <command>...
  local seconds=$1
  shift
  e2e_for "$(awk -v s="$seconds" -v p="$E2E_PATIENCE" 'BEGIN { print s * p }')" "$@"
}
# The same for exactly <seconds>: for what must hold all that time (e2e_expect_stays).
e2e_for() { # <seconds> <command>...
  local deadline
  printf -v deadline '%.0f' "${1}e6"
  deadline=$((deadline + $(e2e_now)))
  shift
  until "$@"; do
    [ "$(e2e_now)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# --- Test life ----------------------------------------------------------------------------------

e2e_begin() {
  set -Eeuo pipefail
  trap 'e2e_fail "exit $? at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND"' ERR
  trap e2e_teardown EXIT
  trap 'exit 130' INT TERM
  e2e_require_tools "${E2E_SESSION_TOOLS[@]}"
  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-e2e.XXXXXX")
  E2E_DIR=$E2E_TMP/work
  E2E_ART=$QUARVEL_E2E_ARTIFACTS/$E2E_TEST
  rm -rf "$E2E_ART"
  mkdir -p "$E2E_DIR" "$E2E_ART"
  e2e_start_display
  e2e_driver_begin
}

e2e_teardown() {
  local status=$?
  trap - ERR
  set +e
  [ "$status" -eq 0 ] || [ -z "$E2E_XVFB_PID" ] || e2e_screenshot at-exit >/dev/null
  e2e_stop_clock
  e2e_stop_display
  cp "$E2E_TMP"/*.log "$E2E_ART"/ 2>/dev/null
  [ "${E2E_KEEP:-0}" = 1 ] || rm -rf "$E2E_TMP"
  [ "$status" -eq 0 ] || e2e_log "failed; screenshots and logs in $E2E_ART"
  exit "$status"
}

# A display nobody used (-displayfd) holds no keys a killed run left down; -noreset: openbox,
# connecting meanwhile, failed now and then. The window manager gets a home of its own, where
# fluxbox writes its first setup. E2E_SCREEN (WxHxDepth), set before e2e_begin, gives another.
e2e_start_display() {
  Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$E2E_TMP/display" \
    >"$E2E_TMP/xvfb.log" 2>&1 </dev/null &
  E2E_XVFB_PID=$!
  e2e_until 10 e2e_x_ready || e2e_fail "Xvfb did not start: $(tail -n 3 "$E2E_TMP/xvfb.log")"
  local wm=("$E2E_WM")
  [ "$E2E_WM" != openbox ] || wm+=(--sm-disable)
  mkdir -p "$E2E_TMP/wm-home"
  HOME=$E2E_TMP/wm-home "${wm[@]}" >"$E2E_TMP/$E2E_WM.log" 2>&1 </dev/null &
  E2E_WM_PID=$!
  e2e_until 10 e2e_wm_ready ||
    e2e_fail "$E2E_WM did not start: $(tail -n 3 "$E2E_TMP/$E2E_WM.log")"
  xdotool mousemove "${E2E_AWAY[@]}"
}
e2e_x_ready() {
  [ -s "$E2E_TMP/display" ] && DISPLAY=:$(head -n 1 "$E2E_TMP/display") && export DISPLAY &&
    xdpyinfo >/dev/null 2>&1
}
e2e_wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# A window manager that does not end on TERM within 5 s (fluxbox, now and then) is killed.
e2e_stop_display() {
  local pid
  for pid in $E2E_WM_PID $E2E_XVFB_PID; do
    kill "$pid" 2>/dev/null || continue
    e2e_until 5 e2e_not kill -0 "$pid" 2>/dev/null || kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
  done
  E2E_WM_PID="" E2E_XVFB_PID=""
}

# --- The driver: e2e_driver_begin, e2e_driver_reset, e2e_install_editor, e2e_start_clock,
# e2e_close_request, e2e_list_controls, e2e_screen_dpi; E2E_PROGRAM, E2E_EDITOR, E2E_README_TITLE;
# a driver with a desktop of its own also e2e_start_display, e2e_stop_display, E2E_SESSION_TOOLS.
# shellcheck source=driver_wine.sh
source "$(dirname "${BASH_SOURCE[0]}")/driver_$E2E_DRIVER.sh"

# True with that driver; with the other it logs what is skipped, and why.
e2e_only() { # <driver> <what is skipped and why>
  [ "$E2E_DRIVER" = "$1" ] || { e2e_log "skipped with the $E2E_DRIVER driver: $2" && return 1; }
}

# The Windows build's skin editor, started in E2E_DIR as the clock starts it (E2E_EDITOR_PID),
# and its window up (QVS).
e2e_start_editor() { # [seconds to wait=20]
  e2e_require_file "$QUARVEL_WINDOWS_BUILD/bin/qvedit.exe" "the skin editor (make windows)"
  cp "$QUARVEL_WINDOWS_BUILD/bin/qvedit.exe" "$E2E_DIR/qvedit.exe"
  # Wine's open dialog starts in the folder it saw last, which an earlier test's end removed;
  # there it hangs for half a minute (a user's prefix has no such folder).
  wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedMRU' \
    /f >/dev/null 2>&1 9>&- || true
  e2e_log "starting qvedit.exe in $E2E_DIR"
  (cd "$E2E_DIR" && exec wine "$E2E_DIR/qvedit.exe") >>"$E2E_TMP/editor.log" 2>&1 </dev/null 9>&- &
  E2E_EDITOR_PID=$!
  e2e_wait_qvs "$@"
}

# The Linux editor of the native build (EDITOR), judged by the debug build's sanitizers too, but
# for what libdbus and fontconfig keep.
e2e_linux_editor() {
  EDITOR=$QUARVEL_NATIVE_BUILD/bin/qvedit
  e2e_require_file "$EDITOR" "the skin editor (make native)"
  export LSAN_OPTIONS=suppressions=$QUARVEL_SOURCE_DIR/tests/qvedit/lsan.supp
}

# Sets E2E_NAMED to a visible window of that title (a regular expression), if there is one.
e2e_window_named() { # <title>
  E2E_NAMED=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$E2E_NAMED" ]
}
e2e_qvs_shown() { e2e_window_named qvs && QVS=$E2E_NAMED; }
e2e_wait_qvs() { # [seconds=20]
  e2e_until "${1:-20}" e2e_qvs_shown || e2e_fail "no editor window qvs within ${1:-20} s"
  sleep 0.5 # laid out and painted
}
e2e_control_text() { # <id> -> its text
  e2e_window_controls qvs | sed -nE "s/^  control class=\"[^\"]*\" text=\"([^\"]*)\" .* id=$1\$/\1/p"
}
e2e_close_editor() { # [after what]
  e2e_close_request qvs
  e2e_expect_editor_gone "${1:-a close request}"
}
e2e_expect_editor_gone() { # <after what>
  e2e_until 10 e2e_not kill -0 "$E2E_EDITOR_PID" 2>/dev/null || e2e_fail "the editor runs on after $1"
}
# Waits until the editor shows a box whose texts hold the phrase; sets BOX.
e2e_wait_editor_box() { # <phrase> <what should have asked>
  E2E_PHRASE=$1
  e2e_until 10 eval 'BOX=$(e2e_list_controls qvs) && grep -qF -- "$E2E_PHRASE" <<<"$BOX"' ||
    e2e_fail "no box saying '$1' after $2:"$'\n'"$BOX"
}
# Clears the field with the keyboard focus and types the text, as a person does.
e2e_type_over() { # <text>
  xdotool key --clearmodifiers End shift+Home BackSpace
  xdotool type --delay 30 "$1"
}
# Browse... in the editor's open dialog: the file's Unix path typed into its name field, and Open.
e2e_open_face() { # <browse button id> <file>
  e2e_click_control qvs "$1"
  # The Open button comes last, and a prefix's first open dialog slowly. No grep -q: tee, cut
  # off early, would fail the pipe.
  e2e_until 60 eval 'e2e_window_controls "Face bitmap" | grep "class=\"Button\" .* id=1\$" >/dev/null' ||
    e2e_fail "no open dialog with an Open button"
  sleep 0.5
  e2e_click_control "Face bitmap" 1148 # its file name field (Windows' dlgs.h)
  e2e_type_over "Z:${2//\//\\}"
  e2e_screenshot open-dialog >/dev/null
  xdotool key Return
}

# Any visible top-level window with that title, `window class="…" text="…" rect=…`, and its
# controls, each line ending in the control's id: `  control class="…" text="…" rect=… id=n`.
e2e_window_controls() { e2e_winprobe_read window "$1"; } # <title>

# --- The clock's process ------------------------------------------------------------------------

e2e_clock_running() { [ -z "$E2E_EXIT" ] && kill -0 "$E2E_CLOCK_PID" 2>/dev/null; }

e2e_wait_exit() { # [seconds=5]; sets E2E_EXIT, returns 1 while the clock still runs
  [ -n "$E2E_EXIT" ] && return 0
  e2e_until "${1:-5}" e2e_not kill -0 "$E2E_CLOCK_PID" 2>/dev/null || return 1
  E2E_EXIT=0
  wait "$E2E_CLOCK_PID" || E2E_EXIT=$?
  e2e_log "$E2E_PROGRAM ended with code $E2E_EXIT"
}

e2e_expect_exit() { # <code, or "non-zero"> <after what> [seconds=5]
  e2e_wait_exit "${3:-5}" || e2e_fail "$E2E_PROGRAM still runs ${3:-5} s after $2"
  if [ "$1" = non-zero ]; then [ "$E2E_EXIT" -ne 0 ]; else [ "$E2E_EXIT" -eq "$1" ]; fi ||
    e2e_fail "$E2E_PROGRAM ended with code $E2E_EXIT after $2, expected $1"
}

e2e_stop_clock() {
  if e2e_clock_running; then kill "$E2E_CLOCK_PID" && wait "$E2E_CLOCK_PID"; fi 2>/dev/null || true
  E2E_CLOCK_PID=""
  e2e_driver_reset
}

e2e_close_clock() { # <after what>: a close request, and the clock ends with 0
  e2e_close_request QUARVEL
  e2e_expect_exit 0 "$1"
}

# --- Files in the work folder -------------------------------------------------------------------

e2e_copy_data() { # <name>... from data/
  local name
  for name in "$@"; do cp "$QUARVEL_SOURCE_DIR/data/$name" "$E2E_DIR/$name"; done
}
# The default skin, and with arguments (e2e_settings') its settings.ini: no first run.
e2e_skin() { # [left top [layer] [bitmap] [pen]]
  e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
  [ $# -eq 0 ] || e2e_settings "$@" >"$E2E_DIR/settings.ini"
}

# settings.ini as the clock writes it, CR LF and all.
e2e_settings() { # <left> <top> [layer: 0 top-most, -1 normal] [bitmap=qv.bmp] [pen=2]
  local layer=" ${3:-0} "
  [ "${3:-0}" -ge 0 ] || layer="$3 "
  printf '%s,%s\r\n%s\r\n%s\r\n %s \r\n' "$1" "$2" "$layer" "${4:-qv.bmp}" "${5:-2}"
}

e2e_expect_bytes() { # <file> <what>; the expected bytes come on stdin
  cat >"$E2E_TMP/expected"
  cmp -s "$E2E_TMP/expected" "$1" || e2e_fail "$2: $(basename "$1") holds" \
    "$(od -An -c "$1" 2>&1 | tr -s ' \n' ' '), expected" \
    "$(od -An -c "$E2E_TMP/expected" | tr -s ' \n' ' ')"
}

# --- Windows on the screen ----------------------------------------------------------------------
# Under Wine a window moved wholly off-screen is unmapped and no longer --onlyvisible, so the
# helpers take a window id found while it was shown.

e2e_geometry() { # <window id>; sets E2E_X E2E_Y E2E_W E2E_H E2E_MAP, returns 1 if it is gone
  local info
  info=$(xwininfo -id "$1" 2>/dev/null) || return 1
  read -r E2E_X E2E_Y E2E_W E2E_H E2E_MAP < <(awk '/Absolute upper-left X/ {x = $4}
    /Absolute upper-left Y/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2}
    /Map State:/ {m = $3 == "IsViewable" ? "mapped" : "unmapped"} END {print x, y, w, h, m}' \
    <<<"$info")
}

# Within 2 s: on a busy machine Wine may show a window a moment before it has its place.
e2e_expect_geometry() { # <window id> <x,y,w,h> <what>
  e2e_until 2 e2e_geometry_is "$1" "$2" && return 0
  e2e_geometry "$1" || e2e_fail "$3: window $1 is gone"
  e2e_fail "$3: x,y,w,h = $E2E_X,$E2E_Y,$E2E_W,$E2E_H, expected $2"
}
e2e_geometry_is() { e2e_geometry "$1" && [ "$E2E_X,$E2E_Y,$E2E_W,$E2E_H" = "$2" ]; }

e2e_place() { # <window id> -> "x,y mapped|unmapped" or "gone"
  if e2e_geometry "$1"; then echo "$E2E_X,$E2E_Y $E2E_MAP"; else echo gone; fi
}
e2e_at() { [ "$(e2e_place "$1")" = "$2" ]; }

e2e_wait_place() { # <window id> <"x,y mapped|unmapped"> <seconds> <after what>
  local start
  start=$(e2e_now)
  e2e_until "$3" e2e_at "$1" "$2" ||
    e2e_fail "$4: the clock should be at $2 within $3 s, it is at $(e2e_place "$1")"
  e2e_log "$4: at $2 after $((($(e2e_now) - start) / 1000)) ms"
}

e2e_expect_stays() { # <window id> <"x,y mapped|unmapped"> <seconds> <while what>
  ! e2e_for "$3" e2e_not e2e_at "$1" "$2" ||
    e2e_fail "$4: the clock should stay at $2, it went to $(e2e_place "$1")"
}

# The clock, the first-run dialog and the message boxes are all titled QUARVEL: sizes tell them.
e2e_quarvel_windows() { # -> "id WxH" per visible window titled QUARVEL
  local id
  for id in $(xdotool search --onlyvisible --name '^QUARVEL$' 2>/dev/null || true); do
    if e2e_geometry "$id"; then echo "$id ${E2E_W}x$E2E_H"; fi
  done
}

# Sets E2E_FOUND to the first of them whose size ($2, "WxH") meets the awk condition.
e2e_shown() {
  E2E_FOUND=$(e2e_quarvel_windows | awk "$1 {print \$1; exit}") && [ -n "$E2E_FOUND" ]
}

e2e_wait_quarvel() { # <WxH> <what>; sets E2E_FOUND
  e2e_until 15 e2e_shown "\$2 == \"$1\"" || { e2e_wait_exit 0 || true; e2e_fail "no $2 ($1) in" \
    "15 s, exit code ${E2E_EXIT:-none}; QUARVEL windows: $(e2e_quarvel_windows | tr '\n' ' ')" \
    "$(tail -n 3 "$E2E_TMP/clock.log")"; }
}

e2e_wait_clock() { # [size=200]; sets E2E_WINDOW
  e2e_wait_quarvel "${1:-$E2E_FACE}x${1:-$E2E_FACE}" "clock window"
  E2E_WINDOW=$E2E_FOUND
}
e2e_show_clock() { # [size=200]: the clock started in E2E_DIR, and its window up
  e2e_start_clock
  e2e_wait_clock "$@"
}

# The X focus as a person gives it, with a click: on the clock with Shift held (a top-most clock
# doesn't hide), then off it before Shift goes up; on a dialog in its top left corner. openbox
# focuses on a plain press only and Wine 8 can't ask it for the focus, so there Shift goes up
# over the clock (which keeps it in place) before the click, once more should it have hidden.
e2e_focus() { # <window id>
  local taken=0 try tries=1 plain=0
  e2e_has_focus "$1" && return 0
  e2e_geometry "$1" || e2e_fail "no window $1 to click"
  if [ "$1" != "$E2E_WINDOW" ]; then
    xdotool mousemove $((E2E_X + 4)) $((E2E_Y + 4)) click 1 mousemove "${E2E_AWAY[@]}"
    e2e_until 5 e2e_has_focus "$1" || taken=$?
  else
    [ "$E2E_DRIVER/$E2E_WM" != wine/openbox ] || tries=3 plain=1
    for ((try = 1; try <= tries; try++)); do
      # Onto the clock from off it, Shift already down: Wine, without the keyboard, learns of
      # Shift as the pointer enters one of its windows.
      xdotool mousemove "${E2E_AWAY[@]}" sleep 0.1 keydown shift
      e2e_move_over $((E2E_X + E2E_W / 2)) $((E2E_Y + E2E_H / 2))
      [ "$plain" = 0 ] || xdotool sleep 0.1 keyup shift
      xdotool sleep 0.1 click 1
      taken=0
      e2e_until 5 e2e_has_focus "$1" || taken=$?
      [ "$plain" = 0 ] || xdotool keydown shift
      # Shift goes up once the clock has the focus: Wine sees a key go up only in that window.
      xdotool mousemove "${E2E_AWAY[@]}" sleep 0.1 keyup shift
      [ "$taken" -ne 0 ] && [ "$try" -lt "$tries" ] || break
      e2e_log "no focus, the clock at $(e2e_place "$1"): once more when it is home"
      e2e_until 3 e2e_at "$1" "$E2E_X,$E2E_Y mapped" || true
    done
  fi
  [ "$taken" -eq 0 ] || e2e_fail "a click on window $1 did not give it the focus" \
    "($(e2e_place "$1"), the focus is on $(xdotool getwindowfocus -f 2>&1))"
}
# The window, or one of its own (a dialog may give it to a control of its own).
e2e_has_focus() {
  [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$1" ] ||
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}

e2e_key() { # <window id> <key>...
  e2e_focus "$1"
  xdotool key --clearmodifiers "${@:2}"
}

# A right-click on the clock with Shift held, so that it stays; E2E_CLICKED is when.
e2e_right_click() {
  e2e_focus "$E2E_WINDOW" # Wine sees Shift go up only in the focused window
  e2e_geometry "$E2E_WINDOW"
  xdotool keydown shift
  e2e_move_over $((E2E_X + 100)) $((E2E_Y + 100))
  sleep 0.2
  E2E_CLICKED=$(e2e_now)
  xdotool click 3 keyup shift
}

e2e_close_with_c() { # <window id> <what>
  e2e_key "$1" c
  e2e_expect_exit 0 "the key C ($2)"
}

# openbox keeps a top-most Win32 window in its "above" layer.
e2e_above() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_ABOVE; }
e2e_expect_topmost() { # <window id> yes|no <what>
  local check=(e2e_above "$1")
  [ "$2" = yes ] || check=(e2e_not "${check[@]}")
  e2e_until 2 "${check[@]}" ||
    e2e_fail "$3: top-most should be $2, $(xprop -id "$1" _NET_WM_STATE 2>&1)"
}

# Moves the pointer to <x + n, y> for the n-th call: Wine makes a WM_MOUSEMOVE only of a move to
# a place other than the last one it knew.
e2e_move_over() { # <x> <y>
  E2E_MOVES=$((E2E_MOVES + 1))
  xdotool mousemove $(($1 + E2E_MOVES)) "$2"
}

# Sets E2E_CX, E2E_CY to the centre of the control with that id, from e2e_window_controls.
e2e_control_centre() { # <controls> <id>
  local rect x y w h
  rect=$(sed -nE "s/^  control .* rect=([-0-9,]+) id=$2\$/\1/p" <<<"$1" | head -n 1)
  [ -n "$rect" ] || e2e_fail "no control with id $2 in:"$'\n'"$1"
  IFS=, read -r x y w h <<<"$rect"
  E2E_CX=$((x + w / 2)) E2E_CY=$((y + h / 2))
}

e2e_click_control() { # <window title> <control id>
  e2e_control_centre "$(e2e_window_controls "$1")" "$2"
  xdotool mousemove "$E2E_CX" "$E2E_CY" click 1
}

# Exactly one message box titled QUARVEL, next to the clock or instead of it, its texts holding
# every phrase. Sets E2E_BOX (its e2e_list_controls lines) and E2E_BOX_WINDOW.
E2E_NOT_CLOCK="\$2 != \"${E2E_FACE}x$E2E_FACE\""
e2e_wait_box() { # <after what> <phrase>...
  local what=$1 phrase
  shift
  e2e_until 10 e2e_shown "$E2E_NOT_CLOCK" || { e2e_wait_exit 0 || true; e2e_fail "$what: no" \
    "message box in 10 s, exit code ${E2E_EXIT:-none}; QUARVEL windows: $(e2e_quarvel_windows)"; }
  E2E_BOX_WINDOW=$E2E_FOUND
  sleep 0.3 # painted, for the screenshots
  E2E_BOX=$(e2e_list_controls QUARVEL)
  [ "$(grep -c '^dialog' <<<"$E2E_BOX")" -eq 1 ] || e2e_fail "$what: not one box:"$'\n'"$E2E_BOX"
  for phrase in "$@"; do
    grep '^  control class="Static"' <<<"$E2E_BOX" | grep -qiF -- "$phrase" ||
      e2e_fail "$what: the box does not say '$phrase':"$'\n'"$E2E_BOX"
  done
}

# Dismissed as a user would: it may come up without the focus.
e2e_dismiss_box() { e2e_key "$E2E_BOX_WINDOW" Return; }
e2e_box_gone() {
  e2e_dismiss_box
  e2e_until 5 e2e_not e2e_shown "$E2E_NOT_CLOCK" || e2e_fail "the message box is still up after Enter"
}

# --- A skin author's round trip (skin_editor, qvedit_linux) ------------------------------------

E2E_NEW_RGB=(10 200 60) # the minute hand's new colour

# Drags the minute hand's tip (point 7: 0,85, at 48 degrees at 10:08:36) 30 degrees on and out to
# the dial's full radius (80 of the 200-pixel face), the face shown at <zoom> from <x>,<y>.
e2e_drag_minute_tip() { # <face x> <face y> <zoom>
  local step x y
  for step in 0 1 2 3 4 5 6; do
    read -r x y < <(awk -v a=$((48 + 5 * step)) -v r=$((68 + 2 * step)) 'BEGIN {
      t = (90 - a) * 3.14159 / 180; print int(100 + cos(t) * r + 0.5), int(100 - sin(t) * r + 0.5) }')
    xdotool mousemove $(($1 + x * $3 + $3 / 2)) $(($2 + y * $3 + $3 / 2))
    if [ "$step" = 0 ]; then xdotool mousedown 1; else sleep 0.1; fi
  done
  xdotool mouseup 1
}

# The skin saved in the folder has the new colour and the tip dragged to about 30,100, and the
# clock (E2E_WINDOW) shows it: its face the preview's drawing of the files, the new colour in it.
e2e_expect_new_skin() { # <skin folder>
  local colour tip
  colour=$((E2E_NEW_RGB[0] + E2E_NEW_RGB[1] * 256 + E2E_NEW_RGB[2] * 65536))
  [ "$(head -n 1 "$1/tyou.sin")" = "$colour"$'\r' ] ||
    e2e_fail "tyou.sin does not start with the new colour $colour: $(head -n 1 "$1/tyou.sin")"
  tip=$(sed -n 8p "$1/tyou.sin" | tr -d '\r')
  awk -F, '{ exit !($1 >= 28 && $1 <= 32 && $2 + 0 >= 98 && $2 + 0 <= 102) }' <<<"$tip" ||
    e2e_fail "the dragged tip was saved as '$tip', expected about 30,100"
  e2e_log "saved tip: $tip"
  e2e_geometry "$E2E_WINDOW"
  E2E_SKIN=$1 e2e_expect_preview_face "$E2E_X" "$E2E_Y" 200 clock-in-new-skin
  colour=$(IFS=,; echo "${E2E_NEW_RGB[*]}")
  [ "$(e2e_count_colour "$E2E_ART/clock-in-new-skin.png" "$colour" "$E2E_X" "$E2E_Y" 200 200)" -gt 20 ] ||
    e2e_fail "the clock shows no minute hand in the new colour (clock-in-new-skin.png)"
}

# --- Pixels: colours are "r,g,b", rectangles x y w h on the screen ---------------------------

# The face in the window is the preview tool's for one of the seconds around the screenshot,
# pixel for pixel inside the round region (outside it the screen's black shows). The skin is
# E2E_SKIN's (default E2E_DIR), the preview tool E2E_PREVIEW (default the native build's).
# A clock just started shows its hands from the first change of second on, and a screenshot
# may catch a redraw half done: a face that differs is looked at again, 1.2 s apart, up to three
# times in all.
e2e_expect_preview_face() { # <x> <y> <size> <name> [preview's arguments, such as --scale 2]
  e2e_matches_preview "$@" || { sleep 1.2 && e2e_matches_preview "$@"; } ||
    { sleep 1.2 && e2e_matches_preview "$@"; } ||
    e2e_fail "$4: not the preview's face for any second from $(date -d "@$E2E_FIRST" +%T) to" \
      "$(date -d "@$E2E_LAST" +%T) ($4.png, preview-*.png)"
}
e2e_matches_preview() {
  local x=$1 y=$2 size=$3 name=$4 shot
  E2E_FIRST=$(($(date +%s) - 1))
  shift 4
  shot=$(e2e_screenshot "$name")
  E2E_LAST=$(date +%s)
  e2e_shows_preview "$shot" "$x" "$y" "$size" "$name" "$@"
}
# The face at <x>,<y> of the picture is the preview's for a second from E2E_FIRST to E2E_LAST.
e2e_shows_preview() { # <png> <x> <y> <size> <name> [preview's arguments]
  local shot=$1 x=$2 y=$3 size=$4 name=$5 preview t
  read -ra preview <<<"${E2E_PREVIEW:-$QUARVEL_NATIVE_BUILD/bin/quarvel-preview}"
  e2e_require_file "${preview[-1]}" "the preview tool"
  shift 5
  convert "$shot" -crop "${size}x$size+$x+$y" +repage "$E2E_TMP/face.png"
  convert "$E2E_TMP/face.png" -fill white +opaque black "$E2E_TMP/region.png"
  for ((t = E2E_FIRST; t <= E2E_LAST; t++)); do
    (cd "${E2E_SKIN:-$E2E_DIR}" && "${preview[@]}" "$@" --time "$(date -d "@$t" +%T)" \
      --png "$E2E_TMP/preview.png" 9>&-) >>"$E2E_TMP/preview.log" 2>&1 || e2e_fail "${preview[*]} failed"
    convert "$E2E_TMP/preview.png" "$E2E_TMP/region.png" -compose multiply -composite \
      "$E2E_TMP/preview-$t.png"
    if [ "$(e2e_count_diff "$E2E_TMP/preview-$t.png" "$E2E_TMP/face.png" 0 0 "$size" "$size")" = 0 ]
    then
      e2e_log "$name: the preview's face for $(date -d "@$t" +%T), pixel for pixel"
      return 0
    fi
  done
  cp "$E2E_TMP"/preview-*.png "$E2E_ART"/
  return 1
}

# Any 1.2 s holds a whole change of second; its redraw may come later on a busy machine.
e2e_expect_ticks() { # <x> <y> <size> <name> [the screenshot before]
  local before=${5:-$(e2e_screenshot "$4-a")}
  sleep 1.2
  e2e_until 1.2 e2e_differs "$before" "$4-b" "$1" "$2" "$3" ||
    e2e_fail "$4: the face did not change in 1.2 s ($(basename "$before"), $4-b.png)"
}

e2e_differs() { # <png> <name of a new screenshot> <x> <y> <size>
  [ "$(e2e_count_diff "$1" "$(e2e_screenshot "$2")" "$3" "$4" "$5" "$5")" -gt 0 ]
}

e2e_screenshot() { # <name> -> <artifacts>/<name>.png
  xwd -root -silent | convert xwd:- -alpha off "png:$E2E_ART/$1.png"
  echo "$E2E_ART/$1.png"
}

e2e_pixel() { # <png> <x> <y>
  local rgb='%[fx:int(255*r+.5)],%[fx:int(255*g+.5)],%[fx:int(255*b+.5)]'
  convert "$1" -crop "1x1+$2+$3" -format "$rgb" info:
}

e2e_count_colour() { # <png> <r,g,b> <x> <y> <w> <h>
  convert "$1" -crop "$5x$6+$3+$4" +repage -alpha off -transparent "rgb($2)" -alpha extract \
    -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}

e2e_count_diff() { # <png> <png> <x> <y> <w> <h> -> pixels that differ
  local n
  n=$(compare -metric AE "$1[$5x$6+$3+$4]" "$2[$5x$6+$3+$4]" null: 2>&1) || [ $? -eq 1 ] ||
    e2e_fail "compare failed: $n"
  echo "$n"
}

# A driver whose desktop is not an X server (driver_wayland.sh) puts its own window, pixel and
# input helpers in place of the ones above.
! declare -F e2e_driver_helpers >/dev/null || e2e_driver_helpers
