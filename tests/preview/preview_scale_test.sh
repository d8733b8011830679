#!/usr/bin/env bash
# The preview at a scale. At 1 (given or not) the default skin draws exactly as it did before
# the clock had scales: the PNGs of 48 times through the day, hashed, against their hash from
# then. At 2 and 1.5 the picture is the scaled size and the hands reach twice as far.
set -euo pipefail
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
preview=$(realpath "${1:?usage: preview_scale_test.sh PATH-TO-quarvel-preview DATA-DIR}")
data=$(realpath "${2:?usage: preview_scale_test.sh PATH-TO-quarvel-preview DATA-DIR}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$data"/tyou.sin "$data"/tan.sin "$data"/byou.sin "$data"/qv.bmp .

day_hash() {  # day_hash [ARGS...]: the hash of the 48 PNGs' hashes
  local i s
  for i in $(seq 0 47); do
    s=$(((i * 1807) % 86400))
    "$preview" "$@" --time "$(printf '%02d:%02d:%02d' $((s / 3600)) $((s % 3600 / 60)) $((s % 60)))" \
      --png - | sha256sum | cut -c1-64
  done | sha256sum | cut -c1-64
}
before=89acea17c137886217a4b0b8b0105d8a42e374052f79d76dc17e017f11c0515c
check "1x as before scales, 48 times" "$before" "$(day_hash)"
check "--scale 1 the same" "$before" "$(day_hash --scale 1)"

for scale in 2:400x400 1.5:300x300 0.5:100x100; do
  "$preview" --scale "${scale%%:*}" --time 10:08:30 --png face.png
  check "--scale ${scale%%:*} size" "${scale#*:}" "$(png_size face.png)"
done

# The second hand of the default skin at 2x: twice as long, within a pixel, pen 4.
small=$("$preview" --time 00:00:15 --segments | tail -1)
large=$("$preview" --scale 2 --time 00:00:15 --segments | tail -1)
check "second hand at 2x" "ok" "$(python3 -c '
import sys
a = [int(v) for v in sys.argv[1].split()]; b = [int(v) for v in sys.argv[2].split()]
near = all(abs(b[i] - 2 * a[i]) <= 1 for i in range(4))
print("ok" if near and b[4] == a[4] and b[5] == 2 * a[5] else "%s / %s" % (sys.argv[1], sys.argv[2]))
' "$small" "$large")"

for bad in 0 5 -1 2x "" 1e0; do
  set +e; "$preview" --scale "$bad" --segments > /dev/null 2>err.txt; status=$?; set -e
  check "--scale '$bad' refused" "2 quarvel-preview: --scale wants a number from 0.5 to 4, such as 1.5 or 2" \
    "$status $(head -1 err.txt)"
done

checks_done
