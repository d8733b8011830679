#!/usr/bin/env bash
# The hourly chime on a Linux desktop: with hourly_chime=on in options.ini the clock plays its
# installed chime.wav once as its face reaches the full hour, through the desktop's player
# (here a stand-in paplay first on PATH, which writes down what it was given); with the option
# off, or without any player, nothing plays and nothing is said. The clock starts three seconds
# before 11:00 under libfaketime (FAKETIME), so the hour comes without waiting for it.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "the Windows chime is PlaySound's" || exit 0
e2e_begin

libfaketime=$(find /usr/lib -name libfaketime.so.1 -print -quit)
[ -n "$libfaketime" ] || e2e_fail "libfaketime.so.1 not found (the faketime package)"
chime=$QUARVEL_NATIVE_BUILD/share/quarvel/chime.wav # as make install puts it beside bin/
cmp -s "$chime" "$QUARVEL_SOURCE_DIR/data/chime.wav" || e2e_fail "no installed $chime"
played=$E2E_TMP/played
mkdir -p "$E2E_TMP/players" "$E2E_TMP/none"
printf '#!/bin/sh\necho "paplay $*" >>"%s"\n' "$played" >"$E2E_TMP/players/paplay"
chmod +x "$E2E_TMP/players/paplay"
e2e_skin 300 200

# One start at 10:59:57 with that options.ini and PATH, until the face has passed 11:00:00.
around_the_hour() { # <options.ini line> <PATH> <what>
  printf '# QUARVEL options\n%s\n' "$1" >"$E2E_DIR/options.ini"
  rm -f "$played"
  local started
  started=$(e2e_now)
  e2e_start_installed "$QUARVEL_NATIVE_BUILD" "$E2E_DIR" PATH="$2" TZ=UTC \
    LD_PRELOAD="$libfaketime" FAKETIME="@2026-12-08 10:59:57" \
    ASAN_OPTIONS="$ASAN_OPTIONS:verify_asan_link_order=0"
  e2e_wait_clock
  [ "$1" = hourly_chime=off ] || [ "$2" = "$E2E_TMP/none" ] || e2e_until 10 test -s "$played" || true
  # The clock's fake time reaches 11:00 three seconds after its start, which came after
  # `started`: three more for a second chime or a message to show.
  sleep "$(awk -v us=$((started + 6000000 - $(e2e_now))) 'BEGIN {print (us > 0 ? us / 1e6 : 0)}')"
  e2e_screenshot "${3// /-}" >/dev/null # the face just past 11:00, for a person to look at
  e2e_clock_running || e2e_fail "$3: the clock ended: $(tail -n 3 "$E2E_TMP/clock.log")"
  [ "$(e2e_quarvel_windows | wc -l)" -eq 1 ] || e2e_fail "$3: a message came up:" \
    "$(e2e_list_controls QUARVEL)"
  e2e_close_clock "$3"
}

around_the_hour hourly_chime=on "$E2E_TMP/players:$PATH" "the chime on"
[ "$(cat "$played" 2>/dev/null)" = "paplay $chime" ] ||
  e2e_fail "at 11:00 the player was not given the installed chime once: $(cat "$played" 2>&1 || true)"

around_the_hour hourly_chime=off "$E2E_TMP/players:$PATH" "the chime off"
[ ! -e "$played" ] || e2e_fail "with the chime off it played: $(cat "$played")"

# No player at all: PATH holds an empty folder only (the stand-in is elsewhere, never found).
around_the_hour hourly_chime=on "$E2E_TMP/none" "no player"
[ ! -e "$played" ] || e2e_fail "without a player on PATH something played: $(cat "$played")"
e2e_pass
