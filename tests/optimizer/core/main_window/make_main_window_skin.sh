#!/usr/bin/env bash
# Draws a test skin for Sorvik's main window into <out>/Sk_sv/: every control section of
# "varniosorvik.ini", its images, "Strip_1.png"/"Strip_2.png", and the message box files (from the
# window tests' skin script). A calm, plain look; images are made here, never committed.
# Usage: make_main_window_skin.sh <output folder>
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/../../../skin/make_window_skins.sh" "$out"
s="$out/Sk_sv"
cjk=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
[ -f "$cjk" ] || cjk=DejaVu-Sans
source "$here/../../../support/skin_images.sh"
band='#2d6fb0'; page='#f4f7fa'; ink='#3a434a'; accent='#2d7fd0'

# Window background: title band with the name, the tab row, the page below.
c -size 652x456 xc:"$page" -fill "$band" -draw 'rectangle 0,0 651,79' \
  -fill white -font "$cjk" -pointsize 18 -annotate +16+28 'Sorvik' \
  -fill '#c9dcef' -pointsize 11 -annotate +88+27 '网页游戏加速器' \
  -stroke '#1f5690' -fill none -draw 'rectangle 0,0 651,455' "png32:$s/window_bk.png"
# Page panels: network and tools (pages 1, 2), game mode above the process list (page 0).
c -size 638x369 xc:white -stroke '#d3dde6' -fill none -draw 'rectangle 0,0 637,368' "png32:$s/page_bk.png"
c -size 638x176 xc:white -stroke '#d3dde6' -fill none -draw 'rectangle 0,0 637,175' \
  -stroke '#e3eaf0' -draw 'line 318,18 318,158' -stroke none \
  -fill "$ink" -font "$cjk" -pointsize 13 -annotate +18+28 '游戏模式' -annotate +330+28 '内存整理' \
  "png32:$s/game_bk.png"

# Caption buttons: four 28 x 22 frames (normal, hover, pressed, disabled).
sysbtn() {  # file glyph
  local pen='-stroke white -strokewidth 2'
  glyph_strip "png32:$1" 28x22 "$2" "$band $pen" "#3f82c4 $pen" "#1f5690 $pen" "$band $pen"
}
sysbtn "$s/sys_close.png" 'line 9,6 18,15 line 18,6 9,15'
sysbtn "$s/sys_min.png" 'line 9,14 18,14'

# Tabs: three 110 x 34 frames (normal, hot, selected) with their names.
tab() {  # file text
  c \( -size 110x34 xc:"$band" -fill '#dce8f4' -font "$cjk" -pointsize 14 -gravity center -annotate +0+0 "$2" \) \
    \( -size 110x34 xc:'#3f82c4' -fill white -font "$cjk" -pointsize 14 -gravity center -annotate +0+0 "$2" \) \
    \( -size 110x34 xc:"$page" -fill "$accent" -font "$cjk" -pointsize 14 -gravity center -annotate +0+0 "$2" \) \
    +append "png32:$1"
}
tab "$s/tab_game.png" '游戏加速'
tab "$s/tab_net.png" '网络测速'
tab "$s/tab_tools.png" '游戏工具'

# Command buttons: light faces for the dark captions the window sets, four frames each.
button() {  # file width height
  glyph_strip "png32:$1" "$2x$3" "roundrectangle 0,0 $(($2 - 1)),$(($3 - 1)) 5,5" 'none -fill #eef5fc -stroke #6a9fd4' \
    'none -fill #ddebf9 -stroke #4f8bc6' 'none -fill #c6dcf3 -stroke #3f77b0' 'none -fill #f2f2f2 -stroke #c4c4c4'
}
button "$s/button_big.png" 120 36
button "$s/button.png" 100 32

# Emblems: a ringed disc, then the given drawing over it.
emblem() {  # file size face ring option...
  local half=$(($2 / 2)) inset=$(($2 / 16))
  c -size "$2x$2" xc:none -fill "$3" -stroke "$4" -strokewidth 3 -draw "circle $half,$half $half,$inset" "${@:5}" "png32:$1"
}
# Emblems and the circles of a running sweep (90 x 90); the middle circle has 20 frames.
emblem "$s/game_icon.png" 90 '#e6f0fa' "$accent" -stroke none -fill "$accent" -draw 'polygon 45,20 62,55 45,48 28,55'
emblem "$s/memory_icon.png" 90 '#eaf6ee' '#3a9a5b' \
  -stroke none -fill '#3a9a5b' -draw 'rectangle 30,32 60,58' -fill '#eaf6ee' -draw 'rectangle 35,37 55,53'
