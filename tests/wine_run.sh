#!/usr/bin/env bash
# Runs one Win32 test program under Wine on the session's display.
set -u
if [ -z "${DISPLAY:-}" ]; then
  echo "wine_run: no DISPLAY; run the tests through tools/test.sh" >&2
  exit 2
fi
source "$(dirname "$0")/../tools/wine_env.sh"
exe="$(realpath "$1")"; shift
cd "$(dirname "$exe")"
exec wine "$exe" "$@"
