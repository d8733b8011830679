#!/usr/bin/env bash
# The Windows programs as Windows reads them: GetFileVersionInfo (the project's window probe,
# under Wine) finds in quarvel.exe and qvedit.exe the version of CMake's project() and the
# licence, and each carries its application manifest: both per-monitor DPI aware (each draws
# itself again on a monitor of another scale).
#   windows_version.sh <Windows build folder> <version> <Wine prefix, made on first use>
set -euo pipefail
# shellcheck source=../support/checks.sh
source "$(dirname "$0")/../support/checks.sh"
build=$(realpath "$1") version=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-version.XXXXXX")
trap 'rm -rf "$work"' EXIT
# shellcheck source=../support/headless_wine.sh
source "$(dirname "$0")/../support/headless_wine.sh"
headless_wine "$3" "$work"
probe() { wine "$build/bin/winprobe.exe" "$1" "$(winepath -w "$2")" 2>>"$work/wine.log" | tr -d '\r'; }

for program in quarvel.exe qvedit.exe; do
  info=$(probe version "$build/bin/$program") || true
  field() { sed -n "s/^$1 //p" <<<"$info"; }
  check "$program file version" "$version.0" "$(field FixedFileVersion)"
  check "$program product version" "$version.0" "$(field FixedProductVersion)"
  check "$program version text" "\"$version\"|\"$version\"" \
    "$(field '"FileVersion"')|$(field '"ProductVersion"')"
  check "$program name" "\"$program\"" "$(field '"OriginalFilename"')"
  check "$program licence" '"Copyright (c) 2026 The QUARVEL developers. MIT License."' \
    "$(field '"LegalCopyright"')"
  manifest=$(probe manifest "$build/bin/$program") || true
  dpi_parts=('<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>'
    '<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>')
  for part in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "${dpi_parts[@]}" \
    '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    grep -qF -- "$part" <<<"$manifest" || check "$program manifest has $part" yes no
  done
done
wineserver -w
checks_done
