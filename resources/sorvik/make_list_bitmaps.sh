#!/usr/bin/env bash
# Draws the process list's built-in header bitmap into <out>/list_header.bmp: 24 x 29 pixels in 4-pixel
# slices; x 0 the header background, x 4 the column divider (drawn at each column's right edge), x 8 the
# column under the mouse, x 16 the pressed column. Nothing is committed but this script.
set -euo pipefail
out=$1
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 4x29 gradient:'#f7fbfe'-'#dcebf7' "$tmp/bg.png"
convert -size 3x29 gradient:'#f7fbfe'-'#dcebf7' -size 1x29 gradient:'#dbe8f3'-'#a9c4dc' +append "$tmp/divider.png"
convert -size 4x29 gradient:'#eaf5fe'-'#c6e0f6' "$tmp/hover.png"
convert -size 4x29 gradient:'#c2daef'-'#b0cfea' "$tmp/pressed.png"
convert "$tmp/bg.png" "$tmp/divider.png" "$tmp/hover.png" "$tmp/bg.png" "$tmp/pressed.png" "$tmp/bg.png" \
  +append -alpha off -type TrueColor "BMP3:$out/list_header.bmp"
