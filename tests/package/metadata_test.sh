#!/usr/bin/env bash
# What a distribution reads about the Linux clock, as the build lays it out (<build>/share): the
# AppStream metadata and the menu entry pass their validators, the icons are there at every
# size, and every place that names a version names CMake's.
#   metadata_test.sh <source folder> <build share folder> <version>
set -uo pipefail
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
source_dir=$1 share=$2 version=$3
id=io.github.quarvel.Quarvel

metainfo=$share/metainfo/$id.metainfo.xml
desktop=$source_dir/src/apps/quarvel-x11/$id.desktop
check "appstreamcli validate" 0 "$(appstreamcli validate --no-net "$metainfo" >&2; echo $?)"
check "desktop-file-validate" "" "$(desktop-file-validate "$desktop" 2>&1)"
check "metainfo launches the menu entry" "$id.desktop" \
  "$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")"
check "menu entry's icon" "Icon=$id" "$(grep '^Icon=' "$desktop")"
for key in 'Name\[ja\]' 'Comment\[ja\]' Keywords; do
  grep -q "^$key=." "$desktop" || check "menu entry has $key" yes no
done

for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/$id.png
  check "icon ${size}x$size" "${size}x$size" "$(png_size "$png" 2>/dev/null)"
done
cmp -s "$source_dir/data/icons/quarvel.svg" "$share/icons/hicolor/scalable/apps/$id.svg" ||
  check "scalable icon is data/icons/quarvel.svg" yes no

check "metainfo release" "$version" \
  "$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo" | head -n 1)"
check "debian/changelog version" "$version" \
  "$(sed -n '1s/^quarvel (\([^)]*\)).*/\1/p' "$source_dir/debian/changelog")"
check "CHANGELOG.md's latest release" "$version" \
  "$(sed -n 's/^## \([0-9][0-9.]*\).*/\1/p' "$source_dir/CHANGELOG.md" | head -n 1)"

checks_done
