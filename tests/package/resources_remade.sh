#!/bin/bash
# The banners (1x, 1.5x and 2x) and the Windows icon in src/core/infodialog/resources are what tools/make-banner.sh makes
# from data/icons/quarvel.svg, byte for byte: the committed pictures have a source.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$root/tools/make-banner.sh" "$out" >/dev/null
for file in banner.bmp banner@1.5x.bmp banner@2x.bmp quarvel.ico; do
  cmp "$out/$file" "$root/src/core/infodialog/resources/$file" ||
    { echo "$file differs from what tools/make-banner.sh makes: run it and commit"; exit 1; }
done
echo "the banners and quarvel.ico are the script's"
