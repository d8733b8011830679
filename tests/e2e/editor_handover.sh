#!/usr/bin/env bash
# A right-click (Shift held, so the top-most clock doesn't hide) hands over to the companion
# editor: the clock starts qvedit.exe, found next to quarvel.exe or on the search path but
# never in the working folder, waits for its window "qvs" to show and activates it, then closes
# writing settings.ini (exit code 0). Without an editor a message box (#32770, "QUARVEL") says
# that "qvedit.exe" could not be started; once it is dismissed the clock goes on running, and
# settings.ini stays as it was until the clock is closed.
#
# The stand-in editor (standin-qvedit.exe) opens "qvs" after QVEDIT_DELAY_MS, which plays a
# slow editor. NOTE: openbox also gives the focus to a new normal window by itself, so the X
# focus on "qvs" shows that the editor ends up in front, not who put it there.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_input.sh"
e2e_begin

home=(300 200)
inside=(400 300)
away=(1000 740)
editor=$QUARVEL_WINDOWS_BUILD/bin/standin-qvedit.exe
e2e_require_file "$editor" "the stand-in editor (make windows)"
e2e_copy_data qv.bmp tyou.sin tan.sin byou.sin
e2e_install_exe "$E2E_DIR"

# The settings the clock reads at start, without the blanks around the numbers that the clock
# writes itself: whether settings.ini was written shows in its bytes.
read_settings_text() { printf '%s,%s\r\n0\r\nqv.bmp\r\n2\r\n' "${home[@]}"; }
put_settings() { # [folder=work folder]
  read_settings_text >"${1:-$E2E_DIR}/settings.ini"
}

right_click() {
  e2e_focus "$E2E_WINDOW"
  xdotool keydown shift
  e2e_move_over "${inside[@]}"
  sleep 0.2
  xdotool click 3
  CLICKED=$(e2e_now_us)
  e2e_log "Shift+right-click on the clock"
}

# Shift up, and the pointer off the clock's square: a top-most clock that comes up under the
# pointer hides at once.
pointer_away() {
  xdotool keyup shift
  xdotool mousemove "${away[@]}"
}

ms_since_click() { echo $((($(e2e_now_us) - CLICKED) / 1000)); }

# Waits for the error box and checks that it names the editor; leaves its controls in BOX.
expect_error_box() { # <what this means>
  local i windows=""
  for ((i = 0; i < 50; i++)); do
    windows=$(e2e_winprobe list)
    BOX=$(awk '/^window / { inbox = /class="#32770" title="QUARVEL"/ } inbox' <<<"$windows")
    [ -n "$BOX" ] && break
    if ! e2e_clock_running; then
      e2e_wait_exit 1 || true
      e2e_fail "$1: quarvel.exe ended (code ${E2E_CLOCK_STATUS:-?}) instead of showing a message box"
    fi
    sleep 0.1
  done
  [ -n "$BOX" ] || e2e_fail "$1: no message box (#32770, QUARVEL) within 5 s; windows:"$'\n'"$windows"
  grep 'class="Static"' <<<"$BOX" | grep -qF 'qvedit.exe' ||
    e2e_fail "$1: the message box does not name qvedit.exe; its controls:"$'\n'"$BOX"
  e2e_log "$1: message box text=$(grep 'class="Static"' <<<"$BOX" | grep -F qvedit.exe |
    head -n 1 | sed 's/.* text=//; s/ visible=.*//')"
  ! grep -q 'title="qvs"' <<<"$windows" || e2e_fail "$1: an editor window is open next to the box"
}

