#!/usr/bin/env bash
# The first-run dialog's Readme in a skin folder that has no readme.txt: an installed clock
# opens the readme installed with it (<prefix>/share/doc/quarvel/readme.txt) and the dialog
# stays; a skin folder's own readme.txt still comes first.
source "$(dirname "$0")/lib.sh"
e2e_only x11 "the Linux clock's installed readme (Windows keeps it next to the program)" || exit 0
e2e_begin
prefix=$E2E_TMP/prefix
skin=$E2E_TMP/skin
mkdir -p "$prefix/bin" "$prefix/share/doc/quarvel" "$skin"
cp "$QUARVEL_X11_EXE" "$prefix/bin/quarvel"
cp "$QUARVEL_NATIVE_BUILD/share/doc/quarvel/readme.txt" "$prefix/share/doc/quarvel/readme.txt"
cp "$QUARVEL_SOURCE_DIR"/data/{qv.bmp,tyou.sin,tan.sin,byou.sin} "$skin"/

start_in_skin() { # <what>
  e2e_log "starting the installed quarvel in the skin folder ($1)"
  (cd "$skin" && exec env PATH="$E2E_TMP/bin:$PATH" "$prefix/bin/quarvel") \
    >>"$E2E_TMP/clock.log" 2>&1 </dev/null &
  E2E_CLOCK_PID=$! E2E_EXIT=""
}
viewer() { xdotool search --onlyvisible --name "^$(sed 's/[.[\*^$]/\\&/g' <<<"$1") - xdg-open\$"; }
readme_opens() { # <path the viewer is given> <what>
  e2e_wait_quarvel 372x202 "first-run dialog ($2)"
  e2e_key "$E2E_FOUND" Tab Return # the focus moves on to Readme
  e2e_until 10 viewer "$1" >/dev/null || e2e_fail "$2: Readme opened no viewer for $1;" \
    "QUARVEL windows: $(e2e_quarvel_windows | tr '\n' ' '), log: $(tail -n 3 "$E2E_TMP/clock.log")"
  [ "$(e2e_quarvel_windows | wc -l)" -eq 1 ] || e2e_fail "$2: a message came up:" \
    "$(e2e_list_controls QUARVEL)"
  e2e_screenshot "readme-$3" >/dev/null
  e2e_close_request QUARVEL # the dialog's close box acts as OK
  e2e_wait_clock
  e2e_close_request "$1 - xdg-open"
  e2e_close_request QUARVEL
  e2e_expect_exit 0 "$2: a close request"
  rm -f "$skin/settings.ini"
}

start_in_skin "no readme.txt in it"
readme_opens "$prefix/share/doc/quarvel/readme.txt" "a skin folder without a readme" installed
printf 'The skin'"'"'s own notes.\n' >"$skin/readme.txt"
start_in_skin "its own readme.txt"
readme_opens readme.txt "a skin folder with its own readme" own
e2e_pass
