#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix and returns its exit code.
# ctest uses it as the cross-compiling emulator.
set -uo pipefail
. "$(dirname "$0")/wine-env.sh"
ensure_wine_prefix
ensure_display || exit 1
trap stop_own_display EXIT
wine_cmd "$WINE_BIN" "$@"
exit $?
