#!/usr/bin/env bash
# Builds Vintor and runs it on a bundled demo installation (build/demo).
# With a display (DISPLAY set and reachable) it opens there and runs until you
# close it; otherwise it runs on a virtual display, saves a screenshot, closes
# the program and says where the picture is. It runs the build this host can
# execute: 32-bit where 32-bit code runs, else 64-bit (see tools/wine_env.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}"
bash "$root/tools/setup.sh"
source "$root/tools/wine_env.sh"
bash "$root/tools/build.sh" "$VINTOR_ARCH"
build="$out/$VINTOR_ARCH"
demo="$out/demo"
python3 "$root/tools/make_demo.py" "$demo" --build "$build" --source "$root" >/dev/null
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export VINTOR_USE_DISPLAY=1
  source "$root/tests/session.sh"
  vintor_session_start
  echo "Vintor ($VINTOR_ARCH build) runs on your display from $demo; close its window to end the demo."
  cd "$demo" && wine vintor.exe
else
  source "$root/tests/session.sh"
  vintor_session_start
  shot="$out/demo-screenshot.png"
  VINTOR_BUILD="$build" VINTOR_SOURCE="$root" python3 "$root/tools/demo_shot.py" "$demo" "$shot"
  echo "No display: Vintor ($VINTOR_ARCH build) ran on a virtual display; its screenshot is $shot"
fi
