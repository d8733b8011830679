#!/usr/bin/env bash
# The release zip depends on the files alone: two runs of make-dist.sh on the same Windows
# build, seconds apart, in other time zones and under other umasks, give the same bytes; and
# the zip holds the programs, the default skin, the chime, the Windows readme and the licence,
# under their sorted names in "quarvel/"; make dist names it after the version.
source "$(dirname "$0")/lib.sh"

(umask 022 && TZ=UTC "$source_dir/scripts/make-dist.sh" "$windows_build" "$work/first.zip") >/dev/null
sleep 2.1 # past the zip format's two-second clock
(umask 077 && TZ=Asia/Tokyo "$source_dir/scripts/make-dist.sh" "$windows_build" "$work/second.zip") >/dev/null
cmp "$work/first.zip" "$work/second.zip" || fail "two runs gave different zips"
diff -r "$work/first-debug" "$work/second-debug" >/dev/null ||
  fail "two runs gave different debug files"

names=$(unzip -Z1 "$work/first.zip" | paste -sd ' ')
expected="quarvel/LICENSE.txt quarvel/byou.sin quarvel/chime.wav quarvel/quarvel-preview.exe quarvel/quarvel.exe quarvel/qv.bmp"
expected+=" quarvel/qvedit.exe quarvel/readme.txt quarvel/tan.sin quarvel/tyou.sin"
[ "$names" = "$expected" ] || fail "the zip holds: $names"
mkdir "$work/unpacked"
unzip -q "$work/first.zip" -d "$work/unpacked"
for name in tyou.sin tan.sin byou.sin qv.bmp readme.txt chime.wav; do
  cmp "$source_dir/data/$name" "$work/unpacked/quarvel/$name" || fail "$name differs from data/"
done
# The programs are the build's, stripped: zip_programs.sh.
# Notepad of older Windows shows a file of bare LF line ends as one long line.
! grep -qv $'\r$' "$work/unpacked/quarvel/readme.txt" || fail "readme.txt has lines without CR LF"
tr -d '\r' <"$work/unpacked/quarvel/LICENSE.txt" | cmp -s - "$source_dir/LICENSE" ||
  fail "LICENSE.txt is not LICENSE"
version=$(sed -n 's/^project(quarvel VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
make_version=$(make -s --no-print-directory -C "$source_dir" --eval 'version: ; @echo $(VERSION)' version)
[ "$make_version" = "$version" ] || fail "the Makefile's version is $make_version, not $version"
grep -q 'make-dist.sh $(WINDOWS) build/dist/quarvel-$(VERSION).zip$' "$source_dir/Makefile" ||
  fail "make dist does not name the zip quarvel-\$(VERSION).zip"
echo "ok: two runs, one zip ($(stat -c %s "$work/first.zip") bytes)"
