#!/usr/bin/env bash
# The preview tool from the outside: exact segments for a known skin, the PNG, the defaults
# taken from settings.ini, a run-time error that prints nothing and writes nothing, and its
# arguments. What each broken skin reports is checked by the unit tests.
set -euo pipefail
preview=$(realpath "${1:?usage: preview_cli_test.sh PATH-TO-quarvel-preview}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
passes=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then echo "ok   $1"; passes=$((passes + 1)); else
    echo "FAIL $1"; echo "  expected: $2"; echo "  actual:   $3"; failures=$((failures + 1)); fi
}

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
png_size() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$1"; }
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

# Only a regular file is replaced. Each refusal is status 1 with a message, and the thing keeps
# its kind; nothing waits on a FIFO.
type_of() { stat -c %F "$1"; }
refused() {  # refused NAME PATH
  local kind; kind=$(type_of "$2")
  set +e; timeout 20 "$preview" --time 10:08:30 --png "$2" 2>err.txt; status=$?; set -e
  check "$1 refused" "1 quarvel-preview: $2 is not a regular file; not replacing it" \
    "$status $(cat err.txt)"
  check "$1 kept" "$kind" "$(type_of "$2")"
}
if mknod null c 1 3 2>/dev/null; then
  refused "device node" null
else
  echo "skip device node: can't make one here (needs root)"
fi
mkfifo fifo
refused "FIFO" fifo
mkdir folder.png
refused "folder" folder.png
ln -s /dev/null devlink
refused "link to a device" devlink

# A link is written through to the file it ends at and stays a link, also a link to a file that
# is not there yet.
mkdir -p real && echo old > real/face.png && ln -s real/face.png linked.png
"$preview" --time 10:08:30 --png linked.png
check "link stays a link" "real/face.png" "$(readlink linked.png)"
check "its target takes the PNG" "PNG" "$(head -c 4 real/face.png | tail -c 3)"
ln -s real/new.png dangling.png
"$preview" --time 10:08:30 --png dangling.png
check "a dangling link's target is made" "PNG" "$(head -c 4 real/new.png | tail -c 3)"

# Whatever lies at the old temporary name, link or file, is left alone.
echo precious > victim.txt
ln -s victim.txt planted.png.new
echo planted > other.png.new
"$preview" --time 10:08:30 --png planted.png
"$preview" --time 10:08:30 --png other.png
check "planted link not followed" "precious|victim.txt|planted" \
  "$(cat victim.txt)|$(readlink planted.png.new)|$(cat other.png.new)"
check "planted names: pictures written" "PNG PNG" \
  "$(head -c 4 planted.png | tail -c 3) $(head -c 4 other.png | tail -c 3)"

# The longest name the file system takes still works: the temporary name is short.
long=$(printf 'a%.0s' $(seq 251)).png
"$preview" --time 10:08:30 --png "$long" 2>err.txt || true
check "255-byte name" "PNG|" "$(head -c 4 "$long" 2>/dev/null | tail -c 3)|$(cat err.txt)"
check "no temporary file left" "" "$(ls -A | grep -E '^\.qv|\.new$' | grep -v -E '^(planted|other)\.png\.new$' || true)"

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

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
