#!/usr/bin/env bash
# Makes the skins the skin tests load: PNG strips whose frames each have their own flat colour (so a
# test can tell from one pixel which frame was drawn), broken images, and the ini files naming them.
# Usage: make_test_skins.sh <output folder>   (writes <output>/Sk_sv/... and <output>/Skin/...)
set -euo pipefail
out=$1
sk="$out/Sk_sv"
mv_dir="$out/Skin/Azure/Movrel"
rm -rf "$out"
mkdir -p "$sk" "$mv_dir"
source "$(dirname "$0")/../support/skin_images.sh"

# Strips: frames side by side, one flat colour each.
flat_strip "PNG24:$sk/button.png" 60x24 'rgb(200,0,0)' 'rgb(0,200,0)' 'rgb(0,0,200)' 'rgb(100,100,100)'
flat_strip "PNG24:$sk/button_one.png" 60x24 'rgb(200,0,200)'
flat_strip "PNG24:$sk/checkbox.png" 13x13 'rgb(10,0,0)' 'rgb(20,0,0)' 'rgb(30,0,0)' 'rgb(40,0,0)' 'rgb(50,0,0)' 'rgb(60,0,0)'
flat_strip "PNG24:$sk/tab_a.png" 40x20 'rgb(255,0,0)' 'rgb(0,255,0)' 'rgb(0,0,255)'
flat_strip "PNG24:$sk/tab_b.png" 40x20 'rgb(128,0,0)' 'rgb(0,128,0)' 'rgb(0,0,128)'
frames=()
for k in $(seq 0 19); do frames+=("rgb($((k * 10)),100,50)"); done
flat_strip "PNG24:$sk/anim.png" 10x10 "${frames[@]}"
# Three-slice images: end pieces and the one-pixel middle column in different colours.
three_slice() {  # file end-width height left middle right
  convert -size "$2x$3" "xc:$4" -size "1x$3" "xc:$5" -size "$2x$3" "xc:$6" +append "PNG24:$1"
}
three_slice "$sk/slice9.png" 4 10 'rgb(255,0,0)' 'rgb(0,255,0)' 'rgb(0,0,255)'
three_slice "$sk/prog_bk.png" 4 12 'rgb(90,0,0)' 'rgb(0,90,0)' 'rgb(0,0,90)'
three_slice "$sk/prog_fill.png" 2 7 'rgb(250,200,0)' 'rgb(0,200,250)' 'rgb(200,0,250)'
convert -size 4x5 xc:'rgb(1,2,3)' "PNG24:$sk/prog_head.png"
convert -size 4x4 xc:'rgb(7,77,177)' "PNG24:$sk/tile.png"
printf 'this is not a png file' > "$sk/corrupt.png"
# For looking at stretched pieces (not in the image table): every edge row and column has its own
# colour, and a small picture whose scaling shows whether it is filtered.
convert -size 9x14 xc:'rgb(230,236,242)' -fill 'rgb(40,70,110)' -draw 'line 0,0 8,0' \
  -fill 'rgb(200,40,40)' -draw 'line 0,13 8,13' -fill 'rgb(40,160,60)' -draw 'line 0,1 0,12' \
  -fill 'rgb(220,160,0)' -draw 'line 8,1 8,12' "PNG24:$sk/edged_bk.png"
convert -size 5x10 xc:'rgb(60,170,80)' -fill 'rgb(190,240,200)' -draw 'line 0,0 4,0' \
  -fill 'rgb(10,60,20)' -draw 'line 0,9 4,9' "PNG24:$sk/edged_fill.png"
convert -size 8x8 gradient:'rgb(250,200,40)-rgb(40,60,200)' -fill 'rgb(255,255,255)' -draw 'point 3,3' \
  -draw 'point 4,4' "PNG24:$sk/photo.png"
head -c 60 "$sk/button.png" > "$sk/truncated.png"

# A bitmap font (GB2312 registry, so a Chinese code page picks it by name) that GDI+ cannot draw.
{
  printf 'STARTFONT 2.1\nFONT -test-SkinRasterFace-medium-r-normal--10-100-75-75-c-60-gb2312.1980-0\n'
  printf 'SIZE 10 75 75\nFONTBOUNDINGBOX 6 10 0 -2\nSTARTPROPERTIES 4\nFAMILY_NAME "SkinRasterFace"\n'
  printf 'CHARSET_REGISTRY "GB2312.1980"\nCHARSET_ENCODING "0"\nFONT_ASCENT 8\nENDPROPERTIES\nCHARS 95\n'
  for code in $(seq 32 126); do
    printf 'STARTCHAR c%d\nENCODING %d\nSWIDTH 600 0\nDWIDTH 6 0\nBBX 6 10 0 -2\nBITMAP\n' "$code" "$code"
    if [ "$code" = 32 ]; then printf '00\n%.0s' $(seq 10); else printf 'FC\n'; printf '84\n%.0s' $(seq 8); printf 'FC\n'; fi
    printf 'ENDCHAR\n'
  done
  printf 'ENDFONT\n'
} > "$out/raster_face.bdf"

