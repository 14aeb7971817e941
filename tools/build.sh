#!/usr/bin/env bash
# Configures and builds the native tests and the Windows program for both architectures.
# Usage: tools/build.sh [native|win32|win64|all]   (build folders under $VINTOR_BUILD_ROOT, default build/)
#   win32: the 32-bit release build (build/win32); win64: the same sources for x86_64 (build/win64)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}"
what="${1:-all}"
jobs="${VINTOR_JOBS:-2}"
cross() {  # folder toolchain
  cmake -S "$root" -B "$out/$1" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$out/$1" -j"$jobs" -- --no-print-directory
}
case "$what" in native|all)
  cmake -S "$root" -B "$out/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$out/native" -j"$jobs" -- --no-print-directory ;;
esac
case "$what" in win32|all) cross win32 mingw-i686 ;; esac
case "$what" in win64|all) cross win64 mingw-x86_64 ;; esac
