#!/usr/bin/env bash
# The greeting comes once: an installed Linux clock tells a first run by the folder it works in
# (skin folder or config folder, a backslash in its path just a character), Windows by the
# settings.ini next to quarvel.exe. On Linux Readme opens the skin's or the installed readme.txt.
source "$(dirname "$0")/lib.sh"
e2e_begin

viewer() { xdotool search --onlyvisible --name "^$(sed 's/[.[\*^$]/\\&/g' <<<"$1") - xdg-open\$"; }

# One start: what comes up first, the dialog or the clock; the dialog's OK (after Readme, when
# given, which must open that file); a close request.
run_once() { # <expected first window> <what> [the readme the viewer is given]
  # shellcheck disable=SC2016  # awk's fields
  e2e_until 15 e2e_shown '$2 == "372x202" || $2 == "200x200"' || { e2e_wait_exit 0 || true
    e2e_fail "$2: neither the dialog nor the clock came up, exit code ${E2E_EXIT:-none}"; }
  FIRST=clock
  ! e2e_quarvel_windows | grep -q "^$E2E_FOUND 372x202\$" || FIRST=dialog
  [ "$FIRST" = "$1" ] || e2e_fail "$2: the $FIRST came up first, expected the $1"
  if [ "$FIRST" = dialog ] && [ -n "${3:-}" ]; then
    e2e_key "$E2E_FOUND" Tab Return # the focus moves on to Readme
    e2e_until 10 viewer "$3" >/dev/null || e2e_fail "$2: Readme opened no viewer for $3;" \
      "QUARVEL windows: $(e2e_quarvel_windows | tr '\n' ' '), log: $(tail -n 3 "$E2E_TMP/clock.log")"
    [ "$(e2e_quarvel_windows | wc -l)" -eq 1 ] || e2e_fail "$2: a message came up:" \
      "$(e2e_list_controls QUARVEL)"
    e2e_close_request QUARVEL # the dialog's close box acts as OK
    e2e_wait_clock
    e2e_close_request "$3 - xdg-open"
  elif [ "$FIRST" = dialog ]; then
    e2e_key "$E2E_FOUND" Return
    e2e_wait_clock
  fi
  e2e_close_clock "$2"
}

mkdir -p "$E2E_TMP/skin"
E2E_DIR=$E2E_TMP/skin e2e_skin

if [ "$E2E_DRIVER" = x11 ]; then
  prefix=$E2E_TMP/prefix
  cmake --install "$QUARVEL_NATIVE_BUILD" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
    e2e_fail "cmake --install failed: $(tail -n 3 "$E2E_TMP/install.log")"
  export XDG_CONFIG_HOME=$E2E_TMP/'a\b'
  mkdir -p "$E2E_TMP/home"
  # A skin folder without a readme, and the home folder, which holds no skin: the config folder,
  # filled with the readme.
  for place in "skin:$E2E_TMP/skin:$prefix/share/doc/quarvel/readme.txt" \
    "home:$E2E_TMP/home:readme.txt"; do
    IFS=: read -r name folder readme <<<"$place"
    files=$folder
    [ "$name" = skin ] || files=$XDG_CONFIG_HOME/quarvel
    e2e_start_installed "$prefix" "$folder"
    run_once dialog "the first start in the $name folder" "$readme"
    [ -f "$files/settings.ini" ] || e2e_fail "no settings.ini in $files after a close"
    e2e_start_installed "$prefix" "$folder"
    run_once clock "the second start in the $name folder"
  done
  [ -z "$(find "$prefix" -name settings.ini)" ] || e2e_fail "a settings.ini went into $prefix"
  [ ! -e "$E2E_TMP/a" ] || e2e_fail "something was made under $E2E_TMP/a"
else
  cp "$QUARVEL_SOURCE_DIR/data/readme.txt" "$E2E_TMP/skin"/
  for start in first second; do
    e2e_start_clock "$E2E_TMP/skin"
    run_once dialog "the $start start of quarvel.exe apart from its skin"
  done
  [ -f "$E2E_TMP/skin/settings.ini" ] && [ ! -e "$E2E_DIR/settings.ini" ] ||
    e2e_fail "settings.ini was not written in the working folder alone"
fi
e2e_pass
