#!/usr/bin/env bash
# The skin editor on a laptop's screen, 1280x720 (E2E_SCREEN gives another), at LogPixels 144
# and 192: the window inside the work area, and every control (the Save buttons and the status
# line among them) inside it and shown whole, at once or once the panel is scrolled, as a person
# scrolls it: a click on its scroll bar's down arrow, then `winprobe fit` again; and Shift+Tab
# up from its end brings each control it reaches into view, and the wheel scrolls the panel.
: "${E2E_SCREEN:=1280x720x24}"
source "$(dirname "$0")/lib.sh"
e2e_begin

fit_report() { wine "$E2E_WINPROBE" fit qvs 2>>"$E2E_TMP/winprobe.log" 9>&- || true; }
ids() { sed -nE "s/^($1) id=([0-9]+) .*/\2/p" | sort -u; }
places() { sed -nE 's/^(fits|cut) (id=[0-9]+) .* (rect=[-0-9,]+).*/\2 \3/p'; }

# Sets REPORT to winprobe fit's, once the places differ from <previous places> (within 5 s);
# returns 1 if they stayed.
report_moved() { # <previous places>
  local deadline=$((SECONDS + 5))
  while REPORT=$(fit_report) && [ "$(places <<<"$REPORT")" = "$1" ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

every_control_reachable() { # <what>
  local all="" shown="" missing clicks=0 bar x y w h
  REPORT=$(fit_report)
  while :; do
    printf '%s\n' "$REPORT" >>"$E2E_ART/fit.txt"
    grep -qx 'window inside the work area' <<<"$REPORT" ||
      e2e_fail "$1: the window is not inside the work area:"$'\n'"$REPORT"
    all=$(sort -u <(printf '%s\n' "$all") <(ids 'fits|cut' <<<"$REPORT") | sed '/^$/d')
    shown=$(sort -u <(printf '%s\n' "$shown") <(ids fits <<<"$REPORT") | sed '/^$/d')
    missing=$(comm -23 <(printf '%s\n' "$all") <(printf '%s\n' "$shown"))
    [ -n "$missing" ] || break
    bar=$(sed -nE 's/^fits id=[0-9]+ class="ScrollBar" .* rect=([-0-9,]+)$/\1/p' <<<"$REPORT")
    [ -n "$bar" ] || e2e_fail "$1: no scroll bar, and controls $(tr '\n' ' ' <<<"$missing")are" \
      "not shown whole:"$'\n'"$(grep -v '^fits' <<<"$REPORT")"
    [ "$clicks" -lt 60 ] || e2e_fail "$1: 60 clicks did not scroll to the end"
    IFS=, read -r x y w h <<<"$bar"
    xdotool mousemove $((x + w / 2)) $((y + h - w / 2)) click 1
    clicks=$((clicks + 1))
    report_moved "$(places <<<"$REPORT")" ||
      e2e_fail "$1: at the end of the panel, after $clicks clicks, controls" \
        "$(tr '\n' ' ' <<<"$missing")were never shown whole:"$'\n'"$(grep -v '^fits' <<<"$REPORT")"
  done
  e2e_log "$1: all $(wc -l <<<"$all") controls shown whole, $clicks clicks on the scroll bar"
}

# From the Time field at the panel's end, Shift+Tab walks up the panel: each control it reaches
# is shown whole, until it reaches a button that was out of sight when it started. Then the wheel.
tab_shows_the_focus() { # <what>
  local rect x y w h i focus hidden
  rect=$(sed -nE 's/^fits id=121 .* rect=([-0-9,]+)$/\1/p' <<<"$REPORT")
  [ -n "$rect" ] || e2e_fail "$1: the Time field is not shown at the end of the panel"
  hidden=$(ids cut <<<"$REPORT")
  IFS=, read -r x y w h <<<"$rect"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  for ((i = 1; i <= 30; i++)); do
    xdotool sleep 0.2 key --clearmodifiers shift+Tab sleep 0.2
    REPORT=$(fit_report)
    focus=$(sed -nE 's/^focus id=([0-9]+)$/\1/p' <<<"$REPORT")
    grep -q "^fits id=${focus:-none} " <<<"$REPORT" || e2e_fail "$1: after $i Shift+Tab the" \
      "focus is on id=${focus:-none}, not shown whole:"$'\n'"$(grep -v '^fits' <<<"$REPORT")"
    # A button: over a field or the point list the wheel is theirs.
    grep -qx "$focus" <<<"$hidden" && grep -q "^fits id=$focus class=\"Button\" " <<<"$REPORT" && break
  done
  grep -qx "$focus" <<<"$hidden" ||
    e2e_fail "$1: 30 Shift+Tab from the Time field reached no button out of sight at the start"
  e2e_log "$1: Shift+Tab scrolled up to id=$focus"
  # The wheel over that control (over the point list it would scroll the list).
  IFS=, read -r x y w h < <(sed -nE "s/^fits id=$focus .* rect=([-0-9,]+)\$/\1/p" <<<"$REPORT")
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) sleep 0.2 click 5
  report_moved "$(places <<<"$REPORT")" || e2e_fail "$1: the mouse wheel did not scroll the panel"
}

e2e_skin 300 200
for dpi in 144 192; do
  e2e_screen_dpi "$dpi"
  e2e_start_editor
  e2e_screenshot "editor-$dpi" >/dev/null
  every_control_reachable "LogPixels $dpi on ${E2E_SCREEN%x*}"
  e2e_screenshot "editor-$dpi-scrolled" >/dev/null
  tab_shows_the_focus "LogPixels $dpi on ${E2E_SCREEN%x*}"
  e2e_close_editor "a close request at LogPixels $dpi"
done
e2e_pass
