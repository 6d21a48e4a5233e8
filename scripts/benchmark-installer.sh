#!/usr/bin/env bash
# Prints the installer's figures (not a test, it never fails on slow ones): its size, and the
# wall-clock seconds of a silent installation and a silent uninstallation in the Wine prefix, best of
# three. Installs into a folder of its own and removes it again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
arch=$(wine_test_arch)
bash "$root/scripts/build.sh" "$arch"
installer="${SORVIK_BUILD_ROOT:-$root/build}/$arch/Sorvik_Setup.exe"

work=$(mktemp -d /tmp/sorvik-bench.XXXXXX)
ensure_wine_prefix
ensure_display
trap 'rm -rf "$work"; stop_own_display' EXIT
warm_wine_session

target='C:\users\Public\SorvikBenchmark'
target_unix="$WINEPREFIX/drive_c/users/Public/SorvikBenchmark"
seconds() {  # runs a command, prints its wall-clock seconds
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }'
}
best() { printf '%s\n' "$@" | sort -g | head -n1; }

installs=() uninstalls=()
for _ in 1 2 3; do
  installs+=("$(seconds wine_cmd "$WINE_BIN" "$installer" /S "/D=$target")")
  [ -f "$target_unix/Uninstall.exe" ] || { echo "benchmark: the installation failed" >&2; exit 1; }
  # A copy told where the installation is runs to its end; the one in the folder would hand over.
  cp "$target_unix/Uninstall.exe" "$work/uninstall.exe"
  uninstalls+=("$(seconds wine_cmd "$WINE_BIN" "Z:${work//\//\\}\\uninstall.exe" /S "_?=$target")")
done
echo "installer: $(stat -c %s "$installer") bytes ($arch); silent install $(best "${installs[@]}") s," \
  "silent uninstall $(best "${uninstalls[@]}") s (best of three under Wine)"
