#!/usr/bin/env bash
# Runs one Win32 test program under Wine on the session's display.
set -u
if [ -z "${DISPLAY:-}" ]; then
  echo "wine_run: no DISPLAY; run the tests through tools/test.sh" >&2
  exit 2
fi
export WINEDEBUG=-all WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
exe="$(realpath "$1")"; shift
cd "$(dirname "$exe")"
exec wine "$exe" "$@"
