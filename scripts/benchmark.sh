#!/usr/bin/env bash
# Builds and runs the transfer and digest benchmark: MD5 of a 256 MB file next to md5sum, and a
# download of that file from one loopback server by the transfer layer (under Wine) next to the curl
# command-line tool; then the CPU time of one process-list refresh with about 100 processes against a
# bare snapshot-and-open loop, the deletion of a generated cache tree next to "cmd /c rd /s /q", and one
# memory clean-up over about 100 processes; then the updater's whole update path (its download task,
# both digests of the held package and the signature) next to the same curl figure, and the updater's
# fuzz program. Prints throughputs and ratios; it never fails on slow figures.
#   scripts/benchmark.sh [size in MB, default 256]
# Then the optimizer window's figures: one repaint of the first page, the phases of its start-up, start-up
# time as a ratio to a program that opens one window, and the private bytes of Sorvik idle for a minute
# (SORVIK_IDLE_SECONDS), next to the same figures of the build before the change (SORVIK_BENCH_BASE).
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

# The optimizer's window: first-page repaint, start-up phases, start-up against a one-window program, idle
# private bytes; each of this tree and of the build before the change (SORVIK_BENCH_BASE, default the commit
# this branch left main at, or the first parent when it is main), built from a worktree of that commit into
# a build root of its own, with this tree's benchmark program so that both print the same figures.
optimizer_benchmark() {  # build root, label
  local exe="$1/$arch/tests/optimizer/core/main_window/optimizer_benchmark.exe"
  echo "benchmark: the optimizer's window, $2"
  # Into a file, not a pipe: background processes of Wine keep its output open until the session ends.
  wine_cmd "$WINE_BIN" "$exe" "${SORVIK_IDLE_SECONDS:-60}" >"$work/figures-$2" 2>&1 || true
  cat "$work/figures-$2"
}
base_commit=${SORVIK_BENCH_BASE:-$(git -C "$root" merge-base HEAD main 2>/dev/null || true)}
if [ -z "$base_commit" ] || [ "$(git -C "$root" rev-parse "$base_commit")" = "$(git -C "$root" rev-parse HEAD)" ]; then
  base_commit=$(git -C "$root" rev-parse HEAD~1)
fi
base_tree="$root/build-base"  # under /work like the main tree, so the compiler cache serves both
if [ "$(git -C "$base_tree" rev-parse HEAD 2>/dev/null)" != "$(git -C "$root" rev-parse "$base_commit")" ]; then
  git -C "$root" worktree remove --force "$base_tree" 2>/dev/null || rm -rf "$base_tree"
  git -C "$root" worktree prune
  git -C "$root" worktree add --detach "$base_tree" "$base_commit" >/dev/null
fi
[ -e "$base_tree/.deps" ] || ln -s "$(readlink -f "$root/.deps")" "$base_tree/.deps"
cp "$root/tests/optimizer/core/optimizer_benchmark.cpp" "$base_tree/tests/optimizer/core/optimizer_benchmark.cpp"
# The pane's template, which this program's pane figure needs, where the earlier list of its parts lacks it.
grep -q "optimizer_benchmark.*sorvik_tools_resources\|^  sorvik_tools_resources)" "$base_tree/tests/optimizer/core/CMakeLists.txt" ||
  echo 'target_link_libraries(optimizer_benchmark PRIVATE sorvik_tools_resources)' >>"$base_tree/tests/optimizer/core/CMakeLists.txt"
base_build="$base_tree/build"
if [ ! -f "$base_build/$arch/CMakeCache.txt" ]; then
  cmake -S "$base_tree" -B "$base_build/$arch" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$base_tree/cmake/mingw-$arch.cmake" >/dev/null
fi
echo "benchmark: building the optimizer at $(git -C "$root" rev-parse --short "$base_commit") for comparison"
cmake --build "$base_build/$arch" --target optimizer_benchmark nettrel scoura -j"$(nproc)" -- --no-print-directory \
  >"$work/base-build.log" 2>&1 || { tail -20 "$work/base-build.log"; echo "benchmark: the earlier build failed" >&2; exit 1; }
git -C "$base_tree" checkout -- tests/optimizer/core/optimizer_benchmark.cpp tests/optimizer/core/CMakeLists.txt
SORVIK_BUILD_ROOT="$base_build" optimizer_benchmark "$base_build" before
optimizer_benchmark "${SORVIK_BUILD_ROOT:-$root/build}" after
echo "benchmark: the optimizer side by side (ms unless named; before = $(git -C "$root" rev-parse --short "$base_commit"))"
awk '/^figures:/ { for (i = 2; i <= NF; ++i) { split($i, kv, "="); if (!(kv[1] in seen)) { seen[kv[1]] = 1; keys[++n] = kv[1] }
                    value[FILENAME, kv[1]] = kv[2] } }
     END { printf "  %-12s %10s %10s\n", "figure", "before", "after"
           for (i = 1; i <= n; ++i) printf "  %-12s %10s %10s\n", keys[i], value[ARGV[1], keys[i]], value[ARGV[2], keys[i]] }' \
  "$work/figures-before" "$work/figures-after"
