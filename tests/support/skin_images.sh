# shellcheck shell=bash
# Drawing and ini helpers shared by the test-skin generators; source it. Images go through
# ImageMagick's convert; every helper writes one file and stops the script (set -e) on failure.

c() { convert "$@"; }

# utf16_ini <file>: stdin to <file> as UTF-16LE with a byte-order mark and CRLF line ends, the form the
# wide profile functions read Chinese text from.
utf16_ini() { sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$1"; }

# image_table <name>...: the numbered image table ("ImageRes.ini") on stdout; IMAGE_NUMBER, when set,
# overrides the count it declares.
image_table() {
  printf '[ImageRes]\nImageNumber=%s\n' "${IMAGE_NUMBER:-$#}"
  local i=0 name
  for name in "$@"; do
    i=$((i + 1))
    printf 'ImageID_%d=%s\n' "$i" "$name"
  done
}

# flat_strip <out> <WxH> <colour>... [-- <option>...]: frames of one flat colour each, side by side,
# then the options after "--" applied to the whole strip.
flat_strip() {
  local out=$1 size=$2 frames=()
  shift 2
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    frames+=("xc:$1")
    shift
  done
  [ $# -gt 0 ] && shift
  convert -size "$size" "${frames[@]}" +append "$@" "$out"
}

# glyph_strip <out> <WxH> <draw> <frame>...: frames side by side, each "<background> <pen options>"
# with <draw> drawn in that pen; a frame given as a background alone stays plain.
glyph_strip() {
  local out=$1 size=$2 draw=$3 all=() frame words
  shift 3
  for frame in "$@"; do
    read -r -a words <<< "$frame"
    if [ ${#words[@]} -gt 1 ]; then
      all+=(\( -size "$size" "xc:${words[0]}" "${words[@]:1}" -draw "$draw" \))
    else
      all+=(\( -size "$size" "xc:${words[0]}" \))
    fi
  done
  convert "${all[@]}" +append "$out"
}
