#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# native unit tests, Win32 tests under Wine, and end-to-end tests.
# The Win32 and end-to-end layers run on the build this host can execute
# (32-bit where 32-bit code runs, else 64-bit; VINTOR_ARCH=win64 chooses it).
# Where the host runs both, the other build gets the end-to-end smoke test.
# The Win32 and the end-to-end tests run side by side, each on a virtual
# display and Wine prefix of its own, so that neither sees the other's windows.
# Usage: tools/test.sh [ctest -R regex]   (a regex runs the chosen tests one after another)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}"
mkdir -p "$out"
bash "$root/tools/setup.sh"
source "$root/tools/wine_env.sh"
arch="$VINTOR_ARCH"
e2e_prefix="${WINEPREFIX}-e2e"
WINEPREFIX="$e2e_prefix" bash "$root/tools/setup.sh" >/dev/null
other=""
for a in $VINTOR_HOST_ARCHES; do [ "$a" = "$arch" ] || other="$a"; done
start=$(date +%s)
bash "$root/tools/build.sh" all >"$out/build.log" 2>&1 || { cat "$out/build.log"; exit 1; }
grep -E 'warning|error' "$out/build.log" || true
echo "build: $(( $(date +%s) - start )) s (native, win32 and win64)"

status=0
if [ $# -gt 0 ]; then
  ctest --test-dir "$out/native" --output-on-failure -R "$1" || status=1
  source "$root/tests/session.sh"
  vintor_session_start
  ctest --test-dir "$out/$arch" --output-on-failure -R "$1" || status=1
  echo "tests: $(( $(date +%s) - start )) s in all ($arch build)"
  exit $status
fi

ctest --test-dir "$out/native" --output-on-failure | tee "$out/tests-native.log" || status=1
run_stream() {  # name prefix regex [arch]
  (
    export WINEPREFIX="$2"
    if [ -n "${4:-}" ]; then export VINTOR_ARCH="$4"; fi
    source "$root/tests/session.sh"
    vintor_session_start
    ctest --test-dir "$out/${4:-$arch}" --output-on-failure -R "$3"
  ) >"$out/tests-$1.log" 2>&1
}
rm -f "$out/tests-other.log"
run_stream win32 "$WINEPREFIX" '^win32\.' & win32_job=$!
run_stream e2e "$e2e_prefix" '^e2e\.' & e2e_job=$!
wait $win32_job || status=1
wait $e2e_job || status=1
if [ -n "$other" ]; then
  other_prefix="$out/wineprefix-smoke-$other"
  if VINTOR_ARCH="$other" WINEPREFIX="$other_prefix" bash "$root/tools/setup.sh" >/dev/null; then
    run_stream other "$other_prefix" '^e2e\.test_smoke$' "$other" || status=1
  else
    echo "ctest: 0% tests passed, 1 tests failed out of 1 (no prefix for the $other build)" >"$out/tests-other.log"
    status=1
  fi
fi
cat "$out/tests-win32.log" "$out/tests-e2e.log"
[ -z "$other" ] || { echo "Smoke test of the $other build:"; cat "$out/tests-other.log"; }
echo "tests: $(( $(date +%s) - start )) s in all"
echo "tested: the $arch build (Win32 and end-to-end layers)${other:+; smoke test of the $other build}"
# One closing count over the three layers.
cat "$out"/tests-{native,win32,e2e}.log $( [ -z "$other" ] || echo "$out/tests-other.log" ) | awk '
  /tests passed, [0-9]+ tests? failed out of/ { for (i = 1; i <= NF; i++) if ($i == "of") total += $(i + 1);
                                                 for (i = 1; i <= NF; i++) if ($i == "failed") failed += $(i - 2) }
  END { printf "%d passed, %d failed\n", total - failed, failed }'
exit $status
