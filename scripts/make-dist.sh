#!/usr/bin/env bash
# The release zip (`make dist` calls it): the clock, its skin editor and the preview tool of a
# Windows build, with the default skin, face and readme, in one folder "quarvel" ready to unpack
# and run.
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

mkdir "$stage/quarvel"
for program in quarvel.exe qvedit.exe quarvel-preview.exe; do
  [ -f "$1/bin/$program" ] || { echo "$program is missing from $1/bin (make windows)" >&2; exit 1; }
  cp "$1/bin/$program" "$stage/quarvel/"
done
cp "$source_dir"/data/{tyou.sin,tan.sin,byou.sin,qv.bmp,readme.txt} "$stage/quarvel/"
mkdir -p "$(dirname "$zip_file")"
rm -f "$zip_file"
# -X: no Unix owners or times beyond the zip's own, so the archive depends on the files alone.
(cd "$stage" && zip -q -X -r "$zip_file" quarvel)
echo "$zip_file"
