#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# native unit tests, Win32 tests under Wine, and end-to-end tests.
# The Win32 and end-to-end layers run on the build this host can execute
# (32-bit where 32-bit code runs, else 64-bit; VINTOR_ARCH=win64 chooses it).
# Where the host runs both, the other build gets the end-to-end smoke test.
# The Win32 and end-to-end tests are shared out among a few workers
# (VINTOR_TEST_WORKERS, default 3), each with a virtual display and a Wine
# prefix of its own, so that none sees another's windows; the longest tests
# are handed out first.
# Usage: tools/test.sh [ctest -R regex]   (a regex runs the chosen tests one after another)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}"
mkdir -p "$out"
bash "$root/tools/setup.sh" packages
source "$root/tools/wine_env.sh"
arch="$VINTOR_ARCH"
base_prefix="$WINEPREFIX"
other=""
for a in $VINTOR_HOST_ARCHES; do [ "$a" = "$arch" ] || other="$a"; done
workers="${VINTOR_TEST_WORKERS:-3}"

start=$(date +%s)
# The prefixes of the workers are made while the build runs.
if [ $# -eq 0 ]; then
  for k in $(seq 1 "$workers"); do
    WINEPREFIX="$base_prefix-w$k" bash "$root/tools/setup.sh" >"$out/setup-w$k.log" 2>&1 &
  done
fi
# Both architectures always compile; the one no test runs here builds what ships
# and what its smoke test needs.
untested="win32"; [ "$arch" = win32 ] && untested="win64"
{ bash "$root/tools/build.sh" native && bash "$root/tools/build.sh" "$arch" &&
  bash "$root/tools/build.sh" "$untested-ship"; } >"$out/build.log" 2>&1 || { cat "$out/build.log"; exit 1; }
grep -E 'warning|error' "$out/build.log" || true
echo "build: $(( $(date +%s) - start )) s (native, $arch, and what ships of $untested)"

status=0
if [ $# -gt 0 ]; then
  ctest --test-dir "$out/native" --output-on-failure -R "$1" || status=1
  bash "$root/tools/setup.sh" >/dev/null
  source "$root/tests/session.sh"
  vintor_session_start
  ctest --test-dir "$out/$arch" --output-on-failure -R "$1" || status=1
  echo "tests: $(( $(date +%s) - start )) s in all ($arch build)"
  exit $status
fi
wait  # the workers' prefixes
for k in $(seq 1 "$workers"); do
  grep -q 'setup: ready' "$out/setup-w$k.log" || { cat "$out/setup-w$k.log"; exit 1; }
done

ctest --test-dir "$out/native" --output-on-failure | tee "$out/tests-native.log" || status=1

# The queue: longest first. A fresh clone has no timings, so the end-to-end
# tests (seconds to minutes each) go before the Win32 ones (seconds), and
# within a layer the larger source goes first.
queue="$out/test-queue"
ctest --test-dir "$out/$arch" -N | sed -n 's/^ *Test *#[0-9]*: *//p' | while read -r name; do
  layer="${name%%.*}"; file="${name#*.}"
  src="$root/tests/$layer/$file.cpp"; [ -f "$src" ] || src="$root/tests/$layer/$file.py"
  echo "$([ "$layer" = e2e ] && echo 1 || echo 0) $(stat -c %s "$src" 2>/dev/null || echo 0) $name"
done | sort -k1,1nr -k2,2nr | cut -d' ' -f3 >"$queue"
take() { flock "$queue.lock" sh -c 'head -n 1 "$1"; sed -i 1d "$1"' take "$queue"; }
worker() {  # number
  (
    export WINEPREFIX="$base_prefix-w$1"
    source "$root/tests/session.sh"
    vintor_session_start
    failed=0
    while name="$(take)" && [ -n "$name" ]; do
      ctest --test-dir "$out/$arch" --output-on-failure -R "^${name//./\\.}\$" || failed=1
    done
    exit $failed
  ) >"$out/tests-w$1.log" 2>&1
}
rm -f "$out"/tests-w*.log "$out/tests-other.log"
jobs=()
for k in $(seq 1 "$workers"); do worker "$k" & jobs+=($!); done
for j in "${jobs[@]}"; do wait "$j" || status=1; done
if [ -n "$other" ]; then
  (
    export VINTOR_ARCH="$other" WINEPREFIX="$out/wineprefix-smoke-$other"
    bash "$root/tools/setup.sh" >/dev/null || { echo "no Wine prefix for the $other build"; exit 1; }
    source "$root/tests/session.sh"
    vintor_session_start
    ctest --test-dir "$out/$other" --output-on-failure -R '^e2e\.test_smoke$'
  ) >"$out/tests-other.log" 2>&1 || status=1
fi
for k in $(seq 1 "$workers"); do echo "== worker $k"; grep -vE '^(Test project|Constructing|Checking test|Updating test|    Start|Total Test|$)' "$out/tests-w$k.log" || true; done
[ -z "$other" ] || { echo "Smoke test of the $other build:"; cat "$out/tests-other.log"; }
echo "tests: $(( $(date +%s) - start )) s in all"
echo "tested: the $arch build (Win32 and end-to-end layers)${other:+; smoke test of the $other build}"
# One closing count over the three layers.
cat "$out"/tests-native.log "$out"/tests-w*.log $( [ -z "$other" ] || echo "$out/tests-other.log" ) | awk '
  /tests passed, [0-9]+ tests? failed out of/ { for (i = 1; i <= NF; i++) if ($i == "of") total += $(i + 1);
                                                 for (i = 1; i <= NF; i++) if ($i == "failed") failed += $(i - 2) }
  /^ +[0-9]+ - .*\((Failed|Timeout|Not Run|SEGFAULT|Exception)/ { print "FAILED:" $0 }
  END { printf "%d passed, %d failed\n", total - failed, failed }'
exit $status
