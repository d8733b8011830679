# shellcheck shell=bash disable=SC2034  # the E2E_ variables are read by lib.sh and the scripts
# End-to-end driver for the Windows build's quarvel.exe under Wine: the prefix, starting programs,
# the stand-in editor, and winprobe.exe, which reads dialogs and posts close requests.

export WINEPREFIX=${QUARVEL_E2E_PREFIX:-$(dirname "$QUARVEL_WINDOWS_BUILD")/wine-prefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES=winemenubuilder.exe=d # no menu entries in the user's home
: "${QUARVEL_EXE:=$QUARVEL_WINDOWS_BUILD/bin/quarvel.exe}"
E2E_WINPROBE=$QUARVEL_WINDOWS_BUILD/bin/winprobe.exe
# File descriptor 9 holds the prefix's lock: one user at a time, since the end of a test ends
# every process of the prefix. Each Wine child gets 9>&-, so that no lingering wineserver keeps
# the prefix locked.

# shellcheck disable=SC2120  # run-clock.sh passes the arguments
e2e_driver_begin() { # [seconds to wait for the prefix] [keep: leave its processes running]
  e2e_require_tools wine wineserver flock
  e2e_require_file "$QUARVEL_EXE" "the clock (make windows)"
  e2e_require_file "$E2E_WINPROBE" "the window probe (make windows)"
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock -w "${1:-100}" 9 || e2e_fail "the Wine prefix $WINEPREFIX stayed busy for ${1:-100} s"
  [ "${2:-}" = keep ] || e2e_driver_reset
  e2e_prefix_setup
  e2e_restore_dpi
}

# Once per prefix (a stamp marks a finished setup): a user's fresh prefix but for the crash
# dialog; a face an older setup put in for MS UI Gothic goes.
E2E_PREFIX_STAMP=.quarvel-prefix-ready-2
E2E_FONT_SUBSTITUTES='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
e2e_prefix_setup() {
  [ -f "$WINEPREFIX/$E2E_PREFIX_STAMP" ] && return 0
  e2e_log "setting up the Wine prefix $WINEPREFIX (once, about 10 s)"
  {
    # No Mono or Gecko: their install prompt would wait for a click forever.
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree,mshtml=" wineboot -i &&
      # A crash must end the process (exit code 5), not wait in the crash dialog.
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
      { wine reg delete "$E2E_FONT_SUBSTITUTES" /v 'MS UI Gothic' /f || true; } &&
      wineserver -w
  } >"$E2E_TMP/prefix-setup.log" 2>&1 9>&- ||
    e2e_fail "Wine prefix setup failed: $(tail -n 5 "$E2E_TMP/prefix-setup.log")"
  touch "$WINEPREFIX/$E2E_PREFIX_STAMP"
}

# Fails unless the fonts are a fresh prefix's: no substitute for a face the clock asks for, and
# no replacement of Wine's.
e2e_expect_stock_fonts() { # <face>...
  local substitutes face
  substitutes=$(wine reg query "$E2E_FONT_SUBSTITUTES" 2>/dev/null 9>&-) ||
    e2e_fail "the prefix has no FontSubstitutes key"
  for face; do
    ! grep -qiF "    $face    " <<<"$substitutes" ||
      e2e_fail "the prefix puts another face in for $face: not a user's prefix"
  done
  ! wine reg query 'HKCU\Software\Wine\Fonts\Replacements' >/dev/null 2>&1 9>&- ||
    e2e_fail "the prefix replaces fonts: not a user's prefix"
}

# Ends every process the driver started. A new wineserver also forgets keys it saw go down but
# never up (Wine sees a key go up only in the window with the X focus).
e2e_driver_reset() { wineserver -k >/dev/null 2>&1 9>&- || true; }

E2E_PROGRAM=quarvel.exe          # in the clock's messages and the logs
E2E_EDITOR=qvedit.exe            # the editor's name in the missing-editor message
E2E_README_TITLE='readme.txt - Notepad' # the window Readme opens

# The stand-in (standin_editor/) under the name the clock starts: "qvs" after QVEDIT_DELAY_MS.
e2e_install_editor() { # <folder>
  local editor=$QUARVEL_WINDOWS_BUILD/bin/standin-qvedit.exe
  e2e_require_file "$editor" "the stand-in editor (make windows)"
  cp "$editor" "$1/qvedit.exe"
}

# The program in E2E_DIR (its settings.ini tells a first run), run in the working folder given
# with E2E_SEARCH_DIR on its search path; a new copy comes by renaming: a running one keeps its.
e2e_start_clock() { # [working folder=E2E_DIR]
  local path=${E2E_SEARCH_DIR:+Z:${E2E_SEARCH_DIR//\//\\}}
  cmp -s "$QUARVEL_EXE" "$E2E_DIR/quarvel.exe" ||
    { cp "$QUARVEL_EXE" "$E2E_DIR/new.exe" && mv -f "$E2E_DIR/new.exe" "$E2E_DIR/quarvel.exe"; }
  e2e_log "starting quarvel.exe in ${1:-$E2E_DIR}${path:+ with $path on the path}"
  (cd "${1:-$E2E_DIR}" && exec env ${path:+WINEPATH="$path"} wine "$E2E_DIR/quarvel.exe") \
    >>"$E2E_TMP/clock.log" 2>&1 </dev/null 9>&- &
  E2E_CLOCK_PID=$! E2E_EXIT=""
}

# As logging off would, or the window manager's close box.
e2e_close_request() { # <window title>
  wine "$E2E_WINPROBE" close "$1" 2>>"$E2E_TMP/winprobe.log" 9>&-
}

# The visible dialogs and message boxes (with that title), `dialog class="…" text="…"
# rect=x,y,w,h`, each followed by its controls' `  control class="…" text="…" rect=…`.
e2e_list_controls() { e2e_winprobe_read list "$@"; } # [title]

# What the probe reads of the windows (list, window), kept in controls.txt. A reading changes
# nothing, so one whose wine itself failed is taken again: on a busy machine wine now and then
# ended with 1 and printed nothing, with every window there.
e2e_winprobe_read() { # <list|window> [title]
  local out attempt
  for attempt in 1 2 3; do
    if out=$(wine "$E2E_WINPROBE" "$@" 2>>"$E2E_TMP/winprobe.log" 9>&-); then
      [ -z "$out" ] || printf '%s\n' "$out" | tee -a "$E2E_ART/controls.txt"
      return 0
    fi
    e2e_log "winprobe $1 failed (attempt $attempt): $(tail -n 1 "$E2E_TMP/winprobe.log")"
  done
  return 1
}

# LogPixels for the next program started; a stock prefix has none (96 dpi). A test that sets
# it leaves a mark in the prefix until the value is gone again, at its end or, when a time-out
# or a kill stopped it first, as the next test begins: a prefix left at 2x brought every later
# clock up at 2x. A value in the registry's file without the mark (an older run's) goes too.
E2E_DESKTOP_KEY='HKCU\Control Panel\Desktop'
E2E_DPI_MARK=.quarvel-dpi-changed
e2e_screen_dpi() { # <dots per inch>
  e2e_driver_reset
  touch "$WINEPREFIX/$E2E_DPI_MARK"
  trap 'status=$?; trap - ERR; set +e; e2e_driver_reset; e2e_restore_dpi; (exit $status); e2e_teardown' EXIT
  wine reg add "$E2E_DESKTOP_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 9>&-
  wineserver -w 9>&- || true
}
e2e_restore_dpi() {
  [ -f "$WINEPREFIX/$E2E_DPI_MARK" ] || awk '/^\[/ { desktop = /^\[Control Panel\\\\Desktop\]/ }
    desktop && /^"LogPixels"=/ { found = 1 } END { exit !found }' "$WINEPREFIX/user.reg" 2>/dev/null ||
    return 0
  wine reg delete "$E2E_DESKTOP_KEY" /v LogPixels /f >/dev/null 2>&1 9>&-
  wineserver -w 9>&- || true
  rm -f "$WINEPREFIX/$E2E_DPI_MARK"
}
