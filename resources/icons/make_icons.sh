#!/usr/bin/env bash
# Draws the two program icons into OUTDIR: sorvik.ico (the optimizer, resource 106) and tavisk.ico
# (the updater, resource 107), each with 16, 32 and 48 pixel images, in the skins' palette.
set -euo pipefail
exec python3 "$(dirname "$0")/make_icons.py" "$1"
