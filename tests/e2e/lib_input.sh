# shellcheck shell=bash disable=SC2034  # E2E_WAITED_MS is read by the scripts that source this
# Input helpers for the end-to-end tests that drive the clock with the pointer and the keys.
# Sourced after lib.sh:
#   source "$(dirname "$0")/lib.sh"
#   source "$(dirname "$0")/lib_input.sh"
#
# Under Wine a window moved entirely off-screen is unmapped: `xdotool search --onlyvisible` no
# longer finds it, so these helpers take the window id found while it was shown.
#
# NOTE: Wine sees Shift (`xdotool keydown shift`) go down in a window without X focus, but sees
# it come up only in the focused window; give the clock the focus (e2e_focus) before holding
# Shift, or Wine keeps setting MK_SHIFT after `keyup shift`.

# Microseconds since the epoch.
e2e_now_us() { echo "${EPOCHREALTIME/[.,]/}"; }

# "mapped" or "unmapped"; fails if the window is gone.
e2e_map_state() { # <window id>
  local info
  info=$(xwininfo -id "$1" 2>/dev/null) || e2e_fail "window $1 is gone"
  if grep -q 'Map State: IsViewable' <<<"$info"; then echo mapped; else echo unmapped; fi
}

# "x,y mapped|unmapped" of a window, for log lines and comparisons.
e2e_place() { # <window id>
  e2e_geometry "$1"
  echo "$E2E_X,$E2E_Y $(e2e_map_state "$1")"
}

# Waits until the window is at <x,y> and in that map state; sets E2E_WAITED_MS to the time it
# took. Fails after the timeout with what was seen last.
e2e_wait_place() { # <window id> <x,y> <mapped|unmapped> <seconds> <what this means>
  local start deadline seen
  start=$(e2e_now_us)
  deadline=$((start + $(awk -v s="$4" 'BEGIN { printf "%d", s * 1000000 }')))
  while :; do
    seen=$(e2e_place "$1")
    if [ "$seen" = "$2 $3" ]; then
      E2E_WAITED_MS=$((($(e2e_now_us) - start) / 1000))
      return 0
    fi
    [ "$(e2e_now_us)" -lt "$deadline" ] ||
      e2e_fail "$5: expected the window at $2 $3 within $4 s, it is at $seen"
    sleep 0.02
  done
}

# Watches the window for <seconds>: it must stay at <x,y> and mapped the whole time.
e2e_expect_stays() { # <window id> <x,y> <seconds> <what this means>
  local deadline seen
  deadline=$(($(e2e_now_us) + $(awk -v s="$3" 'BEGIN { printf "%d", s * 1000000 }')))
  while [ "$(e2e_now_us)" -lt "$deadline" ]; do
    seen=$(e2e_place "$1")
    [ "$seen" = "$2 mapped" ] || e2e_fail "$4: the window should stay at $2 mapped, it is at $seen"
    sleep 0.05
  done
}

# Gives the window X focus, so that keys reach it. The window must be mapped.
e2e_focus() { # <window id>
  timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
    timeout 5 xdotool windowfocus --sync "$1" >/dev/null 2>&1 ||
    e2e_fail "could not give window $1 the focus ($(e2e_place "$1"))"
}

# Presses a key in the window (focus first).
e2e_press() { # <window id> <xdotool key name>
  e2e_focus "$1"
  xdotool key --clearmodifiers "$2"
  e2e_log "pressed $2"
}

# Releases the modifiers a test may still hold down.
e2e_release_modifiers() {
  xdotool keyup shift keyup ctrl >/dev/null 2>&1 || true
}

# settings.ini as the clock writes it, byte for byte (CR LF line ends).
e2e_settings_text() { # <left> <top> <notTopmost: 0|-1> [bitmap=qv.bmp] [pen width=2]
  local layer=" $3 "
  [ "$3" -lt 0 ] && layer="$3 "
  printf '%s,%s\r\n%s\r\n%s\r\n %s \r\n' "$1" "$2" "$layer" "${4:-qv.bmp}" "${5:-2}"
}

# Compares the work folder's settings.ini, byte for byte, with the file the clock should have
# written; both are kept in the artifacts.
e2e_expect_settings() { # <what this means> <left> <top> <notTopmost> [bitmap] [pen width]
  local what=$1 file=$E2E_DIR/settings.ini
  shift
  [ -f "$file" ] || e2e_fail "$what: settings.ini is missing"
  cp "$file" "$E2E_ART/settings.ini"
  e2e_settings_text "$@" >"$E2E_ART/settings.expected.ini"
  cmp -s "$file" "$E2E_ART/settings.expected.ini" ||
    e2e_fail "$what: settings.ini differs; expected$(od -An -c "$E2E_ART/settings.expected.ini" |
      tr -s ' \n' ' '), found$(od -An -c "$file" | tr -s ' \n' ' ')"
}

# The clock closes with C and ends with exit code 0 within 5 s.
e2e_close_with_c() { # <window id>
  e2e_press "$1" c
  e2e_wait_exit 5 || e2e_fail "quarvel.exe still runs 5 s after C"
  [ "$E2E_CLOCK_STATUS" -eq 0 ] || e2e_fail "quarvel.exe ended with code $E2E_CLOCK_STATUS after C"
}

# Like e2e_wait_window, but a search that fails because a window went away during it (an X
# error in xdotool, as when the clock closes while the editor opens) is simply repeated.
e2e_wait_window_retry() { # <title regex> [seconds=10]
  local deadline ids
  deadline=$(($(e2e_now_us) + ${2:-10} * 1000000))
  while :; do
    ids=$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)
    [ -n "$ids" ] && { echo "$ids"; return 0; }
    [ "$(e2e_now_us)" -lt "$deadline" ] || e2e_fail "no visible window titled /$1/ within ${2:-10} s"
    sleep 0.05
  done
}

# Moves the pointer over a window to a place near <x,y> that no move of this test used before:
# <x + n, y> for the n-th call.
# NOTE: Wine turns pointer motion into WM_MOUSEMOVE only when the place differs from the last one
# it knew of. A pointer moved away over the bare root window leaves Wine's last place where it
# was, so a later clock that comes up there gets no message for a move back to that very spot.
E2E_MOVE_SERIAL=0
e2e_move_over() { # <x> <y>
  E2E_MOVE_SERIAL=$((E2E_MOVE_SERIAL + 1))
  xdotool mousemove $(($1 + E2E_MOVE_SERIAL)) "$2"
}
