#!/usr/bin/env bash
# Configures and builds the native tests and the Windows program.
# Usage: tools/build.sh [native|win32|all]   (build folders under $VINTOR_BUILD_ROOT, default build/)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}"
what="${1:-all}"
jobs="${VINTOR_JOBS:-2}"
if [ "$what" = native ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$out/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$out/native" -j"$jobs" -- --no-print-directory
fi
if [ "$what" = win32 ] || [ "$what" = all ]; then
  cmake -S "$root" -B "$out/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$out/win32" -j"$jobs" -- --no-print-directory
fi
