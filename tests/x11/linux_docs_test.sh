#!/usr/bin/env bash
# What a Linux user reads, as the build would install it (<build>/share): manual pages that
# groff takes without a warning, with the version and every option the program's --help lists;
# and a readme in Linux words, the one the dialog's Readme opens from the config folder.
set -uo pipefail
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
share=${1:?usage: linux_docs_test.sh BUILD-SHARE-FOLDER VERSION QUARVEL QUARVEL-PREVIEW}
version=${2:?}
shift 2

for program in "$@"; do
  name=$(basename "$program")
  page=$share/man/man1/$name.1
  check "$name.1 without warnings" "" "$(groff -man -Tutf8 -wall -z "$page" 2>&1)"
  text=$(MANWIDTH=80 man -l "$page" 2>/dev/null | col -b)
  check "$name.1 carries version $version" "quarvel $version" \
    "$(tail -n 1 <<<"$text" | grep -o "^quarvel $version")"
  for option in $(env -u DISPLAY "$program" --help | grep -o -- '--[a-z]*' | sort -u); do
    grep -q -- "$option" <<<"$text" || check "$name.1 documents $option" yes no
  done
done

readme=$share/quarvel/readme.txt
cmp -s "$readme" "$share/doc/quarvel/readme.txt" || check "one readme in share/quarvel and share/doc" same differ
words=$(tr -s ' \n' '  ' <"$readme") # its sentences on one line
for phrase in "~/.config/quarvel" "~/.config/autostart" "xdg-open" "qvedit" "Save and start clock" \
  "Keys" "right-click"; do
  grep -qiF -- "$phrase" <<<"$words" || check "the Linux readme tells of $phrase" yes no
done
for phrase in Notepad "on the search path" "next to the program"; do
  grep -qiF -- "$phrase" <<<"$words" && check "the Linux readme says nothing of $phrase" no yes
done

checks_done
