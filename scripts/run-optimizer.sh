#!/usr/bin/env bash
# Builds what is missing, starts the local stand-in of the maker's web services, installs the product
# silently into the Wine prefix pointed at the stand-in, and opens the installed Sorvik. With no
# display it runs on Xvfb, saves a screenshot and prints where it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/prepare.sh"
. "$root/scripts/wine-env.sh"
arch=$SORVIK_TEST_ARCH
build="${SORVIK_BUILD_ROOT:-$root/build}/$arch"

if [ ! -f "$root/optimizer/core/main_window/main_window.cpp" ]; then
  echo "run: Sorvik is built ($build/product/Sorvik.exe), but its main window is not written yet: there is nothing to show."
  echo "run: the service optimisation and game-mode core exist and are exercised by 'bash scripts/test.sh'."
  exit 0
fi

# The stand-in offers this very build as the current release, so the updater finds nothing newer.
work=$(mktemp -d)
log="$build/standin-requests.jsonl"
: > "$log"
python3 "$root/scripts/standin_services.py" "$work/port" --log "$log" --release "$build" > "$work/standin.out" &
standin_pid=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
base="http://127.0.0.1:$(cat "$work/port")"
printf '[hosts]\r\nstatistics=%s\r\nip=%s\r\nupdate=%s\r\nweb=%s\r\nplugin=%s/plugin.html\r\nspeedtest=%s\r\n' \
  "$base" "$base" "$base" "$base" "$base" "$base" > "$work/service_hosts.ini"
echo "run: stand-in web services at $base, requests logged to $log"

ensure_wine_prefix
headless=0
[ -n "${DISPLAY:-}" ] || headless=1
ensure_display
trap 'kill "$standin_pid" 2>/dev/null; rm -rf "$work"; stop_own_display' EXIT

# Installed as a user would, with the stand-in's addresses as the deployment settings.
wine_cmd "$WINE_BIN" "$build/Sorvik_Setup.exe" /S "/HOSTS=Z:${work//\//\\}\\service_hosts.ini"
folder=$(wine_cmd "$WINE_BIN" reg query 'HKCU\SOFTWARE\VarnioWorks\Sorvik' /v path 2>/dev/null |
  sed -n 's/^ *path *REG_SZ *//p' | tr -d '\r')
[ -n "$folder" ] || { echo "run: the installation failed" >&2; exit 1; }
echo "run: installed into $folder (in the Wine prefix $WINEPREFIX)"

wine_cmd "$WINE_BIN" "$folder\\Sorvik.exe" &
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
