#!/usr/bin/env bash
# EllipseRegionRows against Windows' own elliptic regions (CreateEllipticRgn under Wine), for
# every diameter from 1 to 600 pixels:
#   wine_compare.sh <region_rows> <region_dump.exe> <Wine prefix, made on first use>
set -euo pipefail
rows=$(realpath "$1") dump=$(realpath "$2")
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-region.XXXXXX")
trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/headless_wine.sh
source "$(dirname "$0")/../support/headless_wine.sh"
headless_wine "$3" "$work"
wine "$dump" 1 600 2>"$work/wine.log" | tr -d '\r' >"$work/windows.txt" ||
  { echo "region_dump.exe failed: $(tail -n 5 "$work/wine.log")" >&2; exit 1; }
wineserver -w
"$rows" 1 600 >"$work/rows.txt"
diff "$work/windows.txt" "$work/rows.txt" >"$work/diff.txt" ||
  { echo "rows differ from Windows' region (< Windows, > ours):" >&2; head -n 20 "$work/diff.txt" >&2
    exit 1; }
echo "600 diameters: the same rows as Windows' region"
