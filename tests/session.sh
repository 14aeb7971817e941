# Sourced by the test and demo commands: one virtual X display and one warm
# wineserver for the whole run, both ended when the calling shell exits.
# Honours WINEPREFIX and VINTOR_ARCH; sets DISPLAY unless VINTOR_USE_DISPLAY=1 keeps the caller's.

source "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tools/wine_env.sh"

vintor_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${VINTOR_XVFB_PID:-}" ]; then kill "$VINTOR_XVFB_PID" 2>/dev/null || true; fi
}

vintor_session_start() {
  if [ "${VINTOR_USE_DISPLAY:-0}" != 1 ]; then
    local fdfile
    fdfile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    VINTOR_XVFB_PID=$!
    for _ in $(seq 1 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
  fi
  trap vintor_session_stop EXIT
  wineserver -p >/dev/null 2>&1 || true
  # Warm the prefix so that the first test does not pay for it.
  wine cmd /c exit >/dev/null 2>&1 || true
}
