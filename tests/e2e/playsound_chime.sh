#!/usr/bin/env bash
# The hourly chime of the Windows clock: at the full hour a clock with hourly_chime=on asks
# PlaySound for chime.wav beside its program, in the background, never over a chime still
# playing and never the system's default sound; one without the file goes on silently, no
# message; one with the chime off asks for nothing. Wine traces each PlaySound call (+winmm).
# The hour comes honestly: the real clock, in a time zone (TZ, as any user's) whose minutes put
# the next full hour under a minute away; three clocks, in three folders, reach it together.
source "$(dirname "$0")/lib.sh"
e2e_only wine "PlaySound of the Windows clock (the Linux chime has its own test)" || exit 0
e2e_begin

# A short quiet WAV: the clock's own where it is in data/, else a tenth of a second of silence.
chime_file() { # <file>
  if [ -f "$QUARVEL_SOURCE_DIR/data/chime.wav" ]; then
    cp "$QUARVEL_SOURCE_DIR/data/chime.wav" "$1"
  else
    { printf 'RIFF\x44\x03\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00'
      printf '\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00data\x20\x03\x00\x00'
      head -c 800 /dev/zero | tr '\0' '\200'; } >"$1"
  fi
}
clock_in() { # <folder> <left> <options.ini's text>
  mkdir -p "$1"
  E2E_DIR=$1 e2e_skin "$2" 200
  printf '%s' "$3" >"$1/options.ini"
}
ROOT=$E2E_DIR
clock_in "$ROOT/rings" 20 $'hourly_chime=on\r\n'
chime_file "$ROOT/rings/chime.wav"
clock_in "$ROOT/no-file" 260 $'hourly_chime=on\r\n'
clock_in "$ROOT/off" 500 $'# no chime\r\nhourly_chime=off\r\n'
chime_file "$ROOT/off/chime.wav"

# The start of a minute, which leaves time to start three clocks on a busy machine before it
# ends; then the zone that makes it the 59th minute of an hour here (POSIX TZ: east of UTC by
# the hours and minutes after the -).
early_in_minute() { [ "$(date -u +%-S)" -lt 8 ]; }
e2e_for 61 early_in_minute || e2e_fail "no minute began in 61 s"
minute=$(date -u +%-M)
export TZ="QVT-3:$(((59 - minute + 60) % 60))"
e2e_log "TZ=$TZ: it is $(date +%T) here"
for folder in rings no-file off; do
  E2E_DIR=$ROOT/$folder WINEDEBUG=+winmm e2e_start_clock
  eval "PID_${folder//-/_}=\$E2E_CLOCK_PID"
done
E2E_DIR=$ROOT
three_clocks() { [ "$(e2e_quarvel_windows | wc -l)" -eq 3 ]; }
e2e_until 15 three_clocks ||
  e2e_fail "not three clocks: $(e2e_quarvel_windows | tr '\n' ' ')"
[ "$(date +%M)" = 59 ] || e2e_fail "the clocks came up at $(date +%T), after the hour"
before=$(grep -ci 'playsound' "$E2E_TMP/clock.log" || true)
[ "$before" -eq 0 ] || e2e_fail "a chime before the full hour: $(grep -i playsound "$E2E_TMP/clock.log")"

# The full hour, and a few seconds for the second tick and the call.
full_hour() { [ "$(date +%M)" = 00 ]; }
e2e_until 30 full_hour || e2e_fail "no full hour"
calls() { grep -i 'playsound' "$E2E_TMP/clock.log" || true; }
rang() { calls | grep -Eqi 'rings[\\/]+chime\.wav' && calls | grep -Eqi 'no-file[\\/]+chime\.wav'; }
e2e_until 3 rang || e2e_fail "no PlaySound of both chime.wav's at $(date +%T): $(calls)"
sleep 1
calls >"$E2E_ART/playsound.txt"
# SND_FILENAME 0x20000 | SND_NOSTOP 0x10 | SND_NODEFAULT 2 | SND_ASYNC 1, and nothing else.
[ "$(calls | grep -c 'PlaySound pszSound=')" -eq 2 ] &&
  [ "$(calls | grep -c 'PlaySound pszSound=.*fdwSound=00020013$')" -eq 2 ] ||
  e2e_fail "not two PlaySound calls with SND_FILENAME|SND_NOSTOP|SND_NODEFAULT|SND_ASYNC: $(calls)"
[ "$(calls | grep -Eci 'SoundName=.*rings[\\/]+chime\.wav')" -eq 1 ] || e2e_fail "not one chime in rings: $(calls)"
! calls | grep -Eqi 'off[\\/]+chime\.wav' || e2e_fail "hourly_chime=off chimed: $(calls)"
# Still three clocks, and no message about the missing sound.
three_clocks || e2e_fail "not three windows after the hour:" \
  "$(e2e_quarvel_windows | tr '\n' ' ')"
for pid in "$PID_rings" "$PID_no_file" "$PID_off"; do
  kill -0 "$pid" || e2e_fail "a clock ended at the full hour: $(tail -n 3 "$E2E_TMP/clock.log")"
done
[ -z "$(e2e_list_controls)" ] || e2e_fail "a message came up at the full hour"
e2e_pass
