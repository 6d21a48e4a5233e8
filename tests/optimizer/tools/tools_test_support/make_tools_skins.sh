#!/usr/bin/env bash
# Writes the optimizer-tool test skin into <out>/Sk_sv: the message box images of the window tests,
# plus the page-file dialogs' and the process list's fixed images. Every state of a control has its own
# flat colour, so a test can tell from one pixel which state is drawn. Images are made here, never
# committed.
set -euo pipefail
out=$1
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/../../../skin/make_window_skins.sh" "$out"
s="$out/Sk_sv"
source "$here/../../../support/skin_images.sh"
cjk=$(fc-list :lang=zh file | head -n1 | cut -d: -f1)

# Background 420 x 290: a rounded card with a title band and a soft translucent edge.
c -size 420x290 xc:none -fill 'rgba(40,80,120,0.30)' -draw 'roundrectangle 0,0 419,289 12,12' \
  -fill '#f7fbfe' -stroke '#7fa7c9' -strokewidth 1 -draw 'roundrectangle 2,2 417,287 10,10' \
  -stroke none -fill '#3d7fbf' -draw 'roundrectangle 3,3 416,34 9,9' -draw 'rectangle 3,20 416,34' \
  "png32:$s/win_bg.png"
c -size 56x56 xc:none -fill '#e89a1c' -draw 'polygon 28,3 54,52 2,52' -fill white \
  -draw 'rectangle 26,18 30,38' -draw 'rectangle 26,42 30,47' "png32:$s/warning_icon1.png"
# Check strip of six 14 x 14 frames: unchecked normal, hover, disabled, checked normal, hover, disabled.
flat_strip "png32:$s/select.png" 14x14 'rgb(250,250,250)' 'rgb(220,235,250)' 'rgb(200,200,200)' \
  'rgb(40,140,60)' 'rgb(60,170,80)' 'rgb(120,160,120)'
# Button face, three 80 x 28 states (normal, hover, pressed); close button, four 24 x 20 states.
flat_strip "png32:$s/common_button_bg.png" 80x28 'rgb(59,120,176)' 'rgb(80,144,208)' 'rgb(42,90,136)'
flat_strip "png32:$s/close.png" 24x20 'rgb(61,127,191)' 'rgb(208,64,64)' 'rgb(128,32,32)' 'rgb(144,144,144)' -- \
  -fill white -draw 'line 8,6 15,13 line 15,6 8,13 line 32,6 39,13 line 39,6 32,13' \
  -draw 'line 56,6 63,13 line 63,6 56,13 line 80,6 87,13 line 87,6 80,13'
c -size 380x150 xc:none -fill '#2b4b64' -font "$cjk" -pointsize 15 \
  -annotate +70+40 '虚拟内存设置已更改,' -annotate +70+70 '重新启动计算机后生效。' \
  -annotate +70+100 '是否立即重新启动?' -fill '#3d7fbf' -draw 'circle 30,60 30,36' -fill white \
  -draw 'rectangle 28,46 32,64' -draw 'rectangle 28,68 32,73' "png32:$s/reboot_text.png"
# End-process button: three 65 x 22 states (normal, hover, pressed).
flat_strip "png32:$s/end_button.png" 65x22 'rgb(230,90,70)' 'rgb(250,120,90)' 'rgb(180,60,50)' -- \
  -fill white -font "$cjk" -pointsize 12 -gravity west -annotate +8+0 '结束进程' -annotate +73+0 '结束进程' \
  -annotate +138+0 '结束进程'
