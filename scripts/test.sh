#!/usr/bin/env bash
# Runs every test from nothing: installs what is missing, builds the libraries, the shipped 32-bit
# programs and the tests, then runs the tests under Wine (on one shared Xvfb when there is no display).
# Extra arguments go to ctest, e.g. scripts/test.sh -R skin_tests
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/prepare.sh"
. "$root/scripts/wine-env.sh"
arch=$SORVIK_TEST_ARCH

ensure_wine_prefix
ensure_display
trap stop_own_display EXIT
warm_wine_session
cd "${SORVIK_BUILD_ROOT:-$root/build}/$arch"
echo "tests: running the $arch build under Wine"
ctest -V -j2 "$@" > ctest.log 2>&1 && rc=0 || rc=$?
# The gtest summary of each program and ctest's own lines; the whole output of any failed test.
grep -E '^[0-9]+: \[  (PASSED|FAILED|SKIPPED) |^ *[0-9]+/[0-9]+ Test|tests passed|tests failed' ctest.log || true
for n in $(sed -nE 's#^ *[0-9]+/[0-9]+ Test +\#([0-9]+):.*(Failed|Timeout|Exception|Not Run).*#\1#p' ctest.log); do
  echo "---- output of test #$n ----"
  grep -E "^$n: " ctest.log | tail -n 300
done
echo "tests: full log in $PWD/ctest.log"
exit "$rc"
