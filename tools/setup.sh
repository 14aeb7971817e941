#!/usr/bin/env bash
# Installs what the build and the tests need, and prepares the Wine prefix of
# the build this host can run (see tools/wine_env.sh). Idempotent: a second run
# only checks and returns quickly. Says "ready" only once Wine has really
# started a program in that prefix. `setup.sh packages` installs and stops there.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

need_pkgs=(cmake g++ make python3 zip xvfb xdotool imagemagick x11-utils
           g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
           g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
           wine wine64 wine32:i386 clang libclang-rt-14-dev mame)

have_all=1
if ! dpkg --print-foreign-architectures | grep -qx i386; then have_all=0; fi
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || { have_all=0; break; }
done

if [ "$have_all" = 0 ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${need_pkgs[@]}" >/dev/null
fi

if [ "${1:-}" = packages ]; then echo "setup: packages ready"; exit 0; fi

source "$root/tools/wine_env.sh"
fail() { echo "setup: $*" >&2; exit 1; }
case " $VINTOR_HOST_ARCHES " in
  *" $VINTOR_ARCH "*) ;;
  "  ") fail "Wine cannot run here: neither wineserver32 nor wineserver64 starts on this kernel" ;;
  *) fail "this host cannot run $VINTOR_ARCH programs under Wine (it runs: $VINTOR_HOST_ARCHES)" ;;
esac

stamp="$WINEPREFIX/.vintor-ready-$VINTOR_ARCH"
if [ ! -f "$stamp" ]; then
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
    # Let Wine draw window frames itself, as there is no window manager on Xvfb.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 || true
  fi
  wine cmd /c exit 0 >/dev/null 2>&1 ||
    fail "Wine could not start a $VINTOR_ARCH program in $WINEPREFIX (try: rm -rf $WINEPREFIX)"
  wineserver -w || true
  touch "$stamp"
fi
echo "setup: ready ($VINTOR_ARCH, prefix $WINEPREFIX)"
