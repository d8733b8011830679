#!/usr/bin/env bash
# The config folder on a full 64 KiB tmpfs: the first start copies what fits, nothing cut or
# temporary, and the report says why; with room the next start fills it whole and greets.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "the Linux clock's config folder" || exit 0
e2e_begin
prefix=$E2E_TMP/prefix
share=$prefix/share/quarvel
mkdir -p "$prefix/bin" "$prefix/share" "$E2E_TMP/home" "$E2E_TMP/config"
cp "$QUARVEL_X11_EXE" "$prefix/bin/quarvel"
cp -r "$QUARVEL_NATIVE_BUILD/share/quarvel" "$share"
config=$E2E_TMP/config
folder=$config/quarvel
if ! mount -t tmpfs -o size=64k tmpfs "$config" 2>"$E2E_TMP/mount.log"; then
  e2e_log "skipped: a 64 KiB tmpfs can't be mounted here ($(head -n 1 "$E2E_TMP/mount.log"))"
  e2e_pass
fi
finish() { # the clock works in the mount: it ends first
  local status=$?
  trap - ERR
  set +e
  e2e_stop_clock
  umount "$config" 2>/dev/null
  (exit "$status")
  e2e_teardown
}
trap finish EXIT

start_installed() { e2e_start_installed "$prefix" "$E2E_TMP/home" XDG_CONFIG_HOME="$config"; }
whole() { # <file> [or-missing]: the default's bytes (or, so told, not there at all)
  [ -n "${2:-}" ] && [ ! -e "$folder/$1" ] || cmp -s "$share/$1" "$folder/$1" ||
    e2e_fail "$1 is not the default's whole copy: $(stat -c %s "$folder/$1") bytes"
}

# --- No room for the face: nothing cut, and the report says why. ---
start_installed
e2e_wait_box "a first start on a full file system" "File not found (tyou.sin)" \
  "could not be set up" "could not be copied into $folder" "Disk full (qv.bmp)"
e2e_screenshot full-disk-report >/dev/null
for name in qv.bmp readme.txt tyou.sin tan.sin byou.sin; do whole "$name" or-missing; done
[ ! -e "$folder/qv.bmp" ] || e2e_fail "qv.bmp can't fit, yet it is there"
leftovers=$(find "$folder" -name '.qv*' | wc -l)
[ "$leftovers" -eq 0 ] || e2e_fail "temporary files left behind: $(ls -a "$folder")"
e2e_dismiss_box
e2e_expect_exit 1 "the report of the missing hand file"

# --- Room again: the next start fills the folder whole and greets. ---
mount -o remount,size=1m "$config"
start_installed
e2e_wait_quarvel 372x202 "first-run dialog once the folder is filled"
e2e_key "$E2E_FOUND" Return
e2e_wait_clock
for name in qv.bmp readme.txt tyou.sin tan.sin byou.sin; do whole "$name"; done
e2e_close_clock "a close request after the fill"
e2e_pass
