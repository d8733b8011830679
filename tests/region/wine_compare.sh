#!/usr/bin/env bash
# EllipseRegionRows against Windows' own elliptic regions (CreateEllipticRgn under Wine), for
# every diameter from 1 to 600 pixels:
#   wine_compare.sh <region_rows> <region_dump.exe> <Wine prefix, made on first use> [--refresh]
# --refresh also rewrites windows_rows.sha256, the answers the fast test (region_windows_rows)
# and the window's shape in the end-to-end test are checked against, from Windows' rows.
set -euo pipefail
rows=$(realpath "$1") dump=$(realpath "$2") here=$(dirname "$0")
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-region.XXXXXX")
trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/headless_wine.sh
source "$here/../support/headless_wine.sh"
headless_wine "$(realpath -m "$3")" "$work"
wine "$dump" 1 600 2>"$work/wine.log" | tr -d '\r' | awk -f "$here/as_rows.awk" >"$work/windows.txt" ||
  { echo "region_dump.exe failed: $(tail -n 5 "$work/wine.log")" >&2; exit 1; }
wineserver -w
if [ "${4:-}" = --refresh ]; then
  "$here/../support/line_hashes.sh" <"$work/windows.txt" >"$here/windows_rows.sha256"
  echo "wrote $here/windows_rows.sha256"
fi
"$rows" 1 600 >"$work/rows.txt"
diff "$work/windows.txt" "$work/rows.txt" >"$work/diff.txt" ||
  { echo "rows differ from Windows' region (< Windows, > ours):" >&2; head -n 20 "$work/diff.txt" >&2
    exit 1; }
echo "600 diameters: the same rows as Windows' region"
