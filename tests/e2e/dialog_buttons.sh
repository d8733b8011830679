#!/usr/bin/env bash
# The buttons of the first-run dialog: Readme opens readme.txt in Notepad and leaves the dialog
# open; the close box then closes the dialog as OK does and the clock appears. A second first
# run shows that Space presses the focused button, OK.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_dialog.sh"
e2e_begin

notepad='^readme\.txt - Notepad$'
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin readme.txt
e2e_start_clock
dlg_wait_dialog 15
dialog=$DLG_WINDOW

# --- Readme: a click on the button --------------------------------------------------------------
xdotool mousemove $((DLG_X + 280 + 40)) $((DLG_Y + 72 + 12)) click 1 mousemove 1000 740
e2e_wait_window "$notepad" 10 >/dev/null
sleep 0.5 # Notepad paints; the dialog gets the time to close, should it do so wrongly
e2e_screenshot readme >/dev/null
dlg_viewable "$dialog" || e2e_fail "the first-run dialog closed when Readme was clicked"
e2e_clock_running || e2e_fail "quarvel.exe ended when Readme was clicked"
[ -z "$(e2e_find_clock)" ] || e2e_fail "the clock came up when Readme was clicked"
windows=$(e2e_winprobe list)
[ -n "$(dlg_dialog_block "$windows")" ] ||
  e2e_fail "the winprobe no longer sees the dialog after Readme:"$'\n'"$windows"
grep -q 'class="Notepad" title="readme.txt - Notepad"' <<<"$windows" ||
  e2e_fail "no Notepad window on readme.txt among the windows:"$'\n'"$windows"
# Notepad asks in a box of its own when it can't open the file: no dialog but ours may show.
others=$(grep '^window .*class="#32770"' <<<"$windows" | grep -v 'title="QUARVEL"' || true)
[ -z "$others" ] || e2e_fail "another dialog came up with Notepad:"$'\n'"$others"
[ "$(grep -c 'class="Notepad"' <<<"$windows" || true)" -eq 1 ] ||
  e2e_fail "more than one Notepad window:"$'\n'"$windows"

# --- The close box ------------------------------------------------------------------------------
# A click on the close box of the caption openbox draws for the dialog: openbox sends
# WM_DELETE_WINDOW, which Wine turns into WM_SYSCOMMAND/SC_CLOSE and then WM_CLOSE, the path
# of a click on a Win32 close box. (`winprobe close` would post WM_CLOSE directly and skip the
# window manager and SC_CLOSE.) Activating the dialog first raises it above Notepad.
dlg_activate "$dialog"
extents=$(xprop -id "$dialog" _NET_FRAME_EXTENTS | sed -n 's/.* = //p')
IFS=', ' read -r _ frame_right frame_top _ <<<"$extents"
# In openbox's Clearlooks theme the close box is the last button of the caption, 13 pixels
# square, its middle 10 pixels in from the frame's right and top edges.
close_x=$((DLG_X + DLG_W + frame_right - 1 - 10)) close_y=$((DLG_Y - frame_top + 10))
e2e_screenshot before-close-box >/dev/null
xdotool mousemove "$close_x" "$close_y" click 1 mousemove 1000 740
dlg_wait_gone "$dialog" 5 ||
  e2e_fail "a click on the close box at ($close_x,$close_y) did not close the dialog" \
    "(before-close-box.png)"
e2e_wait_clock "$E2E_FACE"
dlg_assert_geometry "$E2E_WINDOW" 0 0 "$E2E_FACE" "$E2E_FACE" "the clock window"
dlg_assert_topmost "$E2E_WINDOW" yes
e2e_screenshot clock-after-close-box >/dev/null

# Closing Notepad and the clock leaves a wineserver running for the second start.
e2e_winprobe close 'readme.txt - Notepad' >/dev/null
e2e_winprobe close QUARVEL >/dev/null
e2e_wait_exit 5 || e2e_fail "quarvel.exe still runs 5 s after its window was asked to close"
[ "$E2E_CLOCK_STATUS" -eq 0 ] || e2e_fail "quarvel.exe exited with code $E2E_CLOCK_STATUS"

# --- Space on the focused OK ----------------------------------------------------------------
rm -f "$E2E_DIR/settings.ini"
e2e_start_clock
dlg_wait_dialog 15
dialog=$DLG_WINDOW
dlg_activate "$dialog"
xdotool key space
dlg_wait_gone "$dialog" 5 ||
  e2e_fail "Space did not close the first-run dialog: OK does not have the focus"
e2e_wait_clock "$E2E_FACE"
dlg_assert_geometry "$E2E_WINDOW" 0 0 "$E2E_FACE" "$E2E_FACE" "the clock window"
e2e_screenshot clock-after-space >/dev/null
e2e_pass
