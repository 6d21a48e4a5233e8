#!/usr/bin/env bash
# Builds the project for one Windows architecture (default i686, the shipped one) into build/<arch>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-i686}
dir="${SORVIK_BUILD_ROOT:-$root/build}/$arch"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
fi
cmake --build "$dir" -j"$(nproc)" -- --no-print-directory 2>&1 | grep -vE '^\[ *[0-9]+%\] (Building|Linking|Built)|^Consolidate' || true
test "${PIPESTATUS[0]}" -eq 0
