#!/usr/bin/env bash
# The clock's options set on the Linux editor's Options page with the keys: seconds hand off,
# opacity 60, below other windows, start at login, a zone name the page refuses. "Save and start
# clock" writes them to options.ini (settings.ini keeps its lines), makes the autostart entry
# that starts this clock in the skin folder, and the clock comes back without its seconds hand.
# Start at login off and a save remove the entry; Reset to defaults brings today's clock back.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "qvedit for Linux is the native build's" || exit 0
e2e_begin
e2e_linux_editor
export XDG_CONFIG_HOME=$E2E_TMP/config
cp "$EDITOR" "$E2E_DIR/qvedit"
skin=$E2E_TMP/skin
mkdir "$skin"
e2e_skin 300 200
mv "$E2E_DIR"/{qv.bmp,tyou.sin,tan.sin,byou.sin,settings.ini} "$skin"/
settings=$(cat "$skin/settings.ini")
entry_of() { compgen -G "$XDG_CONFIG_HOME/autostart/io.github.quarvel.Quarvel-*.desktop"; }

# The clock in the skin folder, and its right-click's editor on the Options page.
open_options() { # <what before>
  e2e_wait_clock
  clock_pid=$(xdotool getwindowpid "$E2E_WINDOW")
  e2e_right_click
  e2e_until 15 e2e_qvs_shown || e2e_fail "no editor window qvs after $1"
  e2e_until 10 e2e_not kill -0 "$clock_pid" 2>/dev/null || e2e_fail "the clock stays beside its editor"
  e2e_until 3 eval '[ "$(xdotool getwindowfocus -f)" = "$QVS" ]' || e2e_fail "qvs has no focus"
  xdotool mousemove "${E2E_AWAY[@]}"
  xdotool key alt+h ctrl+Tab # into the pages, then the next page
  sleep 0.3
}
save_and_start() { # <what>
  local pid
  pid=$(xdotool getwindowpid "$QVS")
  e2e_screenshot "$1" >/dev/null
  xdotool key alt+d
  e2e_until 10 e2e_not e2e_qvs_shown || e2e_fail "the editor is still open after $1"
  e2e_until 5 e2e_not kill -0 "$pid" 2>/dev/null || e2e_fail "the editor runs on after $1"
  e2e_wait_clock
  clock_pid=$(xdotool getwindowpid "$E2E_WINDOW")
  [ "$(readlink "/proc/$clock_pid/cwd")" = "$skin" ] || e2e_fail "the clock works elsewhere after $1"
}
options_say() { # <what> <line>...
  local line
  for line in "${@:2}"; do
    tr -d '\r' <"$skin/options.ini" | grep -qx "$line" ||
      e2e_fail "options.ini lacks $line after $1: $(cat "$skin/options.ini")"
  done
  [ "$(cat "$skin/settings.ini")" = "$settings" ] || e2e_fail "settings.ini changed after $1"
}

e2e_start_clock "$skin"
open_options "the first right-click"
# At a typist's pace: keys sent back to back on an idle machine lost the first characters typed
# after a field was reached by its Alt letter.
xdotool key alt+h # the seconds hand off
xdotool key --delay 80 alt+p ctrl+a
xdotool type --delay 80 "60"
xdotool key --delay 80 Return alt+l End alt+g alt+t ctrl+a
xdotool type --delay 80 "Nowhere at all"
xdotool key Return
sleep 0.3
e2e_screenshot zone-refused >/dev/null
save_and_start "the options set"
options_say "the options set" seconds_hand=off opacity=60 layer=below start_at_login=on time_zone=
entry=$(entry_of) || e2e_fail "no autostart entry in $XDG_CONFIG_HOME/autostart"
grep -qx "Path=$skin" "$entry" || e2e_fail "the entry starts elsewhere: $(cat "$entry")"
grep -qx "Exec=$E2E_DIR/quarvel" "$entry" || e2e_fail "the entry starts another program: $(cat "$entry")"
[ "$(readlink "/proc/$clock_pid/exe")" = "$E2E_DIR/quarvel" ] || e2e_fail "not the clock beside qvedit"
e2e_geometry "$E2E_WINDOW"
E2E_SKIN=$skin e2e_expect_preview_face "$E2E_X" "$E2E_Y" 200 no-seconds-hand
# With a seconds hand the preview draws another face at every one of those seconds.
mv "$skin/options.ini" "$skin/options.keep"
convert "$E2E_ART/no-seconds-hand.png" -crop "200x200+$E2E_X+$E2E_Y" +repage "$E2E_TMP/shown.png"
for ((t = E2E_FIRST; t <= E2E_LAST; t++)); do
  (cd "$skin" && "$QUARVEL_NATIVE_BUILD/bin/quarvel-preview" --time "$(date -d "@$t" +%T)" \
    --png "$E2E_TMP/with-hand.png")
  [ "$(e2e_count_diff "$E2E_TMP/with-hand.png" "$E2E_TMP/shown.png" 0 0 200 200)" -gt 0 ] ||
    e2e_fail "the clock's face is the one with a seconds hand"
done
mv "$skin/options.keep" "$skin/options.ini"

# --- Start at login off: the save removes the entry, and only it. ---
touch "$XDG_CONFIG_HOME/autostart/mail.desktop"
open_options "the second right-click"
xdotool key alt+g
sleep 0.5 # a button pressed by its letter shows itself down for a moment before it switches
xdotool key ctrl+s
e2e_until 10 e2e_not entry_of >/dev/null || e2e_fail "the entry stays after start at login off"
[ -f "$XDG_CONFIG_HOME/autostart/mail.desktop" ] || e2e_fail "another entry went with ours"

# --- Reset to defaults: options.ini says the defaults, the clock's face is today's. ---
xdotool key alt+f
sleep 0.5
save_and_start "Reset to defaults"
options_say "Reset to defaults" seconds_hand=on opacity=100 layer=top-most start_at_login=off
e2e_geometry "$E2E_WINDOW"
E2E_SKIN=$skin e2e_expect_preview_face "$E2E_X" "$E2E_Y" 200 defaults-again
# ... which is the face without any options file.
mv "$skin/options.ini" "$skin/options.keep"
E2E_SKIN=$skin e2e_shows_preview "$E2E_ART/defaults-again.png" "$E2E_X" "$E2E_Y" 200 no-options ||
  e2e_fail "the face after Reset to defaults is not the one without an options file"
e2e_close_request QUARVEL
e2e_until 10 e2e_not kill -0 "$clock_pid" 2>/dev/null || e2e_fail "the clock does not close"
e2e_not grep -q "Sanitizer" "$E2E_TMP/clock.log" ||
  e2e_fail "a sanitizer reported: $(grep -A8 Sanitizer "$E2E_TMP/clock.log")"
e2e_pass
