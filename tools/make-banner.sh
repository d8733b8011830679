#!/bin/bash
# Makes the two pictures quarvel.exe keeps as resources (and the Linux clock builds in) from the
# one drawing of the dial, data/icons/quarvel.svg:
#   banner.bmp   the first-run dialog's title banner: 228 x 57, 4 bits a pixel, 16 colours,
#                uncompressed; the dial and the name QUARVEL in white on the dial's dark blue
#   quarvel.ico  the application icon, 32 x 32 and 16 x 16, 256 colours each, its mask
#                transparent outside the dial
# Needs rsvg-convert (librsvg2-bin), ImageMagick and DejaVu Sans Bold (fonts-dejavu-core).
# Usage: tools/make-banner.sh [folder]   (default: infodialog/resources)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
svg=$root/data/icons/quarvel.svg
out=${1:-$root/infodialog/resources}
font=$(fc-match -f '%{file}' 'DejaVu Sans:bold')
case $font in *DejaVuSans-Bold.ttf) ;; *) echo "DejaVu Sans Bold not found (got $font)" >&2; exit 1 ;; esac
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

rsvg-convert -w 45 -h 45 "$svg" -o "$tmp/dial.png"
convert -size 228x57 'xc:rgb(0,64,128)' "$tmp/dial.png" -geometry +9+6 -composite \
  -font "$font" -pointsize 31 -fill white -gravity West -annotate +64+1 QUARVEL \
  +dither -colors 16 -type Palette -compress None -define bmp:format=bmp3 \
  BMP3:"$tmp/banner.bmp"
# The decoder and the resource compiler want 4 bits a pixel and no compression.
read -r width height depth <<<"$(identify -format '%w %h %z\n' "$tmp/banner.bmp" | head -1)"
[ "$width x $height" = "228 x 57" ] || { echo "banner is $width x $height" >&2; exit 1; }
bits=$(od -An -tu2 -j28 -N2 "$tmp/banner.bmp" | tr -d ' ')
compression=$(od -An -tu4 -j30 -N4 "$tmp/banner.bmp" | tr -d ' ')
[ "$bits" = 4 ] && [ "$compression" = 0 ] ||
  { echo "banner has $bits bits a pixel, compression $compression" >&2; exit 1; }

for size in 32 16; do rsvg-convert -w $size -h $size "$svg" -o "$tmp/icon$size.png"; done
convert "$tmp/icon32.png" "$tmp/icon16.png" -channel A -threshold 50% +channel \
  -type PaletteAlpha "$tmp/quarvel.ico"
[ "$(od -An -tu2 -j12 -N2 "$tmp/quarvel.ico" | tr -d ' ')" = 8 ] ||
  { echo "the icon is not 8 bits a pixel" >&2; exit 1; }

cp "$tmp/banner.bmp" "$tmp/quarvel.ico" "$out/"
echo "wrote $out/banner.bmp and $out/quarvel.ico"
