#!/usr/bin/env bash
# The Debian package (`make deb` calls it): the working tree's files (tracked ones and new ones
# git does not ignore, so no build/) copied to <out>/quarvel-<version>/ and built there with
# dpkg-buildpackage -us -uc -b, so the package lands in <out> and not beside the checkout.
#
#   scripts/make-deb.sh [out folder=build/deb]  -> prints the .deb's path
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$source_dir/build/deb}")
version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
stage=$out/quarvel-$version
rm -rf "$out"
mkdir -p "$stage"
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard) |
    while IFS= read -r -d '' file; do
      [ -e "$source_dir/$file" ] && printf '%s\0' "$file"
    done | tar -C "$source_dir" --null -T - -cf - | tar -C "$stage" -xf -
else
  tar -C "$source_dir" --exclude=./build -cf - . | tar -C "$stage" -xf -
fi
(cd "$stage" && dpkg-buildpackage -us -uc -b) >"$out/build.log" 2>&1 ||
  { tail -n 40 "$out/build.log" >&2; echo "dpkg-buildpackage failed: $out/build.log" >&2; exit 1; }
deb=$out/quarvel_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb
[ -f "$deb" ] || { echo "no $deb after the build" >&2; exit 1; }
echo "$deb"
