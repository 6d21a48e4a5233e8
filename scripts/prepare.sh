#!/usr/bin/env bash
# Installs and builds whatever is missing: packages, third-party libraries, the shipped 32-bit programs
# and, where the tests run as 64-bit programs, the x86_64 build as well.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
bash "$root/scripts/build.sh" i686
[ "$SORVIK_TEST_ARCH" = i686 ] || bash "$root/scripts/build.sh" "$SORVIK_TEST_ARCH"
