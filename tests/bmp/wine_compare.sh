#!/usr/bin/env bash
# DecodeBmp against Windows' own bitmap decoder (LoadImage under Wine), file by file:
#   wine_compare.sh <bmp_variants> <bmp_dump.exe> <Wine prefix, made on first use>
# Loading and reading back a bitmap needs no X display under Wine, so no Xvfb here.
set -euo pipefail
variants=$(realpath "$1") dump=$(realpath "$2")
export WINEPREFIX=$3 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-bmp.XXXXXX")
trap 'rm -rf "$work"' EXIT

if [ ! -f "$WINEPREFIX/.quarvel-prefix-ready" ]; then
  wineboot -i >"$work/wineboot.log" 2>&1 && wineserver -w ||
    { tail -n 5 "$work/wineboot.log" >&2; exit 1; }
  touch "$WINEPREFIX/.quarvel-prefix-ready"
fi
"$variants" write "$work"
(cd "$work" && wine "$dump" *.bmp 2>wine.log | tr -d "\r" >dump.txt) ||
  { echo "bmp_dump.exe failed: $(tail -n 5 "$work/wine.log")" >&2; exit 1; }
wineserver -w
"$variants" check "$work/dump.txt"
