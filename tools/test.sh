#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# native unit tests, Win32 tests under Wine, and end-to-end tests.
# Usage: tools/test.sh [ctest -R regex]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}"
export WINEPREFIX="${WINEPREFIX:-$out/wineprefix}"
bash "$root/tools/setup.sh"
start=$(date +%s)
bash "$root/tools/build.sh" all
echo "build: $(( $(date +%s) - start )) s"
filter=()
[ $# -gt 0 ] && filter=(-R "$1")
status=0
ctest --test-dir "$out/native" --output-on-failure "${filter[@]}" || status=1
source "$root/tests/session.sh"
vintor_session_start
ctest --test-dir "$out/win32" --output-on-failure "${filter[@]}" || status=1
echo "tests: $(( $(date +%s) - start )) s in all"
exit $status
