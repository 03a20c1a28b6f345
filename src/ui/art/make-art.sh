#!/usr/bin/env bash
# Draws the application icon, the logo and the two list marks with ImageMagick.
# The outputs are committed; run this only to change the artwork.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# f SIZE FRACTION: a coordinate of the design scaled to SIZE pixels.
f() { awk -v s="$1" -v x="$2" 'BEGIN { printf "%.2f", s * x }'; }

# The icon: a blue tile holding a white chat bubble with two reply lines.
draw_icon() {
    local s=$1 out=$2
    local lw; lw=$(awk -v s="$s" 'BEGIN { w = s * 0.085; if (w < 1.4) w = 1.4; printf "%.2f", w }')
    convert -size "${s}x${s}" xc:none \
        -fill '#1f6fd1' -stroke none \
        -draw "roundrectangle 0,0 $(f "$s" 0.97),$(f "$s" 0.97) $(f "$s" 0.2),$(f "$s" 0.2)" \
        -fill white \
        -draw "roundrectangle $(f "$s" 0.14),$(f "$s" 0.17) $(f "$s" 0.84),$(f "$s" 0.68) $(f "$s" 0.13),$(f "$s" 0.13)" \
        -draw "polygon $(f "$s" 0.26),$(f "$s" 0.6) $(f "$s" 0.22),$(f "$s" 0.86) $(f "$s" 0.5),$(f "$s" 0.62)" \
        -stroke '#1f6fd1' -strokewidth "$lw" -fill none \
        -draw "line $(f "$s" 0.29),$(f "$s" 0.35) $(f "$s" 0.69),$(f "$s" 0.35)" \
        -draw "line $(f "$s" 0.29),$(f "$s" 0.5) $(f "$s" 0.56),$(f "$s" 0.5)" \
        "PNG32:$out"
}

# At 16 pixels the design is laid on whole pixels so the lines stay sharp.
draw_icon_16() {
    convert -size 16x16 xc:none -fill '#1f6fd1' -stroke none \
        -draw "roundrectangle 0,0 15,15 3,3" \
        -fill white -draw "roundrectangle 2,2 13,10 2,2" -draw "polygon 4,9 3,14 8,10" \
        -fill '#1f6fd1' +antialias -draw "rectangle 4,4 11,5" -draw "rectangle 4,7 9,8" \
        "PNG32:$1"
}

sizes=(16 20 24 32 40 48 64 256)
draw_icon_16 "$tmp/icon-16.png"
for s in "${sizes[@]:1}"; do draw_icon "$s" "$tmp/icon-$s.png"; done
icons=(); for s in "${sizes[@]}"; do icons+=("$tmp/icon-$s.png"); done
convert "${icons[@]}" velquin.ico

# The logo beside the version label: the same motif on 50 x 50, and at four
# times that size, from which the panel draws it at display scales above 100 %.
draw_icon 50 logo.png
draw_icon 200 logo-4x.png

# List marks, 16 x 15: a triangle pointing right, red for files, green for texts;
# and at four times that size for the display scales above 100 % (pixel centres
# lie at 4x + 1.5 there).
mark() {
    convert -size 16x15 xc:none -fill "$1" -stroke none \
        -draw "polygon 4,2 13,7.5 4,13" "PNG32:$2"
}
mark_4x() {
    convert -size 64x60 xc:none -fill "$1" -stroke none \
        -draw "polygon 17.5,9.5 53.5,31.5 17.5,53.5" "PNG32:$2"
}
mark '#d93025' mark_file.png
mark '#1e9e3a' mark_text.png
mark_4x '#d93025' mark_file-4x.png
mark_4x '#1e9e3a' mark_text-4x.png