c -size 90x90 xc:none -fill none -stroke '#d6e4f2' -strokewidth 6 -draw 'circle 45,45 45,8' "png32:$s/ring.png"
c -size 90x90 xc:none -fill '#f7fbff' -draw 'circle 45,45 45,16' "png32:$s/ring_inner.png"
spin() {  # file colour: 20 frames of an arc that turns 18 degrees a frame
  local frames=() k
  for k in $(seq 0 19); do
    frames+=(\( -size 90x90 xc:none -fill none -stroke "$2" -strokewidth 6 -draw "arc 8,8 82,82 $((k * 18)) $((k * 18 + 100))" \))
  done
  c "${frames[@]}" +append "png32:$1"
}
spin "$s/ring_spin.png" "$accent"
spin "$s/ring_spin_green.png" '#3a9a5b'
# Texts around the service count and the memory tool.
label() {  # file text size colour
  c -background none -fill "$4" -font "$cjk" -pointsize "$3" label:"$2" "png32:$1"
}
label "$s/found.png" '发现' 13 "$ink"
label "$s/services.png" '项可优化的服务' 13 "$ink"
label "$s/memory_title.png" '一键整理内存' 13 "$ink"
label "$s/memory_hint.png" '释放内存，让游戏更流畅' 12 '#7a858e'
label "$s/vm_text.png" '虚拟内存设置不合理，可能影响游戏运行' 12 '#b06010'
c -size 16x16 xc:none -fill '#e8a020' -draw 'polygon 8,1 15,14 1,14' -fill white -draw 'rectangle 7,5 8,10' \
  "png32:$s/vm_icon.png"
# Result bars.
c -size 40x8 xc:'#b7c3cd' "png32:$s/Strip_1.png"
c -size 40x8 gradient:'#7ccf8f-#2f9a50' -rotate 90 -resize 40x8\! "png32:$s/Strip_2.png"
# Network page: gauge, scale, bars and the repair pictures.
c -size 200x110 xc:none -fill none -stroke '#d6e4f2' -strokewidth 14 -draw 'arc 20,20 180,180 180 360' \
  "png32:$s/gauge_bk.png"
c -size 200x110 xc:none -fill none -stroke "$accent" -strokewidth 2 -draw 'arc 6,6 194,194 180 360' \
  -fill "$ink" -stroke none -font "$cjk" -pointsize 10 -annotate +4+106 '0' -annotate +92+12 '4M' -annotate +180+106 '8M+' \
  "png32:$s/gauge_scale.png"
c -size 9x14 xc:'#e3eaf0' "png32:$s/bar_bk.png"
c -size 9x12 xc:"$accent" "png32:$s/bar_fill.png"
emblem "$s/repair_icon.png" 64 '#e6f0fa' "$accent" -stroke "$accent" -strokewidth 5 -draw 'line 22,42 42,22'
emblem "$s/succeed_icon.png" 64 '#eaf6ee' '#3a9a5b' -fill none -strokewidth 5 -draw 'polyline 18,33 28,43 46,23'
emblem "$s/warn_icon.png" 64 '#fdf3e3' '#e8a020' \
  -stroke none -fill '#e8a020' -draw 'rectangle 29,16 35,38' -draw 'rectangle 29,43 35,49'
c -size 20x20 xc:none -fill '#e8a020' -draw 'circle 10,10 10,1' -fill white -draw 'rectangle 9,5 11,12' \
  -draw 'rectangle 9,14 11,15' "png32:$s/speed_warn.png"

image_table window_bk.png page_bk.png game_bk.png sys_close.png sys_min.png tab_game.png tab_net.png \
  tab_tools.png button_big.png button.png game_icon.png memory_icon.png ring.png ring_spin.png ring_inner.png \
  ring_spin_green.png found.png services.png memory_title.png memory_hint.png vm_icon.png vm_text.png gauge_bk.png \
  gauge_scale.png bar_bk.png bar_fill.png repair_icon.png succeed_icon.png warn_icon.png speed_warn.png Strip_2.png \
  > "$s/ImageRes.ini"

