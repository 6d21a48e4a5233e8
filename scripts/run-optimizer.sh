#!/usr/bin/env bash
# Builds what is missing and opens Sorvik under Wine. With no display it runs on Xvfb, saves a
# screenshot and prints where it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/prepare.sh"
. "$root/scripts/wine-env.sh"
arch=$SORVIK_TEST_ARCH
program="${SORVIK_BUILD_ROOT:-$root/build}/$arch/product/Sorvik.exe"

if [ ! -f "$root/optimizer/core/main_window/main_window.cpp" ]; then
  echo "run: Sorvik is built ($program), but its main window is not written yet: there is nothing to show."
  echo "run: the service optimisation and game-mode core exist and are exercised by 'bash scripts/test.sh'."
  exit 0
fi

# The maker's web services, stood in for on loopback; both programs read their addresses from the
# hosts file beside them.
port_file=$(mktemp)
python3 "$root/scripts/standin_services.py" "$port_file" &
standin_pid=$!
for _ in $(seq 50); do [ -s "$port_file" ] && break; sleep 0.1; done
base="http://127.0.0.1:$(cat "$port_file")"
printf '[hosts]\nstatistics=%s\nip=%s\nupdate=%s\nweb=%s\n' "$base" "$base" "$base" "$base" > "$(dirname "$program")/service_hosts.ini"
echo "run: stand-in web services at $base"

ensure_wine_prefix
headless=0
[ -n "${DISPLAY:-}" ] || headless=1
ensure_display
trap 'kill "$standin_pid" 2>/dev/null; rm -f "$port_file"; stop_own_display' EXIT
wine_cmd "$WINE_BIN" "$program" &
pid=$!
if [ "$headless" = 1 ]; then
  sleep 8
  shot="$root/build/sorvik-screenshot.png"
  import -window root "$shot"
  echo "run: no display, so Sorvik ran on Xvfb; screenshot saved to $shot"
  kill "$pid" 2>/dev/null || true
else
  wait "$pid"
fi
