#!/usr/bin/env bash
# The clock runs: the face is redrawn as the seconds change, so screenshots taken more than a
# second apart differ inside the clock's square (at least the second hand has moved).
source "$(dirname "$0")/lib.sh"
e2e_begin

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_write_settings 0 0
e2e_start_clock
e2e_wait_clock
sleep 1.5 # past the first redraw

square=(0 0 "$E2E_FACE" "$E2E_FACE")
first=$(e2e_screenshot tick-1)
sleep 1.5
second=$(e2e_screenshot tick-2)
sleep 1
third=$(e2e_screenshot tick-3)

# 1.5 s apart always spans a change of second. 1 s apart nearly always does; should the
# screenshots themselves straddle a redraw badly, a fourth one half a second later settles it.
changed=$(e2e_count_diff "$first" "$second" "${square[@]}")
e2e_log "tick-1 -> tick-2: $changed pixels changed"
[ "$changed" -gt 0 ] || e2e_fail "the face did not change in 1.5 s (tick-1.png, tick-2.png)"

changed=$(e2e_count_diff "$second" "$third" "${square[@]}")
e2e_log "tick-2 -> tick-3: $changed pixels changed"
if [ "$changed" -eq 0 ]; then
  sleep 0.5
  third=$(e2e_screenshot tick-4)
  changed=$(e2e_count_diff "$second" "$third" "${square[@]}")
  e2e_log "tick-2 -> tick-4: $changed pixels changed"
fi
[ "$changed" -gt 0 ] || e2e_fail "the face did not change a second after tick-2.png"

e2e_clock_running || e2e_fail "quarvel.exe ended while it should be running"
e2e_geometry "$E2E_WINDOW"
[ "$E2E_X,$E2E_Y" = "0,0" ] || e2e_fail "the clock moved to ($E2E_X,$E2E_Y) on its own"
e2e_pass
