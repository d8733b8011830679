#!/usr/bin/env bash
# The release zip (`make dist` calls it): the clock, its skin editor and the preview tool of a
# Windows build, with the default skin, face, readme and the licence, in one folder "quarvel"
# ready to unpack and run. `make dist` names it quarvel-<version>.zip. The programs in the zip
# are stripped (half the size); their symbols go beside the zip, in <zip name>-debug/, one
# <program>.debug each, which the stripped program names (.gnu_debuglink): put it beside the
# program to debug it.
#
#   scripts/make-dist.sh <windows build folder> <zip file>
set -euo pipefail

if [ $# -ne 2 ] || [ ! -d "$1" ]; then
  echo "usage: $0 <windows build folder> <zip file>" >&2
  exit 64
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
zip_file=$(realpath -m "$2")
stage=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-dist.XXXXXX")
trap 'rm -rf "$stage"' EXIT

objcopy=${OBJCOPY:-x86_64-w64-mingw32-objcopy}
command -v "$objcopy" >/dev/null || { echo "no $objcopy (scripts/install-deps.sh)" >&2; exit 1; }
debug_dir=${zip_file%.zip}-debug
rm -rf "$debug_dir"
mkdir -p "$debug_dir" "$stage/quarvel"
for program in quarvel.exe qvedit.exe quarvel-preview.exe; do
  [ -f "$1/bin/$program" ] || { echo "$program is missing from $1/bin (make windows)" >&2; exit 1; }
  install -m 755 "$1/bin/$program" "$stage/quarvel/"
  # objcopy stamps a PE file with the time it runs unless SOURCE_DATE_EPOCH says otherwise; 0
  # keeps the linker's (none), so the same build gives the same bytes.
  SOURCE_DATE_EPOCH=0 "$objcopy" --only-keep-debug "$stage/quarvel/$program" \
    "$debug_dir/$program.debug"
  SOURCE_DATE_EPOCH=0 "$objcopy" --strip-all --add-gnu-debuglink="$debug_dir/$program.debug" \
    "$stage/quarvel/$program"
done
install -m 644 "$source_dir"/data/{tyou.sin,tan.sin,byou.sin,qv.bmp,readme.txt,chime.wav} "$stage/quarvel/"
# The licence as Windows users open it: LICENSE.txt, with CR LF line ends for Notepad's sake.
sed 's/$/\r/' "$source_dir/LICENSE" >"$stage/quarvel/LICENSE.txt"
chmod 644 "$stage/quarvel/LICENSE.txt"

# The same files give the same bytes: every file gets one time (SOURCE_DATE_EPOCH when set,
# else the last commit's, else a fixed one) and one mode, the names go in sorted, and zip
# stores neither directories (-D) nor owners and extra times (-X). Zip keeps local times, so
# it runs in UTC.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || true)}
epoch=${epoch:-946684800} # 2000-01-01
find "$stage/quarvel" -exec touch -h -d "@$epoch" {} +
mkdir -p "$(dirname "$zip_file")"
rm -f "$zip_file"
(cd "$stage" && find quarvel -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D "$zip_file" -@)
echo "$zip_file"
