#!/usr/bin/env bash
# Builds and runs the transfer and digest benchmark: MD5 of a 256 MB file next to md5sum, and a
# download of that file from one loopback server by the transfer layer (under Wine) next to the curl
# command-line tool; then the CPU time of one process-list refresh with about 100 processes against a
# bare snapshot-and-open loop, the deletion of a generated cache tree next to "cmd /c rd /s /q", and one
# memory clean-up over about 100 processes; then the updater's whole update path (its download task,
# both digests of the held package and the signature) next to the same curl figure, and the updater's
# fuzz program. Prints throughputs and ratios; it never fails on slow figures.
#   scripts/benchmark.sh [size in MB, default 256]
# Then the optimizer window's figures: one repaint of the first page, start-up time as a ratio to a program
# that opens one window, and the private bytes of Sorvik idle for a minute (SORVIK_IDLE_SECONDS).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
size_mb=${1:-256}
. "$root/scripts/wine-env.sh"
arch=$(wine_test_arch)
bash "$root/scripts/build.sh" "$arch"
exe="${SORVIK_BUILD_ROOT:-$root/build}/$arch/tests/common/common_benchmark.exe"
updater_tests="${SORVIK_BUILD_ROOT:-$root/build}/$arch/tests/updater"
command -v curl >/dev/null || { echo "benchmark: the curl command-line tool is missing (scripts/setup.sh installs it)"; exit 1; }

work=$(mktemp -d /tmp/sorvik-bench.XXXXXX)
server_pid=""
cleanup() {
  [ -z "$server_pid" ] || kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
# The display comes first: a Wine session started without one never gets it, and the window figures
# at the end need it.
trap 'cleanup; stop_own_display' EXIT
ensure_display
head -c "$((size_mb * 1024 * 1024))" /dev/urandom > "$work/data.bin"

# Best wall-clock seconds of three runs of a command; stops the benchmark when the command fails.
best_of_three() {
  local best="" t
  for _ in 1 2 3; do
    if ! /usr/bin/time -f %e -o "$work/time" "$@" >/dev/null 2>&1; then
      echo "benchmark: '$*' failed; no figures" >&2
      exit 1
    fi
    t=$(tail -n1 "$work/time")
    best=$(awk -v a="$t" -v b="${best:-$t}" 'BEGIN { print (a < b ? a : b) }')
  done
  echo "$best"
}
digest=$(md5sum "$work/data.bin" | cut -d' ' -f1)
sha256=$(sha256sum "$work/data.bin" | cut -d' ' -f1)
md5sum_s=$(best_of_three md5sum "$work/data.bin")

# One native server for both clients; it reports its port in a file.
python3 - "$work" > "$work/server.log" 2>&1 <<'PY' &
import functools, http.server, os, sys
folder = sys.argv[1]
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
handler.log_message = lambda *args: None
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
with open(os.path.join(folder, "port.tmp"), "w") as f:
    f.write(str(server.server_address[1]))
os.rename(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
server.serve_forever()
PY
server_pid=$!
for _ in $(seq 100); do [ -f "$work/port" ] && break; sleep 0.1; done
url="http://127.0.0.1:$(cat "$work/port")/data.bin"
curl_s=$(best_of_three curl -sf -o "$work/curl.out" "$url")
[ "$(md5sum < "$work/curl.out" | cut -d' ' -f1)" = "$digest" ] || { echo "benchmark: curl fetched other bytes" >&2; exit 1; }
rm -f "$work/curl.out"

ensure_wine_prefix
echo "benchmark: md5sum ${md5sum_s}s, curl ${curl_s}s for ${size_mb} MB; now the transfer layer under Wine ($arch)"
if [ "$arch" != i686 ]; then
  echo "benchmark: NOTE the figures below are of the $arch build of the same sources, NOT of the shipped i686"
  echo "           programs (this host cannot run 32-bit programs, or SORVIK_TEST_ARCH chose $arch)"
fi
wine_cmd "$WINE_BIN" "$exe" "Z:${work//\//\\}\\data.bin" "$url" "$md5sum_s" "$curl_s" "$digest"

# The process list: one refresh with about 100 processes running, against a bare snapshot-and-open loop.
wine_cmd "$WINE_BIN" "${SORVIK_BUILD_ROOT:-$root/build}/$arch/tests/optimizer/tools/process_list/process_list_benchmark.exe"

# Game repair's deletion of a 20 000-file cache tree next to cmd's own, and one memory clean-up.
wine_cmd "$WINE_BIN" "${SORVIK_BUILD_ROOT:-$root/build}/$arch/tests/optimizer/tools/repair/repair_benchmark.exe"
wine_cmd "$WINE_BIN" "${SORVIK_BUILD_ROOT:-$root/build}/$arch/tests/optimizer/tools/memory/memory_benchmark.exe"

echo "benchmark: the updater's whole update path (download, both digests, signature) under Wine ($arch)"
wine_cmd "$WINE_BIN" "$updater_tests/updater_benchmark.exe" "$url" "$curl_s" "$digest" "$sha256" || true
echo "benchmark: the updater's parsers and decision on one million generated and mutated inputs"
wine_cmd "$WINE_BIN" "$updater_tests/updater_fuzz.exe" 1000000 || true

# The optimizer's window: first-page repaint, start-up against a one-window program, idle private bytes.
optimizer_exe="${SORVIK_BUILD_ROOT:-$root/build}/$arch/tests/optimizer/core/main_window/optimizer_benchmark.exe"
wine_cmd "$WINE_BIN" "$optimizer_exe" "${SORVIK_IDLE_SECONDS:-60}"
