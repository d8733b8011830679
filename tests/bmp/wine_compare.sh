#!/usr/bin/env bash
# DecodeBmp against Windows' own bitmap decoder (LoadImage under Wine), file by file:
#   wine_compare.sh <bmp_variants> <bmp_dump.exe> <Wine prefix, made on first use> [--refresh]
# --refresh also rewrites windows_pixels.sha256, the answers the fast test (bmp_windows_pixels)
# checks DecodeBmp against without Wine, from Windows' pixels.
# Loading and reading back a bitmap needs no X display under Wine, so no Xvfb here.
set -euo pipefail
variants=$(realpath "$1") dump=$(realpath "$2") here=$(dirname "$0")
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-bmp.XXXXXX")
trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/headless_wine.sh
source "$here/../support/headless_wine.sh"
headless_wine "$(realpath -m "$3")" "$work"
"$variants" write "$work"
(cd "$work" && wine "$dump" *.bmp 2>wine.log | tr -d "\r" >dump.txt) ||
  { echo "bmp_dump.exe failed: $(tail -n 5 "$work/wine.log")" >&2; exit 1; }
wineserver -w
if [ "${4:-}" = --refresh ]; then
  "$variants" expect "$work/dump.txt" | "$here/../support/line_hashes.sh" \
    >"$here/windows_pixels.sha256"
  echo "wrote $here/windows_pixels.sha256"
fi
"$variants" check "$work/dump.txt"
