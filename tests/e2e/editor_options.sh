#!/usr/bin/env bash
# The clock's options set in the Windows editor as a person sets them: the seconds hand off, the
# date, locked, opacity 60, below the windows, all workspaces, the chime and start at login on,
# "Save and start clock": options.ini holds them beside an untouched settings.ini, a shortcut in the user's Startup folder starts quarvel.exe in the skin
# folder (beside a file of that name that is not ours), and the clock shows the preview's face
# for those options: no seconds hand, the date's window.
# Opened again the page shows them; a refused opacity is told and undone; start at login off
# removes that shortcut alone; Reset to defaults shows and saves the defaults.
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_require_tools unzip python3

# Ids of the editor's controls (src/apps/qvedit-win32/control_ids.h).
SAVE=127 SAVE_AND_START=128 STATUS=129
SECONDS_HAND=140 DATE=141 LOCKED=142 OPACITY=146 LAYER=149 ALL_WORKSPACES=150 START_AT_LOGIN=151
HOURLY_CHIME=152 RESET_OPTIONS=153

"$QUARVEL_SOURCE_DIR/scripts/make-dist.sh" "$QUARVEL_WINDOWS_BUILD" "$E2E_TMP/quarvel.zip" >/dev/null
unzip -q "$E2E_TMP/quarvel.zip" -d "$E2E_TMP/unzipped"
mv "$E2E_TMP"/unzipped/quarvel/* "$E2E_DIR"/
e2e_settings 300 200 >"$E2E_DIR/settings.ini"
cp "$E2E_DIR/settings.ini" "$E2E_TMP/settings.before"

# The prefix's user's Startup folder, as Wine spells it ("StartUp").
STARTUP=$(find "$WINEPREFIX/drive_c/users" -ipath '*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Startup' \
  -not -path '*/Public/*' -type d | head -n 1)
[ -n "$STARTUP" ] || e2e_fail "no Startup folder in the prefix"
SKIN_WIN=$(wine winepath -w "$E2E_DIR" 2>/dev/null 9>&- | tr -d '\r')
NAME=$(basename "$E2E_DIR")
rm -f "$STARTUP/QUARVEL - $NAME"*.lnk # what an earlier run in this prefix left
# Somebody else's file under the name the shortcut would take: kept, and not replaced.
echo "not a shortcut" >"$STARTUP/QUARVEL - $NAME.lnk"
cp "$STARTUP/QUARVEL - $NAME.lnk" "$E2E_TMP/foreign.lnk"

option() { tr -d '\r' <"$E2E_DIR/options.ini" | sed -n "s/^$1=//p"; }
expect_options() { # <key=value>...
  local pair
  for pair in "$@"; do
    [ "$(option "${pair%%=*}")" = "${pair#*=}" ] ||
      e2e_fail "options.ini has ${pair%%=*}='$(option "${pair%%=*}")', expected '${pair#*=}':"$'\n'"$(cat "$E2E_DIR/options.ini")"
  done
}
ours() { ls "$STARTUP"/*.lnk 2>/dev/null | grep -vxF "$STARTUP/QUARVEL - $NAME.lnk"; }
lower() { tr '[:upper:]' '[:lower:]'; }
field_is() { [ "$(e2e_control_text "$1")" = "$2" ]; }
expect_field() { # <id> <text> <after what>
  e2e_until 5 field_is "$1" "$2" || e2e_fail "after $3 the field $1 shows '$(e2e_control_text "$1")', expected '$2'"
}

# --- Every switch of the page, opacity 60, below the windows; Save and start clock. ---
e2e_start_editor 30
e2e_screenshot options-opened >/dev/null
for box in $SECONDS_HAND $DATE $LOCKED $ALL_WORKSPACES $START_AT_LOGIN $HOURLY_CHIME; do
  e2e_click_control qvs $box
done
e2e_click_control qvs $OPACITY
e2e_type_over 60
xdotool key Tab
e2e_click_control qvs $LAYER # the list drops down; its last line is "Below other windows"
xdotool key End Return
sleep 0.3
e2e_screenshot options-set >/dev/null
e2e_click_control qvs $SAVE_AND_START
e2e_until 10 e2e_not e2e_qvs_shown || e2e_fail "the editor is still open after Save and start clock"
e2e_wait_clock
expect_options seconds_hand=off date=on locked=on opacity=60 layer=below all_workspaces=on \
  start_at_login=on hourly_chime=on
cmp -s "$E2E_TMP/settings.before" "$E2E_DIR/settings.ini" || e2e_fail "settings.ini changed:"$'\n'"$(cat "$E2E_DIR/settings.ini")"
cmp -s "$E2E_TMP/foreign.lnk" "$STARTUP/QUARVEL - $NAME.lnk" || e2e_fail "the file already in the Startup folder was replaced"

# The shortcut: its own name, quarvel.exe beside the editor, starting in the skin folder.
LINK=$(ours)
[ "$(wc -l <<<"$LINK")" = 1 ] && [ -n "$LINK" ] || e2e_fail "not one new shortcut in $STARTUP:"$'\n'"$(ls "$STARTUP")"
e2e_log "shortcut: $(basename "$LINK")"
[ "$(basename "$LINK")" = "QUARVEL - $NAME (2).lnk" ] || e2e_fail "the shortcut is named '$(basename "$LINK")'"
cp "$LINK" "$E2E_ART/shortcut.lnk"
python3 "$QUARVEL_SOURCE_DIR/tests/e2e/lnk_fields.py" "$LINK" >"$E2E_ART/shortcut.txt" ||
  e2e_fail "the shortcut can't be read (shortcut.lnk)"
field() { sed -n "s/^$1=//p" "$E2E_ART/shortcut.txt" | lower; }
[ "$(field target)" = "$(lower <<<"$SKIN_WIN\\quarvel.exe")" ] ||
  e2e_fail "the shortcut points at '$(field target)', not $SKIN_WIN\\quarvel.exe"
[ "$(field working_dir)" = "$(lower <<<"$SKIN_WIN")" ] ||
  e2e_fail "the shortcut starts in '$(field working_dir)', not $SKIN_WIN"
[ "$(field description)" = "$(lower <<<"QUARVEL clock on $SKIN_WIN")" ] ||
  e2e_fail "the shortcut is not marked as the clock's: '$(field description)'"

# The clock as the preview draws these files: no seconds hand, the date's window.
e2e_geometry "$E2E_WINDOW"
E2E_PREVIEW="wine $E2E_DIR/quarvel-preview.exe" e2e_expect_preview_face "$E2E_X" "$E2E_Y" 200 clock-as-set

# --- Opened again: the page shows the options; a refused opacity is told and undone. ---
e2e_driver_reset # the clock
e2e_start_editor 30
expect_field $OPACITY 60 "opening"
e2e_click_control qvs $OPACITY
e2e_type_over 10
xdotool key Tab
status() { e2e_window_controls qvs | grep " id=$STATUS\$"; }
e2e_until 5 eval 'status | grep -qF "opacity can'"'"'t be \\\"10\\\""' ||
  e2e_fail "a refused opacity is not told: $(status)"
expect_field $OPACITY 60 "a refused opacity"

# --- Start at login off: that shortcut goes, the other file stays. ---
e2e_click_control qvs $START_AT_LOGIN
e2e_click_control qvs $SAVE
e2e_until 10 eval '[ -z "$(ours)" ]' || e2e_fail "the shortcut is still there after start at login off:"$'\n'"$(ls "$STARTUP")"
cmp -s "$E2E_TMP/foreign.lnk" "$STARTUP/QUARVEL - $NAME.lnk" || e2e_fail "start at login off touched another file"
e2e_until 5 eval '[ "$(option start_at_login)" = off ]' || e2e_fail "start_at_login is '$(option start_at_login)' after the save"

# --- Reset to defaults: shown at once, and saved. ---
e2e_click_control qvs $RESET_OPTIONS
expect_field $OPACITY 100 "Reset to defaults"
e2e_screenshot options-reset >/dev/null
e2e_click_control qvs $SAVE
e2e_until 5 eval '[ "$(option opacity)" = 100 ]' || e2e_fail "opacity is '$(option opacity)' after reset and save"
expect_options seconds_hand=on date=off locked=off opacity=100 layer=top-most all_workspaces=off \
  start_at_login=off hourly_chime=off
cmp -s "$E2E_TMP/settings.before" "$E2E_DIR/settings.ini" || e2e_fail "settings.ini changed by the options' saves"
e2e_close_editor
e2e_pass
