#!/usr/bin/env bash
# Configures and builds the native tests and the Windows program for both architectures.
# Usage: tools/build.sh [native|win32|win64|win32-ship|win64-ship|all]   (build folders under $VINTOR_BUILD_ROOT, default build/)
#   win32: the 32-bit release build (build/win32); win64: the same sources for x86_64 (build/win64)
#   *-ship: only the programs that ship, and what the smoke test of that build needs
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}"
what="${1:-all}"
jobs="${VINTOR_JOBS:-2}"
# What ships, and what the end-to-end smoke test of a build needs.
ship_targets=(vintor png2bmp mkgamelist fakemame e2edriver)
cross() {  # folder toolchain [target...]
  local folder="$1" toolchain="$2"; shift 2
  cmake -S "$root" -B "$out/$folder" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$out/$folder" -j"$jobs" ${1:+--target "$@"} -- --no-print-directory
}
case "$what" in native|all)
  cmake -S "$root" -B "$out/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$out/native" -j"$jobs" -- --no-print-directory ;;
esac
case "$what" in win32|all) cross win32 mingw-i686 ;; win32-ship) cross win32 mingw-i686 "${ship_targets[@]}" ;; esac
case "$what" in win64|all) cross win64 mingw-x86_64 ;; win64-ship) cross win64 mingw-x86_64 "${ship_targets[@]}" ;; esac
