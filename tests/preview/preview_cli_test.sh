#!/usr/bin/env bash
# The preview tool from the outside: exact segments for a known skin, the PNG, the defaults
# taken from settings.ini, a run-time error that prints nothing and writes nothing, its
# arguments, and the default skin at a scale. What each broken skin reports is checked by the
# unit tests.
set -uo pipefail
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
preview=$(realpath "${1:?usage: preview_cli_test.sh PATH-TO-quarvel-preview DATA-DIR}")
data=$(realpath "${2:?usage: preview_cli_test.sh PATH-TO-quarvel-preview DATA-DIR}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# A stick per hand: from the centre to 30 degrees clockwise of the hand at 100 percent.
printf '255\r\n0,0\r\n30,100\r\n' > tyou.sin
printf '65280\r\n0,0\r\n0,50\r\n' > tan.sin
printf '16711680\r\n0,0\r\n0,100\r\n' > byou.sin

# No bitmap and no settings: the designed 105 px window, pen width 2.
out=$("$preview" --time 00:00:00 --segments)
check "105 px window, centre 52 (ties to even), pen 2" "52 52 52 36 65280 2" "$(echo "$out" | sed -n 1p)"

# 201 x 201: centre (100, 100), radius 80; minute 0 + 30 degrees lands on (140, 31).
out=$("$preview" --time 00:00:15 --size 201x201 --segments)
check "hour, minute at direction 30, second at 15" \
  "100 100 100 60 65280 2|100 100 140 31 255 2|100 100 180 100 16711680 2" \
  "$(echo "$out" | paste -sd'|')"

# settings.ini gives the pen width (line 4) and the bitmap (line 3).
printf '0,0\r\n 0 \r\nnone.bmp\r\n 5 \r\n' > settings.ini
out=$("$preview" --time 00:00:15 --size 201x201 --segments)
check "pen width from settings" "100 100 180 100 16711680 5" "$(echo "$out" | sed -n 3p)"
rm settings.ini

# The PNG is written, with the picture's size.
"$preview" --time 10:08:30 --size 120x90 --png face.png
check "png header and size" "PNG 120x90" "$(head -c 4 face.png | tail -c 3) $(png_size face.png)"

# A run-time error: status 1, the report on stderr, no segments, no picture.
printf '255\r\n0,0\r\n0,100\r\n\r\n' > tan.sin
out=$("$preview" --segments --png broken.png 2>err.txt)
check "error" "1 quarvel-preview: Run-time error 62: Input past end of file (tan.sin, line 4)" \
  "$? $(cat err.txt)"
check "no segments, no picture" "|no" "$out|$([ -e broken.png ] && echo yes || echo no)"
printf '65280\r\n0,0\r\n0,50\r\n' > tan.sin

# A write that fails (a full disk) is an error and leaves no file, whole or half.
if mkdir -p full && mount -t tmpfs -o size=64k tmpfs full 2>/dev/null; then
  trap 'umount "$work/full"; rm -rf "$work"' EXIT
  dd if=/dev/zero of=full/filler bs=4k 2>/dev/null
  "$preview" --time 10:08:30 --png full/face.png 2>err.txt
  check "full disk" "1 quarvel-preview: Run-time error 61: Disk full (full/face.png)" \
    "$? $(cat err.txt)"
  check "no file on a full disk" "filler" "$(ls full)"
else
  echo "skip full disk: can't mount a small file system here (needs root)"
fi

# The PNG is saved as every file of the clock is (runtime/safe_file, whose cases the unit tests
# check): only a regular file is replaced, and nothing waits on a FIFO.
mkfifo fifo
timeout 20 "$preview" --time 10:08:30 --png fifo 2>err.txt
check "FIFO refused" "1 quarvel-preview: fifo is not a regular file; not replacing it|fifo" \
  "$? $(cat err.txt)|$(stat -c %F fifo)"

# The longest name the file system takes still works: the temporary name is short.
long=$(printf 'a%.0s' $(seq 251)).png
"$preview" --time 10:08:30 --png "$long" 2>err.txt
check "255-byte name" "PNG|" "$(head -c 4 "$long" 2>/dev/null | tail -c 3)|$(cat err.txt)"
check "no temporary file left" "" "$(ls -A | grep -E '^\.qv|\.new$')"

# "-" is standard output; not together with the segments, which go there too.
"$preview" --time 10:08:30 --size 120x90 --png - > stdout.png
check "png on standard output" "PNG 120x90" "$(head -c 4 stdout.png | tail -c 3) $(png_size stdout.png)"
check "no file named -" "no" "$([ -e ./- ] && echo yes || echo no)"
"$preview" --png - --segments >/dev/null 2>err.txt
check "- with --segments" 2 "$?"

# Standard output closed or full: what should go there is lost, which is a failure, said so.
for what in "--png -" --segments; do
  "$preview" --time 10:08:30 $what >&- 2>err.txt
  check "$what, standard output closed" \
    "1 quarvel-preview: standard output is closed; nothing written" "$? $(cat err.txt)"
  "$preview" --time 10:08:30 $what >/dev/full 2>err.txt
  check "$what, standard output full" 1 "$?"
done

# Bad arguments: status 2 and the usage.
for args in "--time 25:00:00" "--time 1:2:3" "--size 4294967496x200" "--size 16385x10" "--size 0x5"; do
  "$preview" $args --segments >/dev/null 2>err.txt
  check "bad argument $args" 2 "$?"
done

# The default skin at a scale. At 1 (given or not) it draws exactly as it did before the clock
# had scales: the PNGs of 48 times through the day, hashed, against their hash from then.
rm -f settings.ini
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

# At 2 and 1.5 the picture is the scaled size and the hands reach twice as far.
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
  "$preview" --scale "$bad" --segments > /dev/null 2>err.txt
  check "--scale '$bad' refused" "2 quarvel-preview: --scale wants a number from 0.5 to 4, such as 1.5 or 2" \
    "$? $(head -1 err.txt)"
done

checks_done
