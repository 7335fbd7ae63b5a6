#!/bin/sh
# Rebuilds the launcher's pictures in this folder from scratch:
#   background.jpg  the launcher's artwork (baseline JPEG, 467 x 295, 3 components)
#   notice.gif      the completion notice (GIF89a, 500 x 300, 16 colours, entry 15 transparent)
#   MAINICON.ico    the application icon (72, 64, 48, 32, 24, 16 pixels, 32 bits per pixel)
# Needs ImageMagick (convert), python3 and the DejaVu fonts.
# The hot-spot geometry the buttons are painted under is the launcher window's
# (install 170,146 127x38; exit 170,200 127x38; web address under 134,263 200x25).
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
SANS=DejaVu-Sans
BOLD=DejaVu-Sans-Bold
URL="http://www.example.com/"

# --- artwork -------------------------------------------------------------------
# A deep blue body with a soft diagonal texture, a darker header band with the logo
# on the left and the set-up title on the right, the product's name, two rounded
# green buttons and the web address in white along the bottom.
convert -seed 7 -size 467x295 gradient:'#1d3f72-#0b1a33' \
  \( -size 467x295 plasma:'#1c3a66-#12305a' -blur 0x4 -modulate 100,40 \) -compose blend \
  -define compose:args=35 -composite \
  -fill '#081226' -draw 'rectangle 0,0 466,70' \
  -fill '#2f6db5' -draw 'rectangle 0,70 466,72' \
  -fill '#f2b632' -draw 'circle 38,35 38,11' \
  -fill '#081226' -draw 'circle 38,35 38,19' \
  -fill '#f2b632' -draw 'polygon 44,41 62,59 56,63 40,46' \
  -font "$BOLD" -pointsize 15 -fill '#f2f2f2' -annotate +72+32 'QRB Soft' \
  -font "$SANS" -pointsize 10 -fill '#9fb7d9' -annotate +72+48 'Perangkat lunak' \
  -font "$BOLD" -pointsize 22 -fill white -gravity NorthEast -annotate +18+14 'Setup QRB' \
  -font "$SANS" -pointsize 11 -fill '#9fb7d9' -annotate +18+44 'versi 2.0' \
  -gravity NorthWest \
  -font "$BOLD" -pointsize 16 -fill '#e8eef8' -gravity North -annotate +0+98 'QRB - Quick Report Builder 2.0' \
  -gravity NorthWest \
  -fill '#0a1528' -draw 'roundrectangle 172,149 298,186 9,9' \
  -fill '#0a1528' -draw 'roundrectangle 172,203 298,240 9,9' \
  -fill '#2e9a3e' -stroke '#8fe09a' -strokewidth 1 \
  -draw 'roundrectangle 170,146 296,183 9,9' \
  -draw 'roundrectangle 170,200 296,237 9,9' -stroke none \
  -fill '#3aa849' -draw 'roundrectangle 173,149 293,160 7,7' \
  -fill '#3aa849' -draw 'roundrectangle 173,203 293,214 7,7' \
  -font "$BOLD" -pointsize 14 -fill white \
  -draw "text 193,155 'Instal QRB'" -draw "text 208,209 'Keluar'" \
  -font "$SANS" -pointsize 12 -fill white -draw "text 153,267 '$URL'" \
  -attenuate 0.7 +noise Uniform \
  "$tmp/art.ppm"
convert "$tmp/art.ppm" -strip -interlace none -sampling-factor 1x1 -quality 97 \
  -type TrueColor background.jpg

# --- completion notice ---------------------------------------------------------
# Two centred lines of green capitals on white; the packer quantises to white plus
# fifteen greens and marks white (entry 15) transparent.
convert -size 500x300 xc:white -font "$BOLD" -fill '#1e8c2e' -gravity North \
  -pointsize 40 -annotate +0+108 'INSTALASI SELESAI' \
  -pointsize 40 -annotate +0+150 'TERIMA KASIH' \
  -colorspace Gray -depth 8 "$tmp/notice.pgm"
python3 pack.py gif "$tmp/notice.pgm" notice.gif

# --- icon ------------------------------------------------------------------------
sizes="72 64 48 32 24 16"
for s in $sizes; do
  r=$((s / 2)); k=$((s * 3 / 10))
  convert -size "${s}x${s}" xc:none -fill '#081226' -draw "roundrectangle 0,0 $((s-1)),$((s-1)) $((s/6)),$((s/6))" \
    -fill '#f2b632' -draw "circle $((r-1)),$((r-1)) $((r-1)),$((r-1-k))" \
    -fill '#081226' -draw "circle $((r-1)),$((r-1)) $((r-1)),$((r-1-k*2/3))" \
    -fill '#f2b632' -draw "polygon $((r+k/3)),$((r+k/3)) $((r+k)),$((r+k)) $((r+k*2/3)),$((r+k+k/4)) $((r)),$((r+k/2))" \
    -depth 8 "$tmp/icon$s.rgba"
done
python3 pack.py ico MAINICON.ico $(for s in $sizes; do echo "$s:$tmp/icon$s.rgba"; done)
ls -l background.jpg notice.gif MAINICON.ico