# The table declares one image more than it names, as a damaged table may.
IMAGE_NUMBER=15 image_table button.png button_one.png missing.png checkbox.png tab_a.png tab_b.png anim.png \
  slice9.png prog_bk.png prog_fill.png prog_head.png tile.png corrupt.png truncated.png > "$sk/ImageRes.ini"

cat > "$sk/controls.ini" <<'INI'
[OKBtn]
Text=OK
TipText=Press to confirm
TextColor=0x10,32,48
Image=1
rect=-80,10,-20,34

[NoMoveBtn]
TextColor=0xFF,0,0x80
bMoveText=0
rect=20,20,80,44

[OneFrameBtn]
Image=2
rect=10,50,70,74

[BrokenBtn]
Text=Broken
Image=13
rect=10,90,70,114

[MissingBtn]
Text=Missing
Image=3
rect=10,130,70,154

[HomeLink]
URL=abc
LinkColor=10,20,30
ActiveLinkColor=200,0,0
rect=20,200,0,0

[Title]
Text=Hello
TextColor=1,2,3
FontSize=14
rect=5,5

[Slice]
Image=8
Style=5
rect=0,0,30,10

[Anim]
Image=7
Style=0
rect=0,0,10,10

[Bar]
rect=10,10,110,22

[ImageBar]
ImageBk=9
Image=10
ImageHeader=11
rect=10,10,110,22

[MainTabUI]
ItemCount=3
Image_Item1=5
Image_Item2=99
Image_Item3=6
ItemDistance=10
Left=20
Top=30
Right=-20
Bottom=50
INI

# The updater's skin "Azure" (not the default name, so the name must really be read): its own image table
# and frame settings.
cp "$sk/button.png" "$mv_dir/close.png"
cat > "$mv_dir/ImageRes.ini" <<'INI'
[ImageRes]
ImageNumber=3
ImageID_1=close.png
ImageID_2=gone.png
ImageID_3=close.png
INI
cat > "$mv_dir/mainform.ini" <<'INI'
[Window]
Mask_Color=255,0,255
Image_CloseBut=1
Close_Point=-30,4
cutRound_Size=3,0
CaptionText_Rect=5, 20, 25, 300
CaptionText_Color=255,0
TopClipHeight_Maximized=6

[WindowPanel]
Count=2
panel_1=-40, -1, 10, -10
panel_draw_1=2
panel_image_1=tile.png
INI
printf '[SkinConfig]\r\nSkin=Azure\r\n' > "$out/varnio.ini"

# One image of each kind a skin may hold, for the decoders' agreement: palette with transparency, grey,
# grey with alpha, 8 and 16 bits a channel with and without alpha, interlaced, a resolution of its own,
# and formats other than PNG (a two-frame GIF among them).
kinds="$out/decode_kinds"
mkdir -p "$kinds"
photo=(-size 37x23 gradient:'rgba(250,200,40,0.9)-rgba(40,60,200,0.2)' -fill 'rgba(255,0,0,0.5)' -draw 'circle 18,11 18,4')
c "${photo[@]}" "PNG32:$kinds/rgba8.png"
c "${photo[@]}" -depth 16 "PNG64:$kinds/rgba16.png"
c "${photo[@]}" -alpha off "PNG24:$kinds/rgb8.png"
c "${photo[@]}" -alpha off -depth 16 "PNG48:$kinds/rgb16.png"
c "${photo[@]}" -colors 12 "PNG8:$kinds/palette.png"
c "${photo[@]}" -alpha off -colorspace Gray "PNG:$kinds/grey16.png"
c "${photo[@]}" -alpha off -colorspace Gray -depth 8 "PNG:$kinds/grey8.png"
c "${photo[@]}" -colorspace Gray -define png:color-type=4 "PNG:$kinds/grey_alpha.png"
c "${photo[@]}" -interlace PNG "PNG32:$kinds/interlaced.png"
c "${photo[@]}" -units PixelsPerInch -density 144 "PNG32:$kinds/dpi144.png"
c "${photo[@]}" -alpha off "BMP3:$kinds/photo.bmp"
c "${photo[@]}" -alpha off -quality 90 "$kinds/photo.jpg"
c -size 9x7 xc:'rgb(200,0,0)' xc:'rgb(0,0,200)' -loop 0 "$kinds/two_frames.gif"
