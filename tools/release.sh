#!/usr/bin/env bash
# Builds the release archives: exactly what a user copies next to mame.exe.
#   build/vintor-release.zip      the 32-bit program (runs on every Windows)
#   build/vintor-release-x64.zip  the same files built for 64-bit Windows
# Every executable packed is checked for the machine type of its archive.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}"
bash "$root/tools/setup.sh" >/dev/null
bash "$root/tools/build.sh" win32 >/dev/null
bash "$root/tools/build.sh" win64 >/dev/null
python3 - "$root" "$out" <<'PY'
import os, struct, sys, zipfile
root, out = sys.argv[1], sys.argv[2]
MACHINES = {0x14C: "i386", 0x8664: "x86-64"}


def pe_machine(path):
    """The machine type and optional-header kind of a Windows executable."""
    with open(path, "rb") as f:
        data = f.read(4096)
    if data[:2] != b"MZ":
        return None
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return None
    machine = struct.unpack_from("<H", data, pe + 4)[0]
    magic = struct.unpack_from("<H", data, pe + 24)[0]
    return MACHINES.get(machine), {0x10B: "PE32", 0x20B: "PE32+"}.get(magic)


def pack(build, archive, machine, kind):
    w = os.path.join(out, build)
    files = [
        (os.path.join(w, "vintor.exe"), "vintor.exe"),
        (os.path.join(w, "companions", "mkgamelist", "mkgamelist.exe"), "mkgamelist.exe"),
        (os.path.join(root, "lang", "default.lng"), "lang/default.lng"),
        (os.path.join(root, "docs", "vintor-eng.txt"), "docs/vintor-eng.txt"),
        (os.path.join(w, "companions", "png2bmp", "png2bmp.exe"), "snap/png2bmp.exe"),
        (os.path.join(w, "art", "defgame.bmp"), "snap/defgame.bmp"),
    ]
    path = os.path.join(out, archive)
    with zipfile.ZipFile(path + ".tmp", "w", zipfile.ZIP_DEFLATED) as z:
        for src, name in files:
            if not os.path.exists(src):
                sys.exit("release: missing " + src)
            if name.endswith(".exe") and pe_machine(src) != (machine, kind):
                sys.exit("release: %s is %s, not %s %s" % (src, pe_machine(src), kind, machine))
            z.write(src, name)
    os.replace(path + ".tmp", path)
    print(path)


pack("win32", "vintor-release.zip", "i386", "PE32")
pack("win64", "vintor-release-x64.zip", "x86-64", "PE32+")
PY
