#!/usr/bin/env bash
# A right-click (with Shift) hands over to qvedit beside the clock or on the search path, never in
# the working folder: the clock waits for "qvs", saves and ends with 0. A missing, failing or
# broken editor is reported as such and the clock runs on.
source "$(dirname "$0")/lib.sh"
e2e_begin

e2e_skin
# Without the blanks the clock writes around its numbers: a save shows in the bytes.
read_settings() { printf '300,200\r\n0\r\nqv.bmp\r\n2\r\n' | tee "$@" >/dev/null; }

# A right-click on the clock just started (E2E_SEARCH_DIR, QVEDIT_DELAY_MS as set) hands over.
expect_handover() { # <where the editor is>
  read_settings "$E2E_DIR/settings.ini"
  e2e_show_clock
  e2e_right_click
  if [ -n "${QVEDIT_DELAY_MS:-}" ]; then
    sleep 1
    e2e_clock_running || e2e_fail "the clock closed before the slow editor showed its window"
  fi
  e2e_until 10 e2e_qvs_shown || e2e_fail "$1: no editor window qvs within 10 s of the right-click"
  e2e_log "$1: qvs shown $((($(e2e_now) - E2E_CLICKED) / 1000)) ms after the right-click"
  e2e_expect_exit 0 "qvs showed ($1)" 3
  e2e_until 3 eval '[ "$(xdotool getactivewindow)" = "$QVS" ]' || e2e_fail "$1: the editor is not in front"
  e2e_screenshot "editor-${1// /-}" >/dev/null
  e2e_settings 300 200 | e2e_expect_bytes "$E2E_DIR/settings.ini" "handed over ($1)"
  e2e_close_request qvs
  xdotool mousemove "${E2E_AWAY[@]}"
}

# --- Next to the clock's program, an editor slow to show its window: the clock waits. ---
e2e_install_editor "$E2E_DIR"
QVEDIT_DELAY_MS=1500 expect_handover "next to $E2E_PROGRAM"
rm "$E2E_DIR/$E2E_EDITOR"

# --- On the search path. ---
mkdir "$E2E_TMP/path"
e2e_install_editor "$E2E_TMP/path"
E2E_SEARCH_DIR=$E2E_TMP/path expect_handover "on the search path"

# --- Only in the working folder, where the clock reads its files: not started. settings.ini
# also next to the program, so that this is no first run. ---
cwd=$E2E_TMP/cwd
mkdir "$cwd"
cp "$E2E_DIR"/{qv.bmp,tyou.sin,tan.sin,byou.sin} "$cwd"/
e2e_install_editor "$cwd"
read_settings "$cwd/settings.ini" "$E2E_DIR/settings.ini"
QVEDIT_EXIT_CODE=3 e2e_start_clock "$cwd" # for the editor that ends at once, below
e2e_wait_clock
e2e_right_click
# What to do then: on Windows put the editor next to the clock; on Linux, where it comes with the
# clock, edit the files named by hand.
advice=("Put it next to" "or on the search path")
[ "$E2E_DRIVER" = wine ] || advice=("qvedit is installed with the clock" "tyou.sin, tan.sin, byou.sin")
e2e_wait_box "$E2E_EDITOR only in the working folder" "$E2E_EDITOR\\\" could not be started" \
  "File not found" "${advice[@]}"
[ "$E2E_DRIVER" = wine ] || e2e_not grep -qF "search path" <<<"$E2E_BOX" ||
  e2e_fail "the box on Linux sends the user to put an editor on the search path"
e2e_screenshot no-editor-box >/dev/null
# The box stays above the top-most clock (_NET_CLIENT_LIST_STACKING lists bottom to top).
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
order=$(for id in $stacking; do printf '%d\n' "$id"; done | grep -nxE "$E2E_WINDOW|$E2E_BOX_WINDOW")
[ "$(tail -n 1 <<<"$order" | cut -d: -f2)" = "$E2E_BOX_WINDOW" ] ||
  e2e_fail "the message box is stacked under the clock: $order (no-editor-box.png)"
e2e_not e2e_qvs_shown || e2e_fail "the editor in the working folder was started"
e2e_box_gone
[ "$(e2e_quarvel_windows)" = "$E2E_WINDOW 200x200" ] || e2e_fail "no clock shown after the box"
e2e_expect_ticks 300 200 200 after-box
read_settings "$E2E_TMP/read.ini"
e2e_expect_bytes "$cwd/settings.ini" "still running after the box" <"$E2E_TMP/read.ini"
# Shift held as the pointer comes onto the clock keeps it in place, though the keyboard went
# elsewhere with the box.
if e2e_only x11 "Wine 8 tells a window without the keyboard of Shift only now and then"; then
  xdotool mousemove "${E2E_AWAY[@]}" sleep 0.1 keydown shift
  e2e_move_over 400 300
  e2e_expect_stays "$E2E_WINDOW" "300,200 mapped" 1 "Shift held over the clock after the box"
  xdotool mousemove "${E2E_AWAY[@]}" sleep 0.1 keyup shift
fi

# --- On the same clock, an editor next to it that ends before its window appears: said at
# once, and the clock runs on. ---
e2e_install_editor "$E2E_DIR"
e2e_right_click
e2e_wait_box "an editor that ends at once" "$E2E_EDITOR\\\" ended (exit code 3) before its window" \
  "The clock keeps running"
# A box at all means it came within the wait for "qvs": after it the clock would have closed.
e2e_log "the ended editor was reported $((($(e2e_now) - E2E_CLICKED) / 1000)) ms after the right-click"
e2e_screenshot editor-ended-box >/dev/null
e2e_box_gone
sleep 0.5
e2e_clock_running || e2e_fail "the clock ended after an editor that ended at once"

# --- Then a broken editor there is said to be broken, not missing. ---
head -c 4096 /dev/urandom >"$E2E_DIR/$E2E_EDITOR"
chmod +x "$E2E_DIR/$E2E_EDITOR"
e2e_right_click
e2e_wait_box "a broken $E2E_EDITOR" "$E2E_EDITOR" "Invalid file format"
e2e_not grep -qF "File not found" <<<"$E2E_BOX" || e2e_fail "a broken editor is called missing"
e2e_dismiss_box
e2e_close_with_c "$E2E_WINDOW" "after the boxes"
e2e_settings 300 200 | e2e_expect_bytes "$cwd/settings.ini" "C after the boxes"
e2e_pass
