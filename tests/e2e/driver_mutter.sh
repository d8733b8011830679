# shellcheck shell=bash disable=SC2034  # the E2E_ variables are read by lib.sh and the scripts
# End-to-end driver for the native Linux clock on GNOME's compositor: a headless mutter with
# Xwayland, as GNOME's Wayland session runs X programs, as the bench's unprivileged user. mutter
# offers a client of its own neither a screenshot nor a virtual pointer or keyboard (GNOME Shell
# does, over D-Bus and PipeWire), so what is checked here is what the X side tells: where mutter
# put the clock, the visual it is drawn with, and what a close through mutter writes.
if ! command -v mutter >/dev/null; then
  echo "[$E2E_TEST] SKIP: no mutter here (scripts/install-deps.sh installs it)" >&2
  exit 77 # ctest's SKIP_RETURN_CODE
fi
# The bench's user, its session folders and the clock's start come from sway's driver.
# shellcheck source=SCRIPTDIR/driver_wayland.sh
source "$(dirname "${BASH_SOURCE[0]}")/driver_wayland.sh"
E2E_CLOCK_ENV=() # mutter has no layer shell: the clock falls back to X by itself

E2E_SESSION_TOOLS=(mutter dbus-run-session Xwayland xdpyinfo xwininfo xdotool wmctrl)
E2E_MUTTER_PID=""

e2e_start_display() {
  e2e_wl_user
  (exec "${E2E_WL_AS[@]}" dbus-run-session -- mutter --headless --wayland \
    --virtual-monitor "${E2E_WL_SIZE[0]}x${E2E_WL_SIZE[1]}") >"$E2E_TMP/mutter.log" 2>&1 </dev/null &
  E2E_MUTTER_PID=$! E2E_XVFB_PID=$!
  e2e_until 20 grep -q "Using public X11 display" "$E2E_TMP/mutter.log" ||
    e2e_fail "mutter did not start: $(tail -n 3 "$E2E_TMP/mutter.log")"
  local display auth
  display=$(sed -nE 's/.*Using public X11 display (:[0-9]+).*/\1/p' "$E2E_TMP/mutter.log" | head -n 1)
  auth=$(compgen -G "$E2E_TMP/run/.mutter-Xwaylandauth.*" | head -n 1) ||
    e2e_fail "mutter left no Xwayland authority in its runtime folder"
  E2E_WL_AS+=("DISPLAY=$display" "XAUTHORITY=$auth" "WAYLAND_DISPLAY=wayland-0")
  # mutter starts Xwayland with its first X client.
  e2e_until 20 e2e_wl_as xdpyinfo >/dev/null 2>&1 ||
    e2e_fail "Xwayland did not start under mutter: $(tail -n 3 "$E2E_TMP/mutter.log")"
  e2e_log "mutter $E2E_MUTTER_PID with Xwayland on $display as $(e2e_wl_as id -un)"
}

# mutter, then what it started (Xwayland), should its end leave them.
e2e_stop_display() {
  local pid
  [ -z "$E2E_MUTTER_PID" ] && return 0
  for pid in $(pgrep -u "$(e2e_wl_as id -u)" -x mutter) $E2E_MUTTER_PID \
    $(pgrep -u "$(e2e_wl_as id -u)" -x Xwayland); do
    kill "$pid" 2>/dev/null || continue
    e2e_until 5 e2e_not kill -0 "$pid" 2>/dev/null || kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
  done
  E2E_MUTTER_PID="" E2E_XVFB_PID=""
}

# As GNOME closes a window: mutter, the X window manager of its Xwayland, asked to.
e2e_close_request() { # <window title>
  e2e_wl_as wmctrl -c "$1"
}

# shellcheck disable=SC2317  # the helpers are called from lib.sh and the scripts
e2e_driver_helpers() {
  e2e_geometry() { # <window id>; sets E2E_X E2E_Y E2E_W E2E_H E2E_MAP, returns 1 if it is gone
    local info
    info=$(e2e_wl_as xwininfo -id "$1" 2>/dev/null) || return 1
    read -r E2E_X E2E_Y E2E_W E2E_H E2E_MAP E2E_DEPTH < <(awk '/Absolute upper-left X/ {x = $4}
      /Absolute upper-left Y/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2} /Depth:/ {d = $2}
      /Map State:/ {m = ($3 == "IsViewable") ? "mapped" : "unmapped"} END {print x, y, w, h, m, d}' \
      <<<"$info")
  }
  e2e_quarvel_windows() { # -> "id WxH" per viewable window titled QUARVEL
    local id
    for id in $(e2e_wl_as xdotool search --onlyvisible --name '^QUARVEL$' 2>/dev/null || true); do
      if e2e_geometry "$id"; then echo "$id ${E2E_W}x$E2E_H"; fi
    done
  }
  e2e_screenshot() { : >"$E2E_ART/$1.png"; echo "$E2E_ART/$1.png"; } # nothing to take it with
}
