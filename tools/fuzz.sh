#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, a configuration of their own in
# build/fuzz) and runs each for SECONDS (default 10), one after another.
# A crashing input is saved as tests/fuzz/crashes/<target>-crash-*; once mended,
# move it into tests/fuzz/regressions/<target>/, which the native tests replay.
# Usage: tools/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}/fuzz"
seconds="${1:-10}"
jobs="${VINTOR_JOBS:-2}"
shared="$root/../shared/data"
crashes="$root/tests/fuzz/crashes"

mkdir -p "$out" "$crashes"
cmake -S "$root/tests/fuzz" -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$out" -j"$jobs" -- --no-print-directory >"$out/build.log" 2>&1 || { cat "$out/build.log"; exit 1; }
grep -E 'warning|error' "$out/build.log" || true

targets=0 runs=0 crashed=0
while read -r t; do
  [ -n "$t" ] || continue
  corpus="$out/corpus/$t"  # new inputs land in the first folder; the others are only read
  mkdir -p "$corpus"
  dirs=("$corpus" "$root/tests/fuzz/seeds/$t")
  [ -d "$root/tests/fuzz/regressions/$t" ] && dirs+=("$root/tests/fuzz/regressions/$t")
  options=()
  case "$t" in
    # Whole documents: long enough for the reader's 64 KB blocks to be refilled.
    gamelist_table) options+=(-max_len=140000); [ -d "$shared/gamelists" ] && dirs+=("$shared/gamelists") ;;
    text_load) options+=(-max_len=140000) ;;
  esac
  log="$out/$t.log"
  status=0
  nice -n 10 "$out/${t}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$crashes/$t-" "${options[@]}" "${dirs[@]}" >"$log" 2>&1 || status=$?
  n=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 || true)
  targets=$((targets + 1))
  runs=$((runs + ${n:-0}))
  if [ "$status" -ne 0 ]; then
    crashed=$((crashed + 1))
    echo "$t: CRASH after ${n:-?} runs (log $log)"
    grep -E 'rule broken|ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -8
  else
    echo "$t: ${n:-0} runs, ${cov:-cov: ?} edges"
  fi
done <"$out/targets.txt"
echo "fuzz: $targets targets, $runs runs, $crashed crashes"
[ "$crashed" -eq 0 ]
