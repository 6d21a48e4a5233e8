#!/usr/bin/env bash
# Draws the two program icons into OUTDIR: sorvik.ico (the optimizer, resource 106) and tavisk.ico
# (the updater, resource 107), each with 16, 32 and 48 pixel images.
set -euo pipefail
out=$1
mkdir -p "$out"
icon() {  # name colour letter
  local tmp; tmp=$(mktemp -d)
  for s in 16 32 48; do
    convert -size 256x256 xc:none -fill "$2" -draw "roundrectangle 8,8 247,247 56,56" \
      -fill white -font DejaVu-Sans-Bold -pointsize 170 -gravity center -annotate +0+8 "$3" \
      -resize ${s}x${s} "$tmp/$s.png"
  done
  convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$out/$1.ico"
  rm -rf "$tmp"
}
icon sorvik '#2d7fd0' S
icon tavisk '#3a9a5b' T
