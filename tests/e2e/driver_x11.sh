# shellcheck shell=bash disable=SC2034  # the E2E_ variables are read by lib.sh and the scripts
# End-to-end driver for the native Linux clock: stand-ins for the editor and xdg-open's viewer,
# closing through the window manager (wmctrl), controls read from _QUARVEL_CONTROLS.

: "${QUARVEL_X11_EXE:=$QUARVEL_NATIVE_BUILD/bin/quarvel}"
E2E_PROGRAM=quarvel
E2E_EDITOR=qvedit
E2E_README_TITLE='readme.txt - xdg-open'
# The sanitizers of the native debug build: a leak or a fault is a failed run.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}

# xdg-open on PATH: a window titled after the file, or with QUARVEL_E2E_NO_VIEWER set, failing as
# without a viewer. E2E_VIEWER_STANDIN=0 (run-clock.sh) leaves the desktop's own.
e2e_driver_begin() { # [seconds] [keep]: nothing here is shared between runs
  e2e_require_tools wmctrl xmessage
  e2e_require_file "$QUARVEL_X11_EXE" "the clock (make native)"
  mkdir -p "$E2E_TMP/bin"
  [ "${E2E_VIEWER_STANDIN:-1}" = 1 ] || return 0
  cat >"$E2E_TMP/bin/xdg-open" <<'EOF'
#!/bin/sh
[ -z "$QUARVEL_E2E_NO_VIEWER" ] || exit 3
exec xmessage -title "$1 - xdg-open" -file "$1"
EOF
  chmod +x "$E2E_TMP/bin/xdg-open"
}

# The clock's own children (editor, viewer) end with the display.
e2e_driver_reset() { :; }

# Under the name the clock starts: "qvs" after QVEDIT_DELAY_MS, or at once QVEDIT_EXIT_CODE.
e2e_install_editor() { # <folder>
  cat >"$1/qvedit" <<'EOF'
#!/bin/sh
[ -z "$QVEDIT_EXIT_CODE" ] || exit "$QVEDIT_EXIT_CODE"
[ -z "$QVEDIT_DELAY_MS" ] || sleep "$(awk "BEGIN {print $QVEDIT_DELAY_MS / 1000}")"
exec xmessage -title qvs "The stand-in for the QUARVEL editor."
EOF
  chmod +x "$1/qvedit"
}

# As the Wine driver's, with E2E_SEARCH_DIR on PATH; `exec` keeps the pid for the signals.
e2e_start_clock() { # [working folder=E2E_DIR]
  cmp -s "$QUARVEL_X11_EXE" "$E2E_DIR/quarvel" ||
    { cp "$QUARVEL_X11_EXE" "$E2E_DIR/quarvel.new" && mv -f "$E2E_DIR/quarvel.new" "$E2E_DIR/quarvel"; }
  e2e_log "starting quarvel in ${1:-$E2E_DIR}${E2E_SEARCH_DIR:+ with $E2E_SEARCH_DIR on PATH}"
  (cd "${1:-$E2E_DIR}" && exec env PATH="$E2E_TMP/bin${E2E_SEARCH_DIR:+:$E2E_SEARCH_DIR}:$PATH" \
    "$E2E_DIR/quarvel") >>"$E2E_TMP/clock.log" 2>&1 </dev/null &
  E2E_CLOCK_PID=$! E2E_EXIT=""
}

# An installed clock, <prefix>/bin/quarvel, started in that working folder with those variables.
e2e_start_installed() { # <prefix> <working folder> [NAME=value...]
  e2e_log "starting $1/bin/quarvel in $2"
  (cd "$2" && exec env PATH="$E2E_TMP/bin:$PATH" "${@:3}" "$1/bin/quarvel") \
    >>"$E2E_TMP/clock.log" 2>&1 </dev/null &
  E2E_CLOCK_PID=$! E2E_EXIT=""
}

# As the window manager's close box, or logging off, would. wmctrl fails when a window goes away
# while it reads the window list: it asks again.
e2e_close_request() { # <window title>
  e2e_until 2 wmctrl -F -c "$1" 2>/dev/null || wmctrl -F -c "$1"
}

# The visible windows (with that title) that describe their controls, in the Wine driver's form.
e2e_list_controls() { # [title]
  local id value line kind place text x y w h class
  for id in $(xdotool search --onlyvisible --name "^${1:-.*}\$" 2>/dev/null || true); do
    value=$(LC_ALL=C.UTF-8 xprop -id "$id" -notype _QUARVEL_CONTROLS 2>/dev/null) || continue
    [[ $value == *' = "'* ]] && e2e_geometry "$id" || continue
    echo "dialog class=\"x11\" text=\"$(xdotool getwindowname "$id")\" rect=$E2E_X,$E2E_Y,$E2E_W,$E2E_H"
    value=${value#*= \"}
    value=${value%\"}
    value=${value//\\\\n/$'\x01'} # a text's own line breaks: \n in the property, \\n from xprop
    while read -r kind place text; do
      IFS=, read -r x y w h <<<"$place"
      class=Static
      [[ $kind != PushButton && $kind != Frame ]] || class=Button # as Windows classes them
      echo "  control class=\"$class\" text=\"${text//$'\x01'/\\n}\"" \
        "rect=$((E2E_X + x)),$((E2E_Y + y)),$w,$h"
    done < <(printf '%s' "${value//\\n/$'\n'}")
  done | tee -a "$E2E_ART/controls.txt"
}

# The desktop's fonts are the user's own: fontconfig as installed, unless a test says otherwise.
e2e_expect_stock_fonts() { # <face>...
  [ -z "${FONTCONFIG_FILE:-}" ] || e2e_fail "FONTCONFIG_FILE is set: not the desktop's fonts"
}

# The screen's dots per inch as X desktops publish them (Xft.dpi), for the next program started.
e2e_screen_dpi() { echo "Xft.dpi: $1" | xrdb -merge; }
