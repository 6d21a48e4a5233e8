#!/usr/bin/env bash
# Builds what is missing, starts the local stand-in of the maker's web services, installs the product
# silently into the Wine prefix pointed at the stand-in, and opens the installed Sorvik. With no
# display it runs on Xvfb, saves a screenshot of each of the three pages, prints where they are and
# closes Sorvik again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/prepare.sh"
. "$root/scripts/wine-env.sh"
. "$root/scripts/with-standin.sh"
arch=$SORVIK_TEST_ARCH
build="${SORVIK_BUILD_ROOT:-$root/build}/$arch"
pages="$build/tests/support/sorvik_pages.exe"  # built with the tests

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
work=$(mktemp -d /tmp/sorvik-run.XXXXXX)
trap 'stop_standin; rm -rf "$work"; stop_own_display' EXIT
# The stand-in offers this very build as the current release, so the updater finds nothing newer.
log="$build/standin-requests.jsonl"
start_standin "$work" "$log" "$build"
echo "run: stand-in web services at $SORVIK_STANDIN_URL, requests logged to $log"

ensure_wine_prefix
ensure_display
warm_wine_session

# Installed as a user would, with the stand-in's addresses as the deployment settings.
wine_cmd "$WINE_BIN" "$build/Sorvik_Setup.exe" /S "/HOSTS=Z:${SORVIK_STANDIN_HOSTS//\//\\}"
folder=$(wine_cmd "$WINE_BIN" reg query 'HKCU\SOFTWARE\VarnioWorks\Sorvik' /v path 2>/dev/null |
  sed -n 's/^ *path *REG_[A-Z_]* *//p' | tr -d '\r')
[ -n "$folder" ] || { echo "run: the installation failed" >&2; exit 1; }
echo "run: installed into $folder (in the Wine prefix $WINEPREFIX)"

wine_cmd "$WINE_BIN" "$folder\\Sorvik.exe" </dev/null &
sorvik=$!
if [ "$headless" = 0 ]; then
  echo "run: Sorvik is open; quit it from its tray menu to end this command"
  wait "$sorvik" || true
  exit 0
fi

# No display: each page in turn on Xvfb, driven by the commands of Sorvik's tray menu.
shots="$build/screenshots"
mkdir -p "$shots"
drive() { wine_cmd "$WINE_BIN" "$pages" "$1" 2>/dev/null | tr -d '\r'; }
shoot() {  # <file name> <window place>: the window's part of the screen
  import -window root -crop "$2" +repage "$shots/$1"
  echo "run: $shots/$1"
}
place=$(drive wait) || { echo "run: Sorvik's window did not open" >&2; exit 1; }
sleep 3  # the process list's first refresh
echo "run: no display, so Sorvik runs on Xvfb; screenshots of its pages:"
shoot page1_game_mode.png "$place"
drive network >/dev/null
sleep 20  # the speed test runs for about fifteen seconds, then the gauge swings to the average
shoot page2_network.png "$place"
drive tools >/dev/null
sleep 3
shoot page3_tools.png "$place"
drive quit >/dev/null || echo "run: Sorvik did not quit in time" >&2
wait "$sorvik" 2>/dev/null || true

# What Sorvik and its updater asked of the stand-in.
echo "run: requests the stand-in answered:"
python3 - "$log" <<'EOF'
import collections, json, sys
counts, sent = collections.Counter(), collections.Counter()
for line in open(sys.argv[1], encoding="utf-8"):
    record = json.loads(line)
    key = (record["path"], record["status"])
    counts[key] += 1
    sent[key] += record["bytes"]
for key in sorted(counts):
    print("run:   %d x %s -> %d, %d bytes" % (counts[key], key[0], key[1], sent[key]))
EOF
