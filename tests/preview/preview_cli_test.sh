#!/usr/bin/env bash
# The preview tool from the outside: exact segments for a known skin, the PNG, the defaults
# taken from settings.ini, a run-time error that prints nothing and writes nothing, and its
# arguments. What each broken skin reports is checked by the unit tests.
set -euo pipefail
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
preview=$(realpath "${1:?usage: preview_cli_test.sh PATH-TO-quarvel-preview}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

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
check "png header" "PNG" "$(head -c 4 face.png | tail -c 3)"
check "png size" "120x90" "$(png_size face.png)"

# A run-time error: status 1, the report on stderr, no segments, no picture.
printf '255\r\n0,0\r\n0,100\r\n\r\n' > tan.sin
set +e; out=$("$preview" --segments --png broken.png 2>err.txt); status=$?; set -e
check "error" "1 quarvel-preview: Run-time error 62: Input past end of file (tan.sin, line 4)" \
  "$status $(cat err.txt)"
check "no segments, no picture" "|no" "$out|$([ -e broken.png ] && echo yes || echo no)"
printf '65280\r\n0,0\r\n0,50\r\n' > tan.sin

# A write that fails (a full disk) is an error and leaves no file, whole or half.
if mkdir -p full && mount -t tmpfs -o size=64k tmpfs full 2>/dev/null; then
  trap 'umount "$work/full"; rm -rf "$work"' EXIT
  dd if=/dev/zero of=full/filler bs=4k 2>/dev/null || true
  set +e; "$preview" --time 10:08:30 --png full/face.png 2>err.txt; status=$?; set -e
  check "full disk" "1 quarvel-preview: Run-time error 61: Disk full (full/face.png)" \
    "$status $(cat err.txt)"
  check "no file on a full disk" "filler" "$(ls full)"
else
  echo "skip full disk: can't mount a small file system here (needs root)"
fi

# The PNG is saved as every file of the clock is (runtime/safe_file, whose cases the unit tests
# check): only a regular file is replaced, and nothing waits on a FIFO.
mkfifo fifo
set +e; timeout 20 "$preview" --time 10:08:30 --png fifo 2>err.txt; status=$?; set -e
check "FIFO refused" "1 quarvel-preview: fifo is not a regular file; not replacing it|fifo" \
  "$status $(cat err.txt)|$(stat -c %F fifo)"

# The longest name the file system takes still works: the temporary name is short.
long=$(printf 'a%.0s' $(seq 251)).png
"$preview" --time 10:08:30 --png "$long" 2>err.txt || true
check "255-byte name" "PNG|" "$(head -c 4 "$long" 2>/dev/null | tail -c 3)|$(cat err.txt)"
check "no temporary file left" "" "$(ls -A | grep -E '^\.qv|\.new$' || true)"

# "-" is standard output; not together with the segments, which go there too.
"$preview" --time 10:08:30 --size 120x90 --png - > stdout.png
check "png on standard output" "PNG 120x90" "$(head -c 4 stdout.png | tail -c 3) $(png_size stdout.png)"
check "no file named -" "no" "$([ -e ./- ] && echo yes || echo no)"
set +e; "$preview" --png - --segments >/dev/null 2>err.txt; status=$?; set -e
check "- with --segments" 2 "$status"

# Bad arguments: status 2 and the usage.
for args in "--time 25:00:00" "--time 1:2:3" "--size 4294967496x200" "--size 16385x10" "--size 0x5"; do
  set +e; "$preview" $args --segments >/dev/null 2>err.txt; status=$?; set -e
  check "bad argument $args" 2 "$status"
done

checks_done
