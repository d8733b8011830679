#!/usr/bin/env bash
# A saved settings.ini: no first-run dialog, the clock opens where the file says, top-most only
# when its second line is 0, and a close request writes the file back byte for byte when the
# clock was not moved (the process then ends with code 0). Two runs: "-1 " (not top-most, closed
# with `winprobe close`) and " 0 " (top-most, closed with the key C).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_dialog.sh"
e2e_begin

e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
x=250 y=120

run() { # <line 2 as written> <top-most yes|no> <how to close: winprobe|key> <name>
  local settings="$x,$y\\r\\n$1\\r\\nqv.bmp\\r\\n 3 \\r\\n"
  # shellcheck disable=SC2059  # the settings are a printf format
  printf "$settings" >"$E2E_DIR/settings.ini"
  e2e_start_clock
  dlg_wait_clock_without_dialog "$E2E_FACE"
  dlg_assert_geometry "$E2E_WINDOW" "$x" "$y" "$E2E_FACE" "$E2E_FACE" "the clock window ($4)"
  dlg_assert_topmost "$E2E_WINDOW" "$2"
  sleep 0.5 # the first frame
  local shot
  shot=$(e2e_screenshot "$4")
  dlg_assert_round "$shot" "$E2E_WINDOW" "$x" "$y" "$E2E_FACE"
  local windows
  windows=$(e2e_winprobe list)
  ! grep -q 'class="#32770"' <<<"$windows" ||
    e2e_fail "a dialog is shown next to the clock ($4):"$'\n'"$windows"

  if [ "$3" = winprobe ]; then
    e2e_winprobe close QUARVEL >/dev/null
  else
    dlg_activate "$E2E_WINDOW"
    xdotool key c
  fi
  e2e_wait_exit 5 || e2e_fail "quarvel.exe still runs 5 s after the close request ($4, $3)"
  [ "$E2E_CLOCK_STATUS" -eq 0 ] ||
    e2e_fail "quarvel.exe exited with code $E2E_CLOCK_STATUS after the close request ($4)"
  dlg_expect_bytes "$E2E_DIR/settings.ini" "$settings" "settings.ini written back ($4)"
}

run '-1 ' no winprobe not-topmost
run ' 0 ' yes key topmost
e2e_pass
