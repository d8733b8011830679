#!/usr/bin/env bash
# Our answers against Windows' own, under Wine (no X display needed): DecodeBmp against
# LoadImage file by file (bmp/: bmp_variants, bmp_dump.exe), EllipseRegionRows against
# CreateEllipticRgn for every diameter from 1 to 600 pixels (region/: region_rows, region_dump.exe).
#   wine_compare.sh bmp|region <ours> <dump.exe> <Wine prefix, made on first use> [--refresh]
# --refresh also rewrites the folder's hashes of Windows' answers (windows_pixels.sha256,
# windows_rows.sha256), which the fast tests and the end-to-end window shape check without Wine.
set -euo pipefail
kind=$1 ours=$(realpath "$2") dump=$(realpath "$3") here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-$kind.XXXXXX")
trap 'rm -rf "$work"' EXIT
# shellcheck source=support/headless_wine.sh
source "$here/support/headless_wine.sh"
headless_wine "$(realpath -m "$4")" "$work"
cd "$work"
failed() { echo "$(basename "$dump") failed: $(tail -n 5 wine.log)" >&2; exit 1; }
if [ "$kind" = bmp ]; then
  "$ours" write .
  wine "$dump" *.bmp 2>wine.log | tr -d '\r' >dump.txt || failed
  "$ours" expect dump.txt >windows.txt # a twin's line for a file Wine misreads
  "$ours" decode >ours.txt
  hashes=$here/bmp/windows_pixels.sha256
else
  wine "$dump" 1 600 2>wine.log | tr -d '\r' | awk -f "$here/region/as_rows.awk" >windows.txt ||
    failed
  "$ours" 1 600 >ours.txt
  hashes=$here/region/windows_rows.sha256
fi
wineserver -w
if [ "${5:-}" = --refresh ]; then
  "$here/support/line_hashes.sh" <windows.txt >"$hashes"
  echo "wrote $hashes"
fi
diff windows.txt ours.txt >diff.txt ||
  { echo "ours differ from Windows' (< Windows, > ours):" >&2; head -n 20 diff.txt >&2; exit 1; }
echo "$(wc -l <ours.txt) answers, each as Windows gives it"
