#!/usr/bin/env bash
# Installs what the build and the tests need, and prepares the Wine prefix.
# Idempotent: a second run only checks and returns quickly.
set -euo pipefail

need_pkgs=(cmake g++ make g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
           wine wine32:i386 xvfb xdotool imagemagick x11-utils python3 zip)
need_pkgs+=(clang libclang-rt-14-dev)  # the libFuzzer targets of tools/fuzz.sh

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

# Wine prefix of our own, so tests never touch the user's.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
  # Let Wine draw window frames itself, as there is no window manager on Xvfb.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 || true
  wineserver -w || true
fi
echo "setup: ready (prefix $WINEPREFIX)"
