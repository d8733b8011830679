#!/bin/bash
# Makes the two pictures quarvel.exe keeps as resources (and the Linux clock builds in) from the
# one drawing of the dial, data/icons/quarvel.svg:
#   banner.bmp   the first-run dialog's title banner: 228 x 57, 4 bits a pixel, 16 colours,
#                uncompressed; the dial and the name QUARVEL in white on the dial's dark blue
#   banner@2x.bmp  the same banner drawn afresh at twice the size (456 x 114, same rules), for
#                screens at 2x: the dial and the letters sharp rather than blown up
#   banner@1.5x.bmp  and at one and a half times (342 x 86), for screens at 1.5x
#   quarvel.ico  the application icon at 256, 48, 32, 24 and 16 pixels (Explorer's large and
#                extra large views, the task bar and caption at 1x to 2x): 48 and below in 256
#                colours with a mask transparent outside the dial, 256 as a PNG, as Windows
#                keeps its own large icons
# Needs rsvg-convert (librsvg2-bin), ImageMagick and DejaVu Sans Bold (fonts-dejavu-core).
# Usage: tools/make-banner.sh [folder]   (default: src/core/infodialog/resources)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
svg=$root/data/icons/quarvel.svg
out=${1:-$root/src/core/infodialog/resources}
font=$(fc-match -f '%{file}' 'DejaVu Sans:bold')
case $font in *DejaVuSans-Bold.ttf) ;; *) echo "DejaVu Sans Bold not found (got $font)" >&2; exit 1 ;; esac
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# <scale> <file>: the banner drawn at that scale, checked for its size and its format. Each
# length of the 1x banner is s times as long, to the nearest pixel.
make_banner() {
  local s=$1 file=$2 width height bits compression
  px() { awk -v n="$1" -v s="$s" 'BEGIN { print int(n * s + 0.5) }'; }
  rsvg-convert -w "$(px 45)" -h "$(px 45)" "$svg" -o "$tmp/dial$s.png"
  convert -size "$(px 228)x$(px 57)" 'xc:rgb(0,64,128)' "$tmp/dial$s.png" \
    -geometry "+$(px 9)+$(px 6)" -composite \
    -font "$font" -pointsize "$(awk -v s="$s" 'BEGIN { print 31 * s }')" -fill white \
    -gravity West -annotate "+$(px 64)+$(px 1)" QUARVEL \
    +dither -colors 16 -type Palette -compress None -define bmp:format=bmp3 \
    BMP3:"$file"
  # The decoder and the resource compiler want 4 bits a pixel and no compression.
  read -r width height <<<"$(identify -format '%w %h\n' "$file" | head -1)"
  [ "$width x $height" = "$(px 228) x $(px 57)" ] ||
    { echo "$(basename "$file") is $width x $height" >&2; exit 1; }
  bits=$(od -An -tu2 -j28 -N2 "$file" | tr -d ' ')
  compression=$(od -An -tu4 -j30 -N4 "$file" | tr -d ' ')
  [ "$bits" = 4 ] && [ "$compression" = 0 ] ||
    { echo "$(basename "$file") has $bits bits a pixel, compression $compression" >&2; exit 1; }
}
make_banner 1 "$tmp/banner.bmp"
make_banner 1.5 "$tmp/banner@1.5x.bmp"
make_banner 2 "$tmp/banner@2x.bmp"

icon_sizes=(256 48 32 24 16)
icons=()
for size in "${icon_sizes[@]}"; do
  rsvg-convert -w $size -h $size "$svg" -o "$tmp/icon$size.png"
  icons+=("$tmp/icon$size.png")
done
convert "${icons[@]}" -channel A -threshold 50% +channel \
  -type PaletteAlpha "$tmp/quarvel.ico"
# Each size once, and all but the PNG at 8 bits a pixel (each directory entry: width at 6 + 16 i,
# bits a pixel at 12 + 16 i; 0 is 256).
for ((i = 0; i < ${#icon_sizes[@]}; i++)); do
  width=$(od -An -tu1 -j$((6 + 16 * i)) -N1 "$tmp/quarvel.ico" | tr -d ' ')
  bits=$(od -An -tu2 -j$((12 + 16 * i)) -N2 "$tmp/quarvel.ico" | tr -d ' ')
  [ "$((width == 0 ? 256 : width))" = "${icon_sizes[i]}" ] && { [ "$width" = 0 ] || [ "$bits" = 8 ]; } ||
    { echo "the icon's image $i is $width pixels wide, $bits bits a pixel" >&2; exit 1; }
done

cp "$tmp/banner.bmp" "$tmp/banner@1.5x.bmp" "$tmp/banner@2x.bmp" "$tmp/quarvel.ico" "$out/"
echo "wrote $out/banner.bmp, $out/banner@1.5x.bmp, $out/banner@2x.bmp and $out/quarvel.ico"