# Dismisses the box; the clock must still be there, ticking, with settings.ini untouched.
dismiss_and_expect_running() { # <what this means> <screenshot tag> <folder of settings.ini>
  local before after changed
  e2e_winprobe press QUARVEL OK >/dev/null || e2e_fail "$1: could not press OK in the box"
  sleep 0.5
  [ -z "$(awk '/^window / && /class="#32770" title="QUARVEL"/' <<<"$(e2e_winprobe list)")" ] ||
    e2e_fail "$1: the message box is still open after OK"
  e2e_clock_running || e2e_fail "$1: quarvel.exe ended after the message box"
  [ "$(e2e_find_clock)" = "$E2E_WINDOW" ] ||
    e2e_fail "$1: the clock window is not shown after the message box ($(e2e_place "$E2E_WINDOW"))"
  before=$(e2e_screenshot "$2-after-box-1")
  sleep 1.2
  after=$(e2e_screenshot "$2-after-box-2")
  changed=$(e2e_count_diff "$before" "$after" "${home[@]}" "$E2E_FACE" "$E2E_FACE")
  [ "$changed" -gt 0 ] || e2e_fail "$1: the face stands still after the message box" \
    "($2-after-box-*.png)"
  cmp -s "$3/settings.ini" <(read_settings_text) ||
    e2e_fail "$1: settings.ini changed while the clock still runs: $(od -An -c "$3/settings.ini")"
}

# --- A slow editor next to quarvel.exe: the clock waits for "qvs", then closes. ---
put_settings
cp "$editor" "$E2E_DIR/qvedit.exe"
delay=1500
QVEDIT_DELAY_MS=$delay e2e_start_clock
e2e_wait_clock
right_click
sleep 1
e2e_clock_running || e2e_fail "the clock closed $(ms_since_click) ms after the right-click, before" \
  "the editor (QVEDIT_DELAY_MS=$delay) could show its window"
qvs=$(e2e_wait_window_retry '^qvs$' 10 | head -n 1)
e2e_log "\"qvs\" shown $(ms_since_click) ms after the click"
e2e_wait_exit 3 || e2e_fail "quarvel.exe still runs 3 s after \"qvs\" showed"
e2e_log "the clock ended $(ms_since_click) ms after the click"
pointer_away
[ "$E2E_CLOCK_STATUS" -eq 0 ] || e2e_fail "quarvel.exe ended with code $E2E_CLOCK_STATUS after the" \
  "hand-over"
e2e_screenshot 1-editor-shown >/dev/null
[ -z "$(e2e_find_clock)" ] || e2e_fail "the clock window is still shown after the hand-over"
active=$(xprop -root _NET_ACTIVE_WINDOW | awk '{print $NF}')
if ! [[ $active =~ ^0x[0-9a-fA-F]+$ ]] || [ $((active)) -ne "$qvs" ]; then
  e2e_fail "the editor's window $qvs is not the active window ($active)"
fi
e2e_expect_settings "handed over to the editor" "${home[@]}" 0
e2e_winprobe close qvs >/dev/null
rm "$E2E_DIR/qvedit.exe"

# --- No editor anywhere: the box, then the clock runs on until C. ---
put_settings
e2e_start_clock
e2e_wait_clock
right_click
expect_error_box "no qvedit.exe"
e2e_screenshot 2-no-editor-box >/dev/null
dismiss_and_expect_running "no qvedit.exe" 2 "$E2E_DIR"
e2e_close_with_c "$E2E_WINDOW"
pointer_away
e2e_expect_settings "closed with C after the message box" "${home[@]}" 0

# --- An editor only in the working folder is not started. ---
# The clock reads its data files from its working folder, so they go there too; settings.ini
# goes in both folders (the program folder's copy keeps the first-run dialog away).
cwd=$E2E_TMP/cwd
mkdir -p "$cwd"
cp "$E2E_DIR"/{qv.bmp,tyou.sin,tan.sin,byou.sin} "$cwd"/
cp "$editor" "$cwd/qvedit.exe"
put_settings "$cwd"
put_settings
e2e_log "starting quarvel.exe from $E2E_DIR with the working folder $cwd ($(ls "$cwd" | tr '\n' ' '))"
(cd "$cwd" && exec wine "$E2E_DIR/quarvel.exe") >>"$E2E_TMP/clock.log" 2>&1 </dev/null 9>&- &
E2E_CLOCK_PID=$! E2E_CLOCK_STATUS=""
e2e_wait_clock
right_click
expect_error_box "qvedit.exe only in the working folder"
e2e_screenshot 3-working-folder-box >/dev/null
dismiss_and_expect_running "qvedit.exe only in the working folder" 3 "$cwd"
e2e_close_with_c "$E2E_WINDOW"
pointer_away

# --- An editor on the search path (WINEPATH goes in front of Wine's PATH). ---
bin=$E2E_TMP/bin
mkdir -p "$bin"
cp "$editor" "$bin/qvedit.exe"
put_settings
WINEPATH="Z:${bin//\//\\}" e2e_start_clock
e2e_wait_clock
right_click
e2e_wait_window_retry '^qvs$' 10 >/dev/null
e2e_wait_exit 5 || e2e_fail "quarvel.exe still runs 5 s after \"qvs\" showed (editor on the path)"
pointer_away
[ "$E2E_CLOCK_STATUS" -eq 0 ] || e2e_fail "quarvel.exe ended with code $E2E_CLOCK_STATUS after the" \
  "hand-over to the editor on the path"
e2e_screenshot 4-editor-on-path >/dev/null
e2e_expect_settings "handed over to the editor on the path" "${home[@]}" 0
e2e_pass
