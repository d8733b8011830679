#!/usr/bin/env bash
# A first run under a Wayland desktop greets as on X11: the dialog (372x202) shows, drawn with
# its banner and its texts, takes Return through a click on it, and the clock follows.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin

e2e_skin # no settings.ini: a first run
e2e_start_clock
e2e_wait_quarvel 372x202 "first-run dialog"
DIALOG=$E2E_FOUND
e2e_geometry "$DIALOG"
shot=$(e2e_screenshot dialog)
# Readable: the dialog's face is not one colour, and dark text stands on its light ground.
dark=$(convert "$shot" -crop "${E2E_W}x$E2E_H+$E2E_X+$E2E_Y" +repage -colorspace gray \
  -threshold 35% -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$dark" -ge 300 ] || e2e_fail "the dialog shows $dark dark pixels: no text on it ($shot)"
e2e_log "the dialog at $E2E_X,$E2E_Y shows $dark dark pixels"
e2e_key "$DIALOG" Return
e2e_wait_clock
e2e_stop_clock
e2e_pass
