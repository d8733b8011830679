#!/usr/bin/env bash
# The Debian package as a maintainer and then a user meet it: `make deb` builds it, lintian
# reports no error and no warning, it holds what it should with stripped and hardened
# programs, `dpkg -i` installs it on this machine, the installed clock runs and closes
# (installed_clock.sh), and `dpkg -r` takes it all away again. Needs root (or sudo) for dpkg;
# .ci/run runs it after make test. It removes a quarvel package installed before it.
set -euo pipefail
cd "$(dirname "$0")/../.."
fail() { echo "FAIL: $*" >&2; exit 1; }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
version=$(sed -n 's/^project(quarvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

make deb
deb=build/deb/quarvel_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb
[ -f "$deb" ] || fail "make deb made no $deb"

# --- lintian: errors and warnings fail; the rest is shown. ---
lintian --fail-on error,warning --display-info --pedantic "$deb" | tee build/deb/lintian.txt ||
  fail "lintian reports errors or warnings on $deb"
echo "ok   lintian: no error, no warning"

# --- What it holds. ---
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's:^\./:/:')
id=io.github.quarvel.Quarvel
expected=(/usr/bin/quarvel /usr/bin/qvedit /usr/bin/quarvel-preview
  /usr/share/quarvel/{tyou.sin,tan.sin,byou.sin,qv.bmp,readme.txt,chime.wav}
  /usr/share/man/man1/quarvel.1.gz /usr/share/man/man1/qvedit.1.gz /usr/share/man/man1/quarvel-preview.1.gz
  /usr/share/doc/quarvel/{readme.txt.gz,copyright,changelog.gz}
  /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/$id.svg)
for size in 16 24 32 48 64 128 256; do expected+=(/usr/share/icons/hicolor/${size}x$size/apps/$id.png); done
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$files" || fail "the package has no $path"
done
echo "ok   the package holds the ${#expected[@]} expected files"

# --- Its programs: stripped by dh_strip, hardened with dpkg-buildflags' flags. ---
unpacked=build/deb/unpacked
rm -rf "$unpacked"
dpkg-deb -x "$deb" "$unpacked"
for program in quarvel qvedit quarvel-preview; do
  elf=$unpacked/usr/bin/$program
  # Whole outputs, not pipes into grep -q: with pipefail an early grep fails the pipe.
  sections=$(readelf -W -S "$elf") header=$(readelf -h "$elf") segments=$(readelf -W -l "$elf")
  dynamic=$(readelf -W -d "$elf") symbols=$(readelf -W --dyn-syms "$elf")
  ! grep -q '\.symtab' <<<"$sections" || fail "$program is not stripped"
  grep -q 'Type:.*DYN' <<<"$header" || fail "$program is not position-independent"
  grep -q GNU_RELRO <<<"$segments" || fail "$program has no RELRO"
  grep -q BIND_NOW <<<"$dynamic" || fail "$program is not linked with -z now"
  grep -q ' __stack_chk_fail@' <<<"$symbols" || fail "$program has no stack protector"
  grep -qE ' __[a-z]+_chk@' <<<"$symbols" || fail "$program has no fortified calls"
done
echo "ok   programs stripped, PIE, RELRO, BIND_NOW, stack protector, fortified"

# --- Installed, run, removed. ---
$sudo dpkg -i "$deb"
trap '$sudo dpkg -r quarvel >/dev/null 2>&1 || true' EXIT
[ "$(/usr/bin/quarvel --version)" = "quarvel $version" ] || fail "the installed quarvel --version"
bash tests/package/installed_clock.sh
$sudo dpkg -r quarvel
trap - EXIT
for path in /usr/bin/quarvel /usr/share/quarvel /usr/share/doc/quarvel; do
  [ ! -e "$path" ] || fail "$path is still there after dpkg -r"
done
echo "ok   installed with dpkg -i, the clock ran and closed, removed with dpkg -r"
