#!/usr/bin/env bash
# Writes the updater's test skin into <out>/Skin/Chrome/Movrel/: frame strips and caption buttons, the
# control ini files of the five dialogs with the section names the dialogs read, button strips, a logo,
# the release-notes well, the success panel and the five busy-animation frames "color_1.png" to
# "color_5.png". Images are drawn here with ImageMagick, never committed.
set -euo pipefail
d="$1/Skin/Chrome/Movrel"
mkdir -p "$d"
source "$(dirname "$0")/../support/skin_images.sh"
# ini files are UTF-16 with a byte-order mark, as the wide profile functions need for Chinese text.
ini() { utf16_ini "$d/$1"; }

# Frame: a 32-pixel caption strip whose 10-pixel end pieces have transparent outer corners.
c -size 366x32 gradient:'#3a8ad0-#2a6aa8' -alpha set -fill 'rgba(0,0,0,0)' \
  -draw 'color 0,0 point' -draw 'color 1,0 point' -draw 'color 0,1 point' \
  -draw 'color 365,0 point' -draw 'color 364,0 point' -draw 'color 365,1 point' "png32:$d/top.png"
c -size 366x4 xc:'#2a6aa8' "png32:$d/bottom.png"
c -size 2x40 xc:'#2a6aa8' "png32:$d/left.png"
c -size 2x40 xc:'#2a6aa8' "png32:$d/right.png"
pen='-stroke white -strokewidth 2'
glyph_strip "png32:$d/close.png" 20x20 'line 6,6 13,13 line 13,6 6,13' "#2a6aa8 $pen" "#d04040 $pen" "#902020 $pen" '#909090'
# Button strips: normal, hover, pressed, disabled. "later" is orange so tests can tell it apart.
flat_strip "png32:$d/button.png" 80x28 '#3b8fd6' '#57a6e8' '#2a6aa8' '#b0b0b0'
flat_strip "png32:$d/later.png" 80x28 '#e08a2a' '#f0a040' '#b06010' '#b0b0b0'
c -size 56x56 xc:none -fill '#3a9a5b' -draw 'roundrectangle 0,0 55,55 12,12' -fill white \
  -draw 'rectangle 14,12 41,19' -draw 'rectangle 24,12 31,44' "png32:$d/logo.png"
c -size 336x120 xc:white -fill none -stroke '#a8c0d8' -draw 'rectangle 0,0 335,119' "png32:$d/webbk.png"
c -size 64x64 xc:none -fill '#3a9a5b' -draw 'circle 32,32 32,2' -stroke white -strokewidth 6 -fill none \
  -draw 'polyline 17,33 28,44 47,22' "png32:$d/success.png"
for i in 1 2 3 4 5; do
  c -size 120x8 xc:none -fill '#c8d8e8' -draw 'roundrectangle 0,0 119,7 3,3' \
    -fill '#3a8ad0' -draw "roundrectangle $(( (i - 1) * 24 )),0 $(( i * 24 - 1 )),7 3,3" "png32:$d/color_$i.png"
done

image_table top.png bottom.png left.png right.png close.png button.png logo.png webbk.png later.png | ini ImageRes.ini

ini mainform.ini <<'INI'
[Window]
Mask_Color=255, 0, 255
Image_TopFrame=1
Image_BottomFrame=2
Image_LeftFrame=3
Image_RightFrame=4
Image_CloseBut=5
Top_LeftOffset=10
Top_RightOffset=10
Close_Point=-26,6
cutRound_Size=1,0
Icon_Point=8,8
Icon_Size=16,16
CaptionText_Rect=6, 26, 30, 320
CaptionText_Color=255, 255, 255
WindowBk_Color=246, 249, 252
MinTrac_Size=366,275
[WindowPanel]
Count=0
[UpdateBtn]
Image=6
Text=立即升级
TextColor=255,255,255
rect=176,236,256,264
[DelayBtn]
Image=9
Text=以后再说
TextColor=255,255,255
rect=266,236,346,264
[Logo]
Image=7
rect=20,44,76,100
[VisOffWebLink]
Text=访问官方网站
LinkColor=59,120,176
ActiveLinkColor=208,64,64
rect=20,245,0,0
[WebBk]
Image=8
rect=15,106,351,226
[VersionInfo]
TextColor=45,77,100
FontSize=14
rect=90,52,0,0
[FileSizeText]
TextColor=90,100,110
rect=90,78,0,0
INI

ini nomovreldlg.ini <<'INI'
[OKBtn]
Image=6
Text=确定
TextColor=255,255,255
rect=143,222,223,250
[StaticText]
Text=您使用的已经是最新版本，无需升级。
TextColor=45,77,100
FontSize=14
rect=100,66,0,0
[Logo]
Image=7
rect=28,60,84,116
[VisOffWebLink]
Text=访问官方网站
LinkColor=59,120,176
rect=20,231,0,0
[VersionInfo]
TextColor=90,100,110
rect=100,96,0,0
INI

ini movreldlg.ini <<'INI'
[CanelBtn]
Image=6
Text=取消
TextColor=255,255,255
rect=266,222,346,250
[ProgressBar]
rect=20,112,346,130
[ProgressTipText]
Text=正在下载升级文件，请稍候……
TextColor=45,77,100
FontSize=14
rect=20,72,0,0
[ProgressText]
TextColor=45,77,100
rect=172,140,0,0
INI

ini downMandlg.ini <<'INI'
[WindowPanel]
Count=0
[DownManBtn]
Image=6
Text=手动下载
TextColor=255,255,255
rect=143,222,223,250
[StaticText]
Text=自动升级失败，请手动下载最新版本。
TextColor=45,77,100
FontSize=14
rect=100,74,0,0
[Logo]
Image=7
rect=28,60,84,116
INI

ini update_suc.ini <<'INI'
[WindowPanel]
Count=1
panel_1=60, 160, 0, -1
panel_draw_1=3
panel_image_1=success.png
[OKBtn]
Image=6
Text=确定
TextColor=255,255,255
rect=143,222,223,250
INI
