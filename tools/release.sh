#!/usr/bin/env bash
# Builds the release archive: exactly what a user copies next to mame.exe.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${VINTOR_BUILD_ROOT:-$root/build}"
bash "$root/tools/setup.sh" >/dev/null
bash "$root/tools/build.sh" win32 >/dev/null
python3 - "$root" "$out" <<'PY'
import os, sys, zipfile
root, out = sys.argv[1], sys.argv[2]
w = os.path.join(out, "win32")
files = [
    (os.path.join(w, "vintor.exe"), "vintor.exe"),
    (os.path.join(w, "tools", "mkgamelist", "mkgamelist.exe"), "mkgamelist.exe"),
    (os.path.join(root, "lang", "default.lng"), "lang/default.lng"),
    (os.path.join(root, "docs", "vintor-eng.txt"), "docs/vintor-eng.txt"),
    (os.path.join(w, "tools", "png2bmp", "png2bmp.exe"), "snap/png2bmp.exe"),
    (os.path.join(w, "art", "defgame.bmp"), "snap/defgame.bmp"),
]
archive = os.path.join(out, "vintor-release.zip")
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
    for src, name in files:
        if not os.path.exists(src):
            sys.exit("release: missing " + src)
        z.write(src, name)
print(archive)
PY
