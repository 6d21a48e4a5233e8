#!/usr/bin/env bash
# Writes the test skins of the window tests into <out>: "frame_skin/" (an updater-style frame whose top
# strip has fully transparent corners and one opaque black pixel, mask colour magenta) and "Sk_sv/"
# (the optimizer's message box images and "VarnioTip.ini"). Images are made here, never committed.
set -euo pipefail
out=$1
f="$out/frame_skin"; s="$out/Sk_sv"
mkdir -p "$f" "$s"
source "$(dirname "$0")/../support/skin_images.sh"

# Top strip 120 x 30 with 10-pixel end pieces; corner pixels fully transparent, (5,20) opaque black.
# Each strip has edge lines of its own colours, so that a stretched piece that loses one shows it.
c -size 120x30 xc:'#2f6ea8' -alpha set \
  -fill '#4a8cc8' -draw 'rectangle 10,0 109,29' -fill '#9cc4e8' -draw 'line 0,29 119,29' \
  -fill 'rgba(0,0,0,0)' -draw 'color 0,0 point' -draw 'color 1,0 point' -draw 'color 2,0 point' \
  -draw 'color 0,1 point' -draw 'color 0,2 point' -draw 'color 119,0 point' -draw 'color 118,0 point' \
  -draw 'color 117,0 point' -draw 'color 119,1 point' -draw 'color 119,2 point' \
  -fill black -draw 'color 5,20 point' "png32:$f/top.png"
c -size 120x6 xc:'#2f6ea8' -fill '#9cc4e8' -draw 'line 0,0 119,0' -fill '#1c4a78' -draw 'line 0,5 119,5' \
  "png32:$f/bottom.png"
c -size 4x40 xc:'#2f6ea8' -fill '#1c4a78' -draw 'line 0,0 0,39' -fill '#9cc4e8' -draw 'line 3,0 3,39' \
  "png32:$f/left.png"
c -size 4x40 xc:'#2f6ea8' -fill '#9cc4e8' -draw 'line 0,0 0,39' -fill '#1c4a78' -draw 'line 3,0 3,39' \
  "png32:$f/right.png"
# Caption buttons: four 18 x 18 frames (normal, hover, pressed, disabled) side by side.
button() {
  glyph_strip "png32:$1" 18x18 "$3" "$2 -fill white" "$2 -fill yellow" '#802020 -fill white' '#909090 -fill #c0c0c0'
}
button "$f/close.png" '#d04040' 'line 5,5 12,12 line 12,5 5,12'
button "$f/max.png" '#3c7cc0' 'rectangle 5,5 12,12'
button "$f/restore.png" '#3c7cc0' 'rectangle 4,7 10,13'
button "$f/min.png" '#3c7cc0' 'rectangle 5,11 12,12'
image_table top.png bottom.png left.png right.png close.png max.png min.png restore.png > "$f/ImageRes.ini"
cat > "$f/mainform.ini" <<'INI'
[Window]
Mask_Color=255, 0, 255
Image_TopFrame=1
Image_BottomFrame=2
Image_LeftFrame=3
Image_RightFrame=4
Image_CloseBut=5
Image_MaxBut=6
Image_MinBut=7
Image_RestorBut=8
Top_LeftOffset=10
Top_RightOffset=10
Close_Point=-30,5
Max_Point=-50,5
Min_Point=-70,5
cutRound_Size=1,0
Icon_Point=6,7
Icon_Size=16,16
CaptionText_Rect=5, 27, 28, 300
CaptionText_Color=255, 255, 255
WindowBk_Color=240, 244, 248
MinTrac_Size=200,100

[WindowPanel]
Count=2
panel_1=200, -41, -101, -21
panel_draw_1=1
panel_image_1=panel.png
panel_2=150, 170, 150, 170
panel_draw_2=7
panel_image_2=panel.png
INI
c -size 8x8 xc:'#e08020' "png32:$f/panel.png"

# Message box: translucent-edged rounded background, two icons of different sizes, a button strip.
c -size 420x260 xc:none -fill 'rgba(30,60,90,0.35)' -draw 'roundrectangle 0,0 419,259 14,14' \
  -fill '#f6f9fc' -stroke '#5a8ab4' -strokewidth 2 -draw 'roundrectangle 3,3 416,256 12,12' \
  -stroke none -fill '#3b78b0' -draw 'roundrectangle 4,4 415,40 11,11' -draw 'rectangle 4,20 415,40' \
  "png32:$s/varniotipbg.png"
c -size 40x40 xc:none -fill '#3b78b0' -draw 'circle 20,20 20,2' -fill white \
  -draw 'rectangle 18,23 22,27' -draw 'rectangle 18,30 22,33' -draw 'rectangle 14,10 26,13' \
  -draw 'rectangle 23,10 26,20' -draw 'rectangle 18,18 26,21' "png32:$s/question_icon.png"
c -size 48x48 xc:none -fill '#e8a020' -draw 'polygon 24,2 46,45 2,45' -fill white \
  -draw 'rectangle 22,16 26,32' -draw 'rectangle 22,36 26,40' "png32:$s/warning_big_icon.png"
flat_strip "png32:$s/common_button_bg.png" 80x28 '#3b78b0' '#5090d0' '#2a5a88' '#b0b0b0'
utf16_ini "$s/VarnioTip.ini" <<'INI'
[OKBtn]
Text=确定
Image=1
TextColor=255,255,255
rect=230,190,310,218
[CancelBtn]
Text=取消
Image=1
TextColor=255,255,255
rect=320,190,400,218
INI
