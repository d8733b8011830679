#!/usr/bin/env bash
# A compositor that places new windows its own way (sway centres them): the clock asked for
# settings.ini's 300,200 and was shown elsewhere; closed with C without the pointer ever
# crossing it, settings.ini holds the place sway showed, and the clock started again opens there.
# shellcheck source=SCRIPTDIR/../lib.sh
source "$(dirname "$0")/../lib.sh"
e2e_begin

# In the normal layer: the pointer Xwayland last saw (the screen's middle in a new session) must
# not hide the clock here.
e2e_skin 300 200 -1
e2e_show_clock
e2e_geometry "$E2E_WINDOW"
shown="$E2E_X,$E2E_Y"
e2e_log "sway shows the clock at $shown (settings.ini: 300,200)"
[ "$shown" != 300,200 ] || e2e_log "sway honoured the place: nothing to follow"
# The keys without a click: sway gives a new window the focus.
e2e_until 5 e2e_has_focus "$E2E_WINDOW" || e2e_fail "sway did not focus the new clock: $(e2e_wl_windows)"
e2e_wl_as wtype -s "$E2E_WL_KEYMAP_PAUSE_MS" c 2>>"$E2E_TMP/wtype.log" || e2e_fail "wtype c failed"
e2e_expect_exit 0 "C"
saved=$(head -n 1 "$E2E_DIR/settings.ini" | tr -d '\r')
[ "$saved" = "$shown" ] || e2e_fail "settings.ini holds $saved, sway showed the clock at $shown"

e2e_show_clock
e2e_wait_place "$E2E_WINDOW" "$shown mapped" 5 "a start at the place saved"
e2e_stop_clock
e2e_pass
