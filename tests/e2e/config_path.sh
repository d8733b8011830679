#!/usr/bin/env bash
# Paths are joined, never rewritten: a backslash in a Linux path is just a character. An
# installed clock started with XDG_CONFIG_HOME=<tmp>/a\b fills <tmp>/a\b/quarvel on its first
# run and shows the first-run dialog; closed, it writes settings.ini there, and the next start
# finds it there: no dialog, the clock at once. Nothing is made under <tmp>/a/b.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "XDG_CONFIG_HOME: the Linux clock's config folder" || exit 0
e2e_begin
prefix=$E2E_TMP/prefix
mkdir -p "$prefix/bin" "$prefix/share" "$E2E_TMP/home"
cp "$QUARVEL_X11_EXE" "$prefix/bin/quarvel"
cp -r "$QUARVEL_NATIVE_BUILD/share/quarvel" "$prefix/share/quarvel"
config=$E2E_TMP/'a\b'

start_installed() { # <what>
  e2e_log "starting the installed quarvel ($1)"
  (cd "$E2E_TMP/home" && exec env XDG_CONFIG_HOME="$config" "$prefix/bin/quarvel") \
    >>"$E2E_TMP/clock.log" 2>&1 </dev/null &
  E2E_CLOCK_PID=$! E2E_EXIT=""
}

start_installed "first run"
e2e_wait_quarvel 372x202 "first-run dialog"
e2e_key "$E2E_FOUND" Return
e2e_wait_clock
e2e_close_request QUARVEL
e2e_expect_exit 0 "a close request after the first run"
[ -f "$config/quarvel/settings.ini" ] || e2e_fail "no settings.ini in $config/quarvel"
[ ! -e "$E2E_TMP/a" ] || e2e_fail "something was made under $E2E_TMP/a"

start_installed "second run"
e2e_wait_clock
[ "$(e2e_quarvel_windows | wc -l)" -eq 1 ] ||
  e2e_fail "a second run shows more than the clock: $(e2e_quarvel_windows | tr '\n' ' ')"
e2e_close_request QUARVEL
e2e_expect_exit 0 "a close request on the second run"
e2e_pass