# Control sections; UTF-16 with a byte-order mark, so the profile functions read the Chinese texts.
utf16_ini "$s/varniosorvik.ini" <<'INI'
[WindowBk]
Image=1
rect=0,0,652,456
[WindowBk2]
Image=2
rect=7,83,645,452
[WindowBk3]
Image=3
rect=7,83,645,259
[SysCloseBtn]
Image=4
TipText=关闭到托盘
rect=-34,1,-6,23
[SysMinBtn]
Image=5
TipText=最小化
rect=-62,1,-34,23
[MainTabUI]
ItemCount=3
Image_Item1=6
Image_Item2=7
Image_Item3=8
ItemDistance=4
Left=14
Top=46
Right=350
Bottom=80
[BoostIcon1]
Image=17
rect=134,177,166,195
[BoostIcon2]
Image=19
rect=430,150,600,170
[BoostIcon3]
Image=18
rect=184,177,300,195
[BoostIcon4]
Image=20
rect=430,177,640,195
[BoostIcon5]
Image=11
rect=30,160,120,250
[BoostIcon6]
Image=12
rect=322,160,412,250
[ChaosCircle1]
Image=13
rect=30,160,120,250
[ChaosCircle2]
Image=14
rect=30,160,120,250
[ChaosCircle3]
Image=15
Style=0
rect=30,160,120,250
[ChaosCircle21]
Image=13
rect=322,160,412,250
[ChaosCircle22]
Image=16
rect=322,160,412,250
[ChaosCircle23]
Image=15
rect=322,160,412,250
[BeginBoostBtn]
Image=9
Text=开启游戏模式
rect=165,212,285,248
[CancelBoostBtn]
Image=9
Text=退出游戏模式
rect=165,212,285,248
[BeginMemoryBtn]
Image=9
Text=立即整理
rect=450,212,570,248
[VirtualMemory]
Image=21
rect=14,266,30,282
[VirtualMemoryWarning]
Image=22
rect=36,266,300,284
[VirtualMemoryLink]
Text=立即优化
LinkColor=45,127,208
ActiveLinkColor=31,95,158
Style=0
rect=290,268,0,0
[NetWorkSpeedBk]
Image=23
rect=40,110,240,220
[Calibration]
Image=24
rect=40,110,240,220
[NetWorkSpeedProgress1]
ImageBk=25
Image=26
rect=270,160,600,174
[NetWorkSpeedProgress2]
ImageBk=25
Image=26
rect=60,226,220,240
[TestNetWorkSpeedStatic]
Text=正在自动测试网速,请稍后...
TextColor=58,67,74
FontSize=14
rect=270,120
[NetWorkSpeedStatic]
Text=0KB/秒
TextColor=45,127,208
FontSize=16
rect=270,188
[TestNetWorkSpeedStatic2]
Text=测速已取消,可以重新测试
TextColor=58,67,74
FontSize=14
rect=270,120
[BandWidthText]
rect=270,210
[BandWidth]
Text=您当前的网速带宽在
FontSize=12
rect=270,214
[SpeedFailedWarnIcon]
Image=30
rect=244,117,264,137
[CancelSpeedBtn]
Image=10
Text=取消测速
rect=500,204,600,236
[RestartSpeedBtn]
Image=10
Text=重新测速
rect=500,204,600,236
[SpeedFailedBtn]
Image=10
Text=重新测速
rect=500,204,600,236
[FlashLink]
Text=下载最新的Flash插件
LinkColor=45,127,208
ActiveLinkColor=31,95,158
rect=40,250,0,0
[RepairIcon]
Image=27
rect=40,300,104,364
[SucceedIcon]
Image=28
rect=40,300,104,364
[WarnIcon]
Image=29
rect=40,300,104,364
[RepairProgressBarCtrl]
ImageBk=25
Image=26
rect=130,350,460,364
[RepairSateStatic]
Text=正在修复游戏,清理浏览器缓存...
FontSize=14
rect=130,312
[RepairCompleteStatic]
Text=修复完成！游戏缓存已清理
TextColor=58,154,91
FontSize=14
rect=130,312
[RepairCancelStatic]
Text=修复已取消
TextColor=176,96,16
FontSize=14
rect=130,312
[FeedBackStatic]
Text=游戏打不开或者显示不正常?
TextColor=122,133,142
rect=130,400
[BeginRepairBtn]
Image=10
Text=开始修复
rect=500,316,600,348
[EndRepairBtn]
Image=10
Text=取消修复
rect=500,316,600,348
[ReRepairBtn]
Image=10
Text=再次修复
rect=500,316,600,348
[RepairSateLink]
Text=反馈问题
LinkColor=45,127,208
ActiveLinkColor=31,95,158
rect=300,400,0,0
INI
