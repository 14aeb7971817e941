# Sourced by the setup, test, demo and release commands: which Windows build
# this host can run under Wine, and the environment that runs it.
#
# Some x86-64 kernels execute no 32-bit code at all; there every wine32 program
# fails with "Exec format error", and the 64-bit build runs under wine64 instead.
# VINTOR_ARCH=win32|win64 chooses by hand (win64 also works where both run).
# Sets: VINTOR_ARCH, VINTOR_HOST_ARCHES, WINEARCH, WINEPREFIX (default
# <build>/wineprefix or <build>/wineprefix64), and for win64 a PATH on which
# `wine`, `wineserver` and `wineboot` start the 64-bit loader.

vintor_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
vintor_out="${VINTOR_BUILD_ROOT:-$vintor_root/build}"

# The architectures whose Wine server this kernel really executes.
vintor_host_arches() {
  local arches=""
  /usr/lib/wine/wineserver32 --version >/dev/null 2>&1 && arches="win32"
  /usr/lib/wine/wineserver64 --version >/dev/null 2>&1 && arches="${arches:+$arches }win64"
  echo "$arches"
}

# Writes the wrappers that start the 64-bit loader: /usr/bin/wine always picks
# the 32-bit one where wine32 is installed, and a symbolic link cannot stand in.
vintor_wine64_path() {
  local bin="$vintor_out/winebin64"
  mkdir -p "$bin"
  if [ ! -f "$bin/wineboot" ]; then
    rm -f "$bin/wine" "$bin/wineserver" "$bin/wineboot"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$bin/wine"
    printf '#!/bin/sh\nexec /usr/lib/wine/wineserver64 "$@"\n' >"$bin/wineserver"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 wineboot "$@"\n' >"$bin/wineboot"
    chmod +x "$bin/wine" "$bin/wineserver" "$bin/wineboot"
  fi
  case ":$PATH:" in *":$bin:"*) ;; *) export PATH="$bin:$PATH" ;; esac
  export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
}

VINTOR_HOST_ARCHES="$(vintor_host_arches)"
if [ -z "${VINTOR_ARCH:-}" ]; then
  case " $VINTOR_HOST_ARCHES " in
    *" win32 "*) VINTOR_ARCH=win32 ;;
    *) VINTOR_ARCH=win64 ;;
  esac
fi
export VINTOR_ARCH VINTOR_HOST_ARCHES
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "$VINTOR_ARCH" = win64 ]; then
  export WINEARCH=win64
  export WINEPREFIX="${WINEPREFIX:-$vintor_out/wineprefix64}"
  vintor_wine64_path
else
  export WINEARCH=win32
  export WINEPREFIX="${WINEPREFIX:-$vintor_out/wineprefix}"
  # A 32-bit run started from a 64-bit one must not inherit its loader.
  PATH="$(printf '%s' "$PATH" | tr ':' '\n' | grep -vxF "$vintor_out/winebin64" | paste -sd: -)"
  export PATH
  unset WINELOADER WINESERVER
fi
