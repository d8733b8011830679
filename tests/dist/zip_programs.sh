#!/usr/bin/env bash
# The zip's programs as a Windows user gets them: stripped (no symbols, no debug sections), each
# naming its debug file, which make-dist.sh leaves beside the zip with the symbols; each with the
# icon (256, 48, 32, 24 and 16 pixels), a version resource and a manifest; and the readme telling
# of the editor's controls.
source "$(dirname "$0")/lib.sh"
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || fail "no $objdump (scripts/install-deps.sh)"

"$source_dir/scripts/make-dist.sh" "$windows_build" "$work/quarvel.zip" >/dev/null
unzip -q "$work/quarvel.zip" -d "$work/unpacked"

# The sizes in an .ico's directory: a 6-byte header, then 16 bytes an image, its width first
# (0 for 256).
ico_sizes() { # <file> -> the widths, sorted
  local count i width
  count=$(od -An -tu2 -j4 -N2 "$1" | tr -d ' ')
  for ((i = 0; i < count; i++)); do
    width=$(od -An -tu1 -j$((6 + 16 * i)) -N1 "$1" | tr -d ' ')
    echo $((width == 0 ? 256 : width))
  done | sort -n | paste -sd ' '
}
icon=$source_dir/src/core/infodialog/resources/quarvel.ico
[ "$(ico_sizes "$icon")" = "16 24 32 48 256" ] ||
  fail "the icon has $(ico_sizes "$icon") pixels, not 16 24 32 48 256"

# The resources by type, from the resource directory objdump prints: "<type> <names>" a line
# (types in hex: 3 icon images, e group icon, 10 version, 18 manifest).
resources() { # <program>
  "$objdump" -p "$1" | awk '
    /^The .rsrc Resource Directory/ { inside = 1 }
    inside && /^[0-9a-f]+   Entry: ID: / { type = $4; gsub(/^0x0*|,$/, "", type); types[++n] = type }
    inside && /^[0-9a-f]+     Entry: ID: / { names[type]++ }
    END { for (i = 1; i <= n; i++) print types[i], names[types[i]] }'
}

for program in quarvel.exe qvedit.exe quarvel-preview.exe; do
  exe=$work/unpacked/quarvel/$program
  debug=$work/quarvel-debug/$program.debug
  [ "$(x86_64-w64-mingw32-nm "$exe" 2>&1)" = "x86_64-w64-mingw32-nm: $exe: no symbols" ] ||
    fail "$program in the zip keeps its symbols"
  ! "$objdump" -h "$exe" | grep -q ' \.debug_' || fail "$program in the zip keeps debug sections"
  "$objdump" -s -j .gnu_debuglink "$exe" | grep -qF "${program:0:12}" ||
    fail "$program does not name its debug file"
  [ -f "$debug" ] || fail "no $program.debug beside the zip"
  [ "$(x86_64-w64-mingw32-nm "$debug" | grep -c ' T ')" -gt 100 ] ||
    fail "$program.debug holds no symbols"
  # The same code as the build's program.
  for file in "$exe" "$windows_build/bin/$program"; do
    x86_64-w64-mingw32-objcopy -O binary -j .text "$file" "$work/text-$(basename "$(dirname "$file")")"
  done
  cmp -s "$work/text-quarvel" "$work/text-bin" || fail "$program's code is not the build's"
  types=$(resources "$exe")
  grep -qx '3 5' <<<"$types" || fail "$program has not the icon's 5 images: $types"
  grep -qx 'e 1' <<<"$types" || fail "$program has no icon: $types"
  grep -qx '10 1' <<<"$types" || fail "$program has no version resource: $types"
  grep -qx '18 1' <<<"$types" || fail "$program has no manifest: $types"
done

readme=$work/unpacked/quarvel/readme.txt
for phrase in Zoom Symmetric "New skin..." "Open skin folder..." "Save a copy..." "Clock size"; do
  grep -qF -- "$phrase" "$readme" || fail "readme.txt does not mention $phrase"
done
echo "ok: three stripped programs with their debug files, icon, version and manifest"
