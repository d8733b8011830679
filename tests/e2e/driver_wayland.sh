# shellcheck shell=bash disable=SC2034  # the E2E_ variables are read by lib.sh and the scripts
# End-to-end driver for the native Linux clock on a Wayland desktop: a headless sway with
# Xwayland, the clock an X11 client of Xwayland as on a person's desktop. sway refuses to run as
# root (CI's user), so as root the bench makes an unprivileged user (E2E_WL_USER) once and runs
# the compositor, the clock and every client as that user. What the compositor shows comes from
# grim and sway's window tree; the pointer is the compositor's own (virtual_pointer, on the
# wlroots virtual-pointer protocol) and keys come through it (wtype). Never XTest or xdotool
# here: they move only Xwayland's idea of the pointer, which the compositor never sees.

if ! command -v sway >/dev/null; then
  echo "[$E2E_TEST] SKIP: no sway here (scripts/install-deps.sh installs it)" >&2
  exit 77 # ctest's SKIP_RETURN_CODE
fi
# The same program as on X11: its stand-ins, its start and its close request come from there.
# shellcheck source=SCRIPTDIR/driver_x11.sh
source "$(dirname "${BASH_SOURCE[0]}")/driver_x11.sh"

E2E_SESSION_TOOLS=(sway swaymsg Xwayland grim wtype jq xdpyinfo xwininfo xev convert compare)
: "${E2E_WL_USER:=quarvel-test}"
E2E_WL_POINTER_TOOL=$QUARVEL_NATIVE_BUILD/bin/virtual_pointer
E2E_WL_SIZE=(1280 800)
E2E_WL_DESKTOP=60,110,113 # the desktop's colour: neither black nor in the default face
E2E_AWAY=(1200 760)
E2E_WL_AS=() E2E_SWAY_PID="" E2E_XWAYLAND_PID="" E2E_POINTER_PID="" E2E_POINTER_IN=""
E2E_POINTER_OUT="" E2E_WL_KEYS_PID=""
# More of the clock's environment. Under sway the clock would choose its native Wayland self:
# the e2e_wl_ tests ask for the X one, as under a compositor without the layer shell (GNOME's:
# driver_mutter.sh lets the clock find that out itself); e2e_wln_native clears it.
E2E_CLOCK_ENV=(QUARVEL_BACKEND=x11)
E2E_WL_SWAY_CONF="" # more of sway's configuration, set before e2e_begin (an output's scale)

# --- The session ----------------------------------------------------------------------------

