#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# native unit tests, Win32 tests under Wine, and end-to-end tests.
# The Win32 and the end-to-end tests run side by side, each on a virtual
# display and Wine prefix of its own, so that neither sees the other's windows.
# Usage: tools/test.sh [ctest -R regex]   (a regex runs the chosen tests one after another)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}"
export WINEPREFIX="${WINEPREFIX:-$out/wineprefix}"
e2e_prefix="${WINEPREFIX}-e2e"
bash "$root/tools/setup.sh"
WINEPREFIX="$e2e_prefix" bash "$root/tools/setup.sh" >/dev/null
start=$(date +%s)
bash "$root/tools/build.sh" all >"$out/build.log" 2>&1 || { cat "$out/build.log"; exit 1; }
grep -E 'warning|error' "$out/build.log" || true
echo "build: $(( $(date +%s) - start )) s"

status=0
if [ $# -gt 0 ]; then
  ctest --test-dir "$out/native" --output-on-failure -R "$1" || status=1
  source "$root/tests/session.sh"
  vintor_session_start
  ctest --test-dir "$out/win32" --output-on-failure -R "$1" || status=1
  echo "tests: $(( $(date +%s) - start )) s in all"
  exit $status
fi

ctest --test-dir "$out/native" --output-on-failure | tee "$out/tests-native.log" || status=1
run_stream() {  # name prefix regex
  (
    export WINEPREFIX="$2"
    source "$root/tests/session.sh"
    vintor_session_start
    ctest --test-dir "$out/win32" --output-on-failure -R "$3"
  ) >"$out/tests-$1.log" 2>&1
}
run_stream win32 "$WINEPREFIX" '^win32\.' & win32_job=$!
run_stream e2e "$e2e_prefix" '^e2e\.' & e2e_job=$!
wait $win32_job || status=1
wait $e2e_job || status=1
cat "$out/tests-win32.log" "$out/tests-e2e.log"
echo "tests: $(( $(date +%s) - start )) s in all"
# One closing count over the three layers.
cat "$out"/tests-{native,win32,e2e}.log | awk '
  /tests passed, [0-9]+ tests? failed out of/ { for (i = 1; i <= NF; i++) if ($i == "of") total += $(i + 1);
                                                 for (i = 1; i <= NF; i++) if ($i == "failed") failed += $(i - 2) }
  END { printf "%d passed, %d failed\n", total - failed, failed }'
exit $status
