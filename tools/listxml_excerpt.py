#!/usr/bin/env python3
"""Cuts an excerpt of the emulator's real -listxml output for the tests of
mkgamelist.exe: the original prolog and DTD, a selection of whole <machine>
elements in their original order, and the closing tag. Beside it, an
expectations file counts what the excerpt holds, worked out here on its own
(machines, rows, rows with short names longer than 9 characters, devices,
BIOS sets), and the same for the whole output (full_...), so that the tool is
checked against a second reading of the same data.

Usage: listxml_excerpt.py SOURCE(.xml or .xml.xz) DEST.xml
"""
import lzma
import os
import re
import sys

# Games the end-to-end test installs, and a few with samples, odd names or
# characters outside ASCII; machines whose status cells the tests pin (each
# value of each column, the overall status against the emulation, palette
# against graphics); a long short name and the other machine it becomes when
# cut to 9 characters.
CHOSEN = {"pacman", "puckman", "mspacman", "galaga", "dkong", "1942", "sf2", "mslug", "invaders", "005",
          "alien3", "qbert", "zaxxon", "robotron", "xevious", "neogeo", "attache", "attache816",
          "ace", "alibaba", "7smash", "4roses", "amusco", "ckongmc2", "ace100", "gamecst2", "ablast", "86lions",
          "aavenger", "arkanoidj", "arkanoidja"}
FIRST = 300          # machines from the start, in file order
DEVICES = 40         # devices, wherever they are
LONG_NAMES = 30      # machines whose short name is longer than 9 characters
NON_ASCII = 12       # descriptions with characters outside ASCII

ATTR = re.compile(rb'(\w+)="([^"]*)"')


def machine_attrs(first_line):
    return {k.decode(): v.decode("utf-8") for k, v in ATTR.findall(first_line)}


def is_row(attrs):
    return (attrs.get("isdevice") != "yes" and attrs.get("isbios") != "yes" and attrs.get("runnable") != "no")


def machines(stream):
    """Yields (prolog, None) once, then (first_line, lines) per machine."""
    prolog, block = [], None
    for line in stream:
        if prolog is not None:
            if not line.startswith(b"\t<machine "):
                prolog.append(line)
                continue
            yield b"".join(prolog), None
            prolog = None
        if block is None:
            if line.startswith(b"\t<machine "):
                if line.rstrip().endswith(b"/>"):
                    yield line, [line]
                else:
                    block = [line]
        else:
            block.append(line)
            if line.startswith(b"\t</machine>"):
                yield block[0], block
                block = None


def main():
    src, dest = sys.argv[1], sys.argv[2]
    opener = lzma.open if src.endswith(".xz") else open
    picked, counts = [], {"machines": 0, "rows": 0, "long": 0, "devices": 0, "bios": 0}
    full = {"full_machines": 0, "full_rows": 0, "full_long": 0}
    taken = {"first": 0, "devices": 0, "long": 0, "ascii": 0}
    prolog = b""
    with opener(src, "rb") as f:
        for first, block in machines(f):
            if block is None:
                prolog = first
                continue
            a = machine_attrs(first)
            name = a.get("name", "")
            full["full_machines"] += 1
            if is_row(a):
                full["full_rows"] += 1
                full["full_long"] += len(name) > 9
            text = b"".join(block)
            want = False
            if taken["first"] < FIRST:
                taken["first"] += 1
                want = True
            if name in CHOSEN:
                want = True
            if a.get("isdevice") == "yes" and taken["devices"] < DEVICES:
                taken["devices"] += 1
                want = True
            if is_row(a) and len(name) > 9 and taken["long"] < LONG_NAMES:
                taken["long"] += 1
                want = True
            desc = re.search(rb"<description>([^<]*)</description>", text)
            if desc and re.search(rb"[\x80-\xff]", desc.group(1)) and taken["ascii"] < NON_ASCII:
                taken["ascii"] += 1
                want = True
            if not want:
                continue
            picked.append(text)
            counts["machines"] += 1
            if a.get("isdevice") == "yes":
                counts["devices"] += 1
            elif a.get("isbios") == "yes":
                counts["bios"] += 1
            elif is_row(a):
                counts["rows"] += 1
                counts["long"] += len(name) > 9
    os.makedirs(os.path.dirname(os.path.abspath(dest)), exist_ok=True)
    with open(dest + ".part", "wb") as out:
        out.write(prolog)
        out.writelines(picked)
        out.write(b"</mame>\n")
    os.replace(dest + ".part", dest)
    with open(os.path.splitext(dest)[0] + ".counts", "w") as out:
        for k, v in list(counts.items()) + list(full.items()):
            out.write("%s=%d\n" % (k, v))
    print("%s: %d machines, %d rows (%d with long short names); the whole output %d rows" % (
        dest, counts["machines"], counts["rows"], counts["long"], full["full_rows"]))


if __name__ == "__main__":
    main()
