#!/usr/bin/env bash
# The Linux programs' command lines, as a terminal user meets them: --help and --version print
# and exit 0 without a display (no DISPLAY at all, so any try to open one fails) and without
# touching the home folder; anything else is refused with exit 2 and the usage on stderr.
set -uo pipefail
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
clock=${1:?usage: command_line_test.sh QUARVEL QUARVEL-PREVIEW VERSION QVEDIT}
preview=${2:?} version=${3:?} editor=${4:?}
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-cli-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/home"
run() { # <program> <argument>...: sets status, out, err
  (cd "$work" && env -u DISPLAY -u XDG_CONFIG_HOME HOME="$work/home" "$@" >out.txt 2>err.txt)
  status=$?
  out=$(cat "$work/out.txt") err=$(cat "$work/err.txt")
}

for program in "$clock" "$preview" "$editor"; do
  name=$(basename "$program")
  for help in --help -h; do
    run "$program" "$help"
    check "$name $help" "0|usage: $name|" "$status|$(head -n 1 <<<"$out" | cut -d ' ' -f 1-2)|$err"
    grep -q -- '--version' <<<"$out" || check "$name $help tells of --version" yes no
  done
  run "$program" --version
  check "$name --version" "0|$name $version|" "$status|$out|$err"
  for bad in --no-such-option -q; do
    run "$program" "$bad"
    check "$name $bad: refused" "2||yes" \
      "$status|$out|$(grep -q "^usage: $name" <<<"$err" && echo yes || echo "$err")"
  done
done

run "$clock" a-file-name
check "quarvel refuses an argument" "2|usage: quarvel [--help | --version]" \
  "$status|$(tail -n 1 <<<"$err")"
# The window system: a value it doesn't know is refused; a Wayland session that can't show the
# clock leaves it to X (here none either); a forced Wayland one says what is missing.
run env QUARVEL_BACKEND=xorg "$clock"
check "QUARVEL_BACKEND=xorg refused" "2|quarvel: QUARVEL_BACKEND is x11 or wayland, not 'xorg'" \
  "$status|$err"
run env XDG_RUNTIME_DIR="$work" WAYLAND_DISPLAY=no-compositor "$clock"
check "no compositor: X is tried" "1|quarvel: can't open the X display \"\"" "$status|$err"
run env XDG_RUNTIME_DIR="$work" WAYLAND_DISPLAY=no-compositor QUARVEL_BACKEND=wayland "$clock"
check "QUARVEL_BACKEND=wayland without a compositor" \
  "1|quarvel: can't connect to the Wayland compositor \"no-compositor\"" "$status|$err"
run "$editor" "$work/no-such-folder"
check "qvedit refuses a folder it can't enter" "66|yes" \
  "$status|$(grep -qF "qvedit: can't open the skin folder '$work/no-such-folder'" <<<"$err" && echo yes || echo "$err")"
run "$editor" one two
check "qvedit takes one folder" "2|usage: qvedit [--help | --version | FOLDER]" \
  "$status|$(tail -n 1 <<<"$err")"
check "nothing written to the home folder" "" "$(ls -A "$work/home")"

checks_done