# The user the session runs as: the test's own, or as root E2E_WL_USER, made once. Its files:
# the test's folder, a private XDG_RUNTIME_DIR (mode 700, new for each session) and a home of
# the test's own.
e2e_wl_user() {
  local who=()
  if [ "$(id -u)" -eq 0 ]; then
    e2e_require_tools setpriv useradd
    id -u "$E2E_WL_USER" >/dev/null 2>&1 ||
      useradd --system --create-home --shell /usr/sbin/nologin "$E2E_WL_USER" 2>>"$E2E_TMP/useradd.log" ||
      id -u "$E2E_WL_USER" >/dev/null 2>&1 || # made meanwhile by another test
      e2e_fail "could not make the test user $E2E_WL_USER: $(cat "$E2E_TMP/useradd.log")"
    who=(setpriv "--reuid=$E2E_WL_USER" "--regid=$E2E_WL_USER" --init-groups)
  fi
  rm -rf "$E2E_TMP/run" "$E2E_TMP/session" # a session before this one's
  [ -d "$E2E_TMP/home" ] || mkdir -m 700 "$E2E_TMP/home"
  mkdir -m 700 "$E2E_TMP/run" "$E2E_TMP/session"
  [ ${#who[@]} -eq 0 ] || chown -R "$E2E_WL_USER:" "$E2E_TMP"
  E2E_WL_AS=("${who[@]}" env -u XAUTHORITY -u XDG_CONFIG_HOME -u XDG_DATA_HOME
    -u DBUS_SESSION_BUS_ADDRESS "HOME=$E2E_TMP/home" "XDG_RUNTIME_DIR=$E2E_TMP/run")
}
e2e_wl_as() { "${E2E_WL_AS[@]}" "$@"; } # <command>...: run in the session, as its user

e2e_start_display() {
  e2e_wl_user
  [ -x "$E2E_WL_POINTER_TOOL" ] ||
    e2e_fail "no $E2E_WL_POINTER_TOOL (built with libwayland-dev: scripts/install-deps.sh)"
  cat >"$E2E_TMP/sway.conf" <<EOF
output HEADLESS-1 resolution ${E2E_WL_SIZE[0]}x${E2E_WL_SIZE[1]} position 0 0
output HEADLESS-1 bg #$(printf '%02x' ${E2E_WL_DESKTOP//,/ }) solid_color
default_border none
default_floating_border none
xwayland enable
$E2E_WL_SWAY_CONF
EOF
  # exec: each pid here is the program's own, to end it by.
  (exec "${E2E_WL_AS[@]}" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$E2E_TMP/sway.conf") >"$E2E_TMP/sway.log" 2>&1 </dev/null &
  E2E_SWAY_PID=$!
  E2E_XVFB_PID=$E2E_SWAY_PID # the display's server, for lib.sh's last screenshot at a failure
  e2e_until 20 e2e_wl_sway_ready || e2e_fail "sway did not start: $(tail -n 3 "$E2E_TMP/sway.log")"
  # Xwayland starts with its first client, on a display sway chose.
  # shellcheck disable=SC2016  # $DISPLAY is sway's
  e2e_wl_as swaymsg exec "echo \"\$DISPLAY\" >$E2E_TMP/session/display" >/dev/null
  e2e_until 10 test -s "$E2E_TMP/session/display" || e2e_fail "sway gave no DISPLAY for Xwayland"
  E2E_WL_AS+=("DISPLAY=$(cat "$E2E_TMP/session/display")")
  e2e_until 20 e2e_wl_as xdpyinfo >/dev/null 2>&1 ||
    e2e_fail "Xwayland did not start: $(tail -n 3 "$E2E_TMP/sway.log")"
  local display
  display=$(cat "$E2E_TMP/session/display")
  # sway starts it apart from itself; it ends with sway, but is ended here too should it linger.
  E2E_XWAYLAND_PID=$(pgrep -u "$(e2e_wl_as id -u)" -f "^Xwayland $display " | head -n 1) || true
  e2e_log "sway $E2E_SWAY_PID with Xwayland ${E2E_XWAYLAND_PID:-?} on $display as $(e2e_wl_as id -un)"
  e2e_wl_start_pointer
  e2e_pointer "move ${E2E_AWAY[0]} ${E2E_AWAY[1]}"
}
e2e_wl_sway_ready() {
  local ipc wayland
  ipc=$(compgen -G "$E2E_TMP/run/sway-ipc.*.sock" | head -n 1) && [ -n "$ipc" ] || return 1
  wayland=$(compgen -G "$E2E_TMP/run/wayland-[0-9]" | head -n 1) && [ -n "$wayland" ] || return 1
  e2e_wl_as "SWAYSOCK=$ipc" swaymsg -t get_version >/dev/null 2>&1 || return 1
  E2E_WL_AS+=("SWAYSOCK=$ipc" "WAYLAND_DISPLAY=${wayland##*/}")
}

# Everything the session started ends: the pointer, held keys, sway, and Xwayland should sway's
# end leave it.
e2e_stop_display() {
  local pid
  [ -z "$E2E_POINTER_IN" ] || exec {E2E_POINTER_IN}>&-
  [ -z "$E2E_POINTER_OUT" ] || exec {E2E_POINTER_OUT}<&-
  E2E_POINTER_IN="" E2E_POINTER_OUT=""
  for pid in $E2E_POINTER_PID $E2E_WL_KEYS_PID $E2E_SWAY_PID $E2E_XWAYLAND_PID; do
    kill "$pid" 2>/dev/null || continue
    e2e_until 5 e2e_not kill -0 "$pid" 2>/dev/null || kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
  done
  E2E_POINTER_PID="" E2E_WL_KEYS_PID="" E2E_SWAY_PID="" E2E_XWAYLAND_PID="" E2E_XVFB_PID=""
}

# As driver_x11.sh's, as the session's user, in its environment (DISPLAY: Xwayland's), the work
# folder that user's own.
e2e_start_clock() { # [working folder=E2E_DIR]
  cmp -s "$QUARVEL_X11_EXE" "$E2E_DIR/quarvel" ||
    { cp "$QUARVEL_X11_EXE" "$E2E_DIR/quarvel.new" && mv -f "$E2E_DIR/quarvel.new" "$E2E_DIR/quarvel"; }
  [ "${E2E_WL_AS[0]}" != setpriv ] || chown -R "$E2E_WL_USER:" "$E2E_DIR"
  [ "${E2E_WL_AS[0]}" != setpriv ] || [[ ${1:-$E2E_DIR} != "$E2E_TMP"/* ]] ||
    chown -R "$E2E_WL_USER:" "${1:-$E2E_DIR}"
  e2e_log "starting quarvel in ${1:-$E2E_DIR}${E2E_SEARCH_DIR:+ with $E2E_SEARCH_DIR on PATH}"
  (cd "${1:-$E2E_DIR}" && exec "${E2E_WL_AS[@]}" \
    "PATH=$E2E_TMP/bin${E2E_SEARCH_DIR:+:$E2E_SEARCH_DIR}:$PATH" ${E2E_CLOCK_ENV[@]+"${E2E_CLOCK_ENV[@]}"} \
    "$E2E_DIR/quarvel") \
    >>"$E2E_TMP/clock.log" 2>&1 </dev/null &
  E2E_CLOCK_PID=$! E2E_EXIT=""
}

# As the compositor's own close does (sway's kill: WM_DELETE_WINDOW to an X window); sway leaves
# wmctrl's request (_NET_CLOSE_WINDOW) unanswered.
e2e_close_request() { # <window title>
  e2e_wl_as swaymsg "[title=\"^$1\$\"] kill" >/dev/null
}

# --- The pointer: one device for the whole test, as a mouse that stays plugged in -------------

e2e_wl_start_pointer() {
  mkfifo "$E2E_TMP/session/pointer.in" "$E2E_TMP/session/pointer.out"
  [ "${E2E_WL_AS[0]}" != setpriv ] ||
    chown "$E2E_WL_USER:" "$E2E_TMP/session/pointer.in" "$E2E_TMP/session/pointer.out"
  # A copy: the build tree may be in a folder the session's user can't enter.
  cp "$E2E_WL_POINTER_TOOL" "$E2E_TMP/session/virtual_pointer"
  (exec "${E2E_WL_AS[@]}" "$E2E_TMP/session/virtual_pointer") <"$E2E_TMP/session/pointer.in" \
    >"$E2E_TMP/session/pointer.out" 2>>"$E2E_TMP/pointer.log" &
  E2E_POINTER_PID=$!
  exec {E2E_POINTER_IN}>"$E2E_TMP/session/pointer.in" {E2E_POINTER_OUT}<"$E2E_TMP/session/pointer.out"
}

e2e_pointer() { # <command>...: "move X Y", "press|release|click left|right", each taken in turn
  local command reply
  for command; do
    kill -0 "$E2E_POINTER_PID" 2>/dev/null ||
      e2e_fail "the virtual pointer has ended: $(tail -n 2 "$E2E_TMP/pointer.log")"
    printf '%s\n' "$command" >&"$E2E_POINTER_IN"
    read -r -t 10 reply <&"$E2E_POINTER_OUT" || reply="no answer in 10 s"
    [ "$reply" = ok ] ||
      e2e_fail "the virtual pointer did not take '$command': $(tail -n 2 "$E2E_TMP/pointer.log")"
  done
}
e2e_pointer_away() { e2e_pointer "move ${E2E_AWAY[0]} ${E2E_AWAY[1]}"; }

# wtype's keyboard brings a keymap of its own each time, and a key that comes with it is lost
# (seen: Xwayland delivered 2 presses of 6 at once, all 6 after 300 ms): it waits this long first,
# with room for a busy machine.
E2E_WL_KEYMAP_PAUSE_MS=500

# Shift held down through the keyboard (wtype's own device) for <seconds>, in the background
# (E2E_WL_KEYS_PID), from the moment this returns.
e2e_wl_hold_shift() { # <seconds>
  (exec "${E2E_WL_AS[@]}" wtype -s "$E2E_WL_KEYMAP_PAUSE_MS" -M shift -s $(($1 * 1000)) -m shift) \
    2>>"$E2E_TMP/wtype.log" &
  E2E_WL_KEYS_PID=$!
  e2e_until 5 e2e_wl_keyboard_on_seat || e2e_fail "wtype's keyboard never came: $(tail -n 2 "$E2E_TMP/wtype.log")"
  sleep "$(awk "BEGIN {print $E2E_WL_KEYMAP_PAUSE_MS / 1000 + 0.2}")"
}
# The pointer onto the clock's middle with Shift held for <seconds>, for a click or a drag. wtype
# presses Shift a while after its keyboard comes, later on a busy machine: a clock that hid from
# the pointer meanwhile shows that Shift came too late, and the hand goes again once it is back.
e2e_wl_shift_onto_clock() { # <seconds>
  local try
  for try in 1 2 3; do
    e2e_geometry "$E2E_WINDOW" || e2e_fail "no clock window $E2E_WINDOW"
    e2e_wl_hold_shift "$1"
    e2e_pointer "move $((E2E_X + E2E_W / 2)) $((E2E_Y + E2E_H / 2))"
    sleep 0.3
    e2e_shown "\$1 == $E2E_WINDOW" && return 0
    e2e_log "the clock hid from the pointer: Shift was not down yet (try $try)"
    e2e_pointer_away
    e2e_wl_keys_done
    e2e_until 3 e2e_shown "\$1 == $E2E_WINDOW" || e2e_fail "the clock did not come back"
  done
  e2e_fail "Shift held through wtype never kept the clock in place"
}
e2e_wl_keyboard_on_seat() {
  e2e_wl_as swaymsg -t get_inputs | jq -e 'any(.[]; .identifier == "0:0:virtual_keyboard")' >/dev/null
}
e2e_wl_keys_done() { # waits for the held keys to go up
  [ -z "$E2E_WL_KEYS_PID" ] && return 0
  e2e_until 10 e2e_not kill -0 "$E2E_WL_KEYS_PID" 2>/dev/null || e2e_fail "wtype did not end"
  wait "$E2E_WL_KEYS_PID" || e2e_fail "wtype failed: $(tail -n 2 "$E2E_TMP/wtype.log")"
  E2E_WL_KEYS_PID=""
}

# --- Windows, pixels and input, in place of lib.sh's X helpers (called at lib.sh's end) -------

# The Xwayland windows in sway's tree: "window x y w h focused name" per line. A window the
# compositor does not show (unmapped) is not in it.
e2e_wl_windows() {
  e2e_wl_as swaymsg -t get_tree | jq -r '.. | objects | select(.shell? == "xwayland") |
    "\(.window) \(.rect.x) \(.rect.y) \(.rect.width) \(.rect.height) \(.focused) \(.name)"'
}

# shellcheck disable=SC2317  # the helpers are called from lib.sh and the scripts
e2e_driver_helpers() {
  # Where the compositor shows it; one it does not show, where Xwayland has it, unmapped.
  e2e_geometry() { # <window id>; sets E2E_X E2E_Y E2E_W E2E_H E2E_MAP, returns 1 if it is gone
    local line info
    line=$(e2e_wl_windows | awk -v id="$1" '$1 == id {print $2, $3, $4, $5; exit}')
    if [ -n "$line" ]; then
      read -r E2E_X E2E_Y E2E_W E2E_H <<<"$line"
      E2E_MAP=mapped
      return 0
    fi
    info=$(e2e_wl_as xwininfo -id "$1" 2>/dev/null) || return 1
    read -r E2E_X E2E_Y E2E_W E2E_H < <(awk '/Absolute upper-left X/ {x = $4}
      /Absolute upper-left Y/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}' \
      <<<"$info")
    E2E_MAP=unmapped
  }

  e2e_quarvel_windows() { # -> "id WxH" per shown window titled QUARVEL
    e2e_wl_windows | awk '$7 == "QUARVEL" && NF == 7 {print $1, $4 "x" $5}'
  }

  e2e_window_named() { # <title>: sets E2E_NAMED to the X window the compositor shows by it
    E2E_NAMED=$(e2e_wl_windows | awk -v title="$1" '{ name = $7
      for (i = 8; i <= NF; i++) name = name " " $i } name == title { print $1; exit }') &&
      [ -n "$E2E_NAMED" ]
  }

  e2e_has_focus() { e2e_wl_windows | awk -v id="$1" '$1 == id && $6 == "true" {f = 1} END {exit !f}'; }

  e2e_focus() { e2e_has_focus "$1" || e2e_click_on "$1"; } # <window id>

  # A click as a person gives it, the compositor's pointer from off every window: on the clock
  # with Shift held (a top-most clock doesn't hide), then off it before Shift goes up; on any
  # other window in its top left corner. The window has the focus then.
  e2e_click_on() { # <window id>
    e2e_geometry "$1" || e2e_fail "no window $1 to click"
    e2e_pointer_away
    if [ "$1" = "$E2E_WINDOW" ]; then
      e2e_wl_shift_onto_clock 4
      e2e_pointer "click left"
      e2e_pointer_away
      e2e_wl_keys_done
    else
      e2e_pointer "move $((E2E_X + 4)) $((E2E_Y + 4))" "click left"
      e2e_pointer_away
    fi
    e2e_until 5 e2e_has_focus "$1" || e2e_fail "a click on window $1 did not give it the focus" \
      "($(e2e_place "$1")): $(e2e_wl_windows)"
  }

  e2e_key() { # <window id> <key>... in xdotool's names (c, Return, shift+Home)
    local key mod mods words=()
    e2e_focus "$1"
    for key in "${@:2}"; do
      mods=()
      while [[ $key == *+* ]]; do
        mod=${key%%+*}
        [ "$mod" != super ] || mod=logo
        mods+=("$mod")
        key=${key#*+}
      done
      for mod in "${mods[@]}"; do words+=(-M "$mod"); done
      words+=(-k "$key")
      for mod in "${mods[@]}"; do words+=(-m "$mod"); done
    done
    e2e_wl_as wtype -s "$E2E_WL_KEYMAP_PAUSE_MS" "${words[@]}" 2>>"$E2E_TMP/wtype.log" || e2e_fail "wtype ${words[*]} failed"
  }

  e2e_move_over() { e2e_pointer "move $1 $2"; } # <x> <y>

  e2e_screenshot() { # <name> -> <artifacts>/<name>.png, as the compositor composed the output
    e2e_wl_as grim -t png - | convert png:- -alpha off "png:$E2E_ART/$1.png"
    echo "$E2E_ART/$1.png"
  }
}

# The square at <x>,<y> of a screenshot is a round face on the desktop: the desktop's colour (no
# face pixel has it) at its four corners and about what a circle leaves out; turned black, the
# rest is the preview's face within the same circle (for a second from E2E_FIRST to E2E_LAST).
e2e_wl_expect_round() { # <png> <x> <y> <size> <name> [preview's arguments]
  local shot=$1 x=$2 y=$3 s=$4 name=$5 corner at desktop out
  for corner in 0,0 $((s - 1)),0 0,$((s - 1)) $((s - 1)),$((s - 1)); do
    at=$(e2e_pixel "$shot" $((x + ${corner%,*})) $((y + ${corner#*,})))
    [ "$at" = "$E2E_WL_DESKTOP" ] ||
      e2e_fail "$name: the square's corner +$corner is $at, not the desktop's $E2E_WL_DESKTOP ($name.png)"
  done
  desktop=$(e2e_count_colour "$shot" "$E2E_WL_DESKTOP" "$x" "$y" "$s" "$s")
  out=$((s * s - 31416 * (s - 1) * (s - 1) / 40000)) # the region leaves out a row and a column
  ((desktop * 10 >= out * 9 && desktop * 10 <= out * 11)) ||
    e2e_fail "$name: $desktop pixels of the desktop in the ${s}x$s square, a circle leaves $out"
  convert "$shot" -fill black -opaque "rgb($E2E_WL_DESKTOP)" "$E2E_TMP/disc.png"
  e2e_shows_preview "$E2E_TMP/disc.png" "$x" "$y" "$s" "$name" "${@:6}"
}

# --- The native Wayland clock (tests/e2e/wayland-native): a layer surface, in no window tree ----

e2e_wln_native() { E2E_CLOCK_ENV=(); } # the clock's own choice, as a user starts it

# The clock's own windows in sway's tree: "x y w h focused title", the logical place of what it
# draws (its dialogs: the clock itself is a layer surface, in no tree).
e2e_wln_dialogs() {
  e2e_wl_as swaymsg -t get_tree | jq -r '.. | objects | select(.app_id? == "quarvel") |
    "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height) \(.focused) \(.name)"'
}
e2e_wln_dialog_shown() { e2e_wln_dialogs | grep -q ' QUARVEL$'; }

# What of a screenshot is not the desktop's colour: "W H X Y", or nothing on a bare desktop. The
# pointer resting away (E2E_AWAY), which sway draws into the output, is left out with a margin.
e2e_wln_shown_box() { # <png>
  local box
  box=$(convert "$1" -alpha off -crop "$((E2E_AWAY[0] - 40))x$((E2E_AWAY[1] - 40))+0+0" +repage \
    -transparent "rgb($E2E_WL_DESKTOP)" -format '%@' info: 2>/dev/null)
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]} ${BASH_REMATCH[4]}"
}
# The clock's face as the compositor shows it, judged by screenshots alone: sets E2E_X E2E_Y
# (the disc's box's corner, which is the surface's) and E2E_W E2E_H (the disc's box: the round
# region leaves out the square's last row and column).
e2e_wln_face_box() { # <name>
  local box
  box=$(e2e_wln_shown_box "$(e2e_screenshot "$1")") || return 1
  read -r E2E_W E2E_H E2E_X E2E_Y <<<"$box"
}
e2e_wln_wait_face() { # <size>: the clock started, and its disc shown
  local d=$(($1 - 1))
  e2e_start_clock
  e2e_until 15 eval 'e2e_wln_face_box shown && [ "$E2E_W,$E2E_H" = "$d,$d" ]' || {
    e2e_wait_exit 0 || true
    e2e_fail "no ${d}x$d disc on the desktop in 15 s (shown.png: ${E2E_W:-?}x${E2E_H:-?})," \
      "exit code ${E2E_EXIT:-none}: $(tail -n 3 "$E2E_TMP/clock.log")"
  }
}
# A key through the compositor's keyboard to whatever has the keyboard.
e2e_wln_key() { # <key>
  e2e_wl_as wtype -s "$E2E_WL_KEYMAP_PAUSE_MS" -k "$1" 2>>"$E2E_TMP/wtype.log" ||
    e2e_fail "wtype -k $1 failed"
}
