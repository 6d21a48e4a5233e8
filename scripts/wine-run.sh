#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix and returns its exit code.
# ctest uses it as the cross-compiling emulator.
set -uo pipefail
. "$(dirname "$0")/wine-env.sh"
ensure_wine_prefix
ensure_display || exit 1
trap stop_own_display EXIT
if [ -t 1 ]; then
  wine_cmd "$WINE_BIN" "$@"
  exit $?
fi
# Wine starts some background processes on demand (the RPC service for COM, for one); they inherit the
# output and would hold a reader such as ctest until the whole Wine session ends. A file they may keep.
out=$(mktemp)
wine_cmd "$WINE_BIN" "$@" >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
