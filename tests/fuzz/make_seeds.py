#!/usr/bin/env python3
"""Writes the small seed inputs of the fuzz targets into seeds/<target>/.

A target reads its texts from the front of an input, separated by zero bytes,
and its numbers from the back, the first number last; the inputs here come
from the native tests' own cases. Run it again after changing an input layout.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def num(value, lo, hi):
    """The bytes FuzzInput.Range(lo, hi) reads back as value."""
    span = hi - lo
    n = (span.bit_length() + 7) // 8
    return (value - lo).to_bytes(n, "little")


def u(value, n=8):
    return (value % (1 << (8 * n))).to_bytes(n, "little")


def seed(texts, numbers):
    """texts joined by zero bytes, then the numbers so the first is read first."""
    body = b"\0".join(t if isinstance(t, bytes) else t.encode("latin-1") for t in texts)
    return body + b"".join(reversed(numbers))


def machines(list_, build):
    """Seeds of mkgamelist_row: (short, description, flags, levels, piece) each."""
    texts, numbers = [], []
    for i, (short, description, flags, levels, piece) in enumerate(list_):
        texts += [short.encode("utf-8"), description.encode("utf-8")]
        if i == 0:
            texts.append(build.encode("utf-8"))
        numbers += [bytes([flags]), bytes([levels]), bytes([piece])]
    return seed(texts, numbers)


def listxml_head(target):
    """The real list's prolog and first machines, when the shared data is there."""
    path = os.path.join(HERE, "..", "..", "..", "shared", "data", "listxml", "mame-0.251-listxml.xml.xz")
    if not os.path.exists(path):
        print("no %s: seeds/%s/listxml-head left out" % (path, target))
        return
    import lzma
    with lzma.open(path) as f:
        head = f.read(12000)
    head = head[:head.index(b"\n]>") + 1500]  # the declaration and the first machine's opening
    with open(os.path.join(HERE, "seeds", target, "listxml-head"), "wb") as f:
        f.write(head)


RULE = "+" + "-" * 34 + "+" + ("-" * 7 + "+") * 4 + "-" * 10 + "+"


def row(name, short, status="  Yes  "):
    return "| " + name[:33].ljust(33) + "|" + (status + "|") * 4 + " " + short.ljust(9) + "|"


WIDE_RULE = RULE[:67] + "+" + "-" * 18 + "+"


def wide_row(name, short, status="  Yes  "):
    return "| " + name[:33].ljust(33) + "|" + (status + "|") * 4 + " " + short.ljust(17) + "|"


def document(rows, end="\n"):
    lines = ["This is the list of the games supported.", "", RULE,
             "| Game Name" + " " * 24 + "|  Work |  Good | Good  | Sound |  Short   |", RULE]
    lines += rows
    lines += [RULE, "", "Totals: 3"]
    return end.join(lines) + end


def header(width, height, bits, clr_used=0, compression=0, size_image=0):
    h = bytearray(40)
    h[0:4] = u(40, 4)
    h[4:8] = u(width, 4)
    h[8:12] = u(height, 4)
    h[12] = 1
    h[14:16] = u(bits, 2)
    h[16:20] = u(compression, 4)
    h[20:24] = u(size_image, 4)
    h[32:36] = u(clr_used, 4)
    return bytes(h)


C28 = (-(1 << 28), 1 << 28)
C29 = (-(1 << 29), 1 << 29)

SEEDS = {
    "gamelist_table": {
        "three-rows": document([row("Pac-Man (Midway)", "pacman"), row("Galaga", "galaga"),
                                row("Ms. Pac-Man", "mspacman", "  No   ")]).encode(),
        "crlf": document([row("Puck Man", "puckman"), "|   continued line", row("Xevious", "xevious")],
                         "\r\n").encode(),
        "wide": "\n".join([WIDE_RULE, RULE, WIDE_RULE, wide_row("Arkanoid (Japan, older)", "arkanoidja"),
                           wide_row("Sixteen", "abcdefghijklmnop"), row("Classic", "classic"), WIDE_RULE,
                           ""]).encode(),
        "short-rows": (RULE + "\n" + RULE + "\n|\n| x\n|ab\n" + row("Long" * 30, "toolongname") + "\n").encode(),
    },
    "size_text": {name: seed([], [u(v), num(n, 0, 40)]) for name, v, n in [
        ("kilo", 1024, 40), ("mega", 5000000, 40), ("exact-mega", 1 << 20, 7), ("giga", 1 << 30, 40),
        ("zero", 0, 3), ("negative", -1, 40), ("largest", (1 << 63) - 1, 40)]},
    "short_name": {
        "field": seed([" pacman   ", " galaga", " PacMan", "Galaga.zip"], [num(16, 0, 40), b"\0"]),
        "title": seed(["Pacman.zip", "PUCKMAN.ZIP", "puckman.zip", "ms.pac.man.7z", "noext"],
                      [num(9, 0, 40), b"\1"]),
    },
    "search_match": {
        "pac": seed(["pac", "Ms. Pac-Man", "Galaga", "galaga", "PAC-MAN", "pac-man", "Zzyzx"], [b"\1"]),
        "high-bytes": seed(["\xe9t\xe9", "\xc9T\xc9", "abc", "ABC"], [b"\0"]),
    },
    "sort_keys": {
        # Count texts from the front; from the back the direction, the number
        # of sizes and each size's width in bits (-1 a folder) and bytes.
        "counts": seed(["9", "10", "100", "-5", "+3", " 7", "\t-0", "abc", "", "12abc",
                        "99999999999999999999", "1000000000000000", "999999999999999",
                        # ties, enough of them for a sort that does not keep their order to show it
                        "7", "07", "+7", "x", "y", "-0", "0", "10", "010", "9", "abc", "", "7z", "-5x", "9"],
                       [b"\1", num(0, 0, 16)]),
        "sizes": seed(["folder", "KB"], [b"\0", num(10, 0, 16)] + [
            b for bits, v in [(-1, 0), (0, 0), (10, 1023), (11, 1024), (11, 1536), (20, 1048575), (21, 1048576),
                              (30, 1073741823), (31, 1073741824), (63, (1 << 63) - 1)]
            for b in ([num(bits, -1, 63)] + ([u(v)] if bits > 0 else []))]),
    },
    "lang_text": {name: seed([fmt], [u(v), num(n, 0, 300)]) for name, fmt, v, n in [
        ("transparency", "Transparency: %d%%", 95, 50), ("matches", "%d matches found.", 0, 50),
        ("stray-s", "%s and %d and %d", 7, 50), ("cut", "level %d percent", 100, 8),
        ("breaks", "First line~second line~~", 1, 300), ("flags", "[%-+05ld|%u|%i]", -42, 300)]},
    "text_load": {
        "crlf": b"one\r\ntwo\r\n" + b"\x40",
        "lf": b"one\ntwo\nthree\n" + b"\x40",
        "mixed": b"a\r\nb\nc\r\r\nd\re\x1aafter" + b"\x08",
    },
    "launch_compose": {
        "all-options": seed(["pacman", "-cheat -nothrottle"],
                            [*(b"\1" + u(1, 4) for _ in range(9)), b"\1", num(1500, 0, 1500)]),
        "none-cut": seed(["galaga", ""], [*(b"\0" for _ in range(9)), b"\0", num(10, 0, 1500)]),
        "unsafe-name": seed(["a&b|c", "x"], [*(b"\1" + u(-1, 4) for _ in range(9)), b"\1", num(40, 0, 1500)]),
    },
    "snapshot_paths": {
        "paths": seed(["C:\\MAME", "pacman"], [num(540, 0, 600), num(160, *C28), num(94, *C28)]),
        "tight": seed(["C:\\M", "galaga"], [num(22, 0, 600), num(-1000, *C28), num(-1000, *C28)]),
    },
    "packed_bitmap": {
        "rgb24": header(3, 2, 24) + bytes(24),
        "pal8": header(4, -4, 8) + bytes(1024 + 16),
        "rle": header(10, 10, 8, 0, 1, 30) + bytes(1024 + 30),
        "bitfields": header(2, 2, 16, 0, 3) + u(0xF800, 4) + u(0x7E0, 4) + u(0x1F, 4) + bytes(8),
        "short": header(1, 1, 1)[:39],
    },
    "layout_magnet": {
        "default": seed([], [num(v, *C28) for v in (946, 574, 946, 574)] + [num(27, -2, 29)]
                        + [num(v, *C28) for v in (1280, 994, 5, 10, 951, 584, 3, 8, 949, 582)]),
        "near-edges": seed([], [num(v, *C28) for v in (2000, 1500, 946, 574)] + [num(3, -2, 29)]
                           + [num(v, *C28) for v in (1280, 994, 300, 300, 1246, 874, 290, 290, 1236, 864,
                                                     15, 15, 961, 589, 400, 980, 1346, 1554)]),
    },
    "menu": {
        "items": seed(["&File", "E&xit\tAlt+F4", "&Play game\tEnter", "\tonly accel", "x" * 80],
                      [u(0x0000, 4), u(503, 4), b"\1", u(3, 4), u(0x28, 4), u(10, 4),
                       num(13, 0, 1 << 16), num(16, 0, 1 << 16)]),
        "popup-sys": seed(["a\tb\tc"], [u(0x2010, 4), u(7, 4), b"\1", u(0, 4), u(0x26, 4), u(1, 4),
                                       num(20, 0, 1 << 16), num(10, 0, 1 << 16)]),
    },
    "buttonex": {
        "play": seed(["&Play"], [num(256, -2, 300), u(0x0100 | 0x00800000, 4)]
                     + [num(v, 0, 0xFFFF) for v in (100, 35, 40, 16, 32, 32)]
                     + [b"\1", b"\1", b"\0", b"\1", b"\0", b"\0", b"\1", num(100, 0, 0xFFFF), num(35, 0, 0xFFFF)]),
        "amps": seed(["a&&b&", ], [num(3, -2, 300), u(0x2000, 4)] + [num(0, 0, 0xFFFF)] * 6 + [b"\0"] * 7
                     + [num(0, 0, 0xFFFF)] * 2),
    },
    "ini_section": {
        "counter": b"Runs=5\0\0" + num(10, 0, 40),
        "options": b"Option_1=1\0 option_1 = 2 \0CommandLine=\"-cheat\"\0Ontop='18'\0noequals\0=empty\0\0"
                   + num(40, 0, 40),
        "unterminated": b"Key=value" + num(3, 0, 40),
    },
    "mkgamelist_row": {
        # Machines of the emulator's own list: short name, description, the
        # build text after the first; per machine from the back: flags (1
        # description, 2 BIOS, 4 device, 8 not runnable, 16 samples, 32
        # status preliminary, 64 no cocktail, 128 emulation given), levels
        # (palette + 3 sound + 9 emulation preliminary) and the piece size of
        # the description.
        "listxml": machines([("005", "005", 1 | 16, 0, 0), ("10yard85", "10-Yard Fight '85 (US, Taito license)", 1, 9, 3),
                             ("20pacgalr0", "Ms. Pac-Man/Galaga - 20th Anniversary Class of 1981 Reunion (V1.00)", 1, 0, 0),
                             ("attache", "Attach\u00e9 8:16", 1 | 32, 2 + 3 * 1, 5),
                             ("3in1semi", "New HyperMan (3-in-1 with Cookie & Bibi & HyperMan) (set 1)", 1 | 64, 18, 1),
                             ("neogeo", "Neo-Geo MV-6F", 1 | 2, 0, 0), ("z80", "Zilog Z80", 1 | 4, 0, 0)],
                            "0.251 (unknown)"),
        "odd": machines([("a", " \t\n\u2122\U0001F600 \u20ac\u0081", 1, 26, 1), ("b/c", "bad short name", 1, 0, 0),
                         ("", "no short name", 1, 0, 0), ("pacman", "", 0, 4, 0)], "\u0001build\r\n"),
    },
    "mkgamelist_doctype": {
        "prolog": b'<?xml version="1.0"?>\n<!-- made -->\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n'
                  b'\t<!ATTLIST mame build CDATA "a>]b">\n<!-- ] > -->\n]>\n<mame build="0.251">\n</mame>\n',
        "usage": b"-window\0Usage: mame [machine] [options]\n  -[no]window, -w  run in a window\n  -cheat\n"
                 b"  -[no]sound\n  -autosave\n  -skip_gameinfo\n" + bytes([3, 7, 1, 24, 2]),
        "held": b"<!DOC<!DOCTYPE x SYSTEM 'y>'><!DOCTYP",
        "subset": b"<?xml version='1.0'?>\n<!DOCTYPE x SYSTEM 'y>' [\n<!ENTITY a 'b>]c'>\n<!-- one\ntwo ] -->\n"
                  b"<!ATTLIST x b CDATA \"a\nb\">\n]>\n<!DOC<x/>\n",
    },
    "shell_texts": {
        "install": seed(["C:\\Games\\MAME", "vintor-eng.txt", "pacman"],
                        [num(260, 0, 1100)] + [num(v, *C29) for v in (10, 20, 971, 675, 0, 0, 640, 480)]
                        + [num(1, 0, 4)]),
        "tight": seed(["\"C:\\Program Files\\vintor.exe\"  -x", "Puck Man   ", "puckman"],
                      [num(70, 0, 1100)] + [num(v, *C29) for v in (-32000, -32000, 160, 28, 5, 5, 600, 400)]
                      + [num(2, 0, 4)]),
    },
}


def main():
    for target, files in SEEDS.items():
        folder = os.path.join(HERE, "seeds", target)
        os.makedirs(folder, exist_ok=True)  # keeps the inputs added by hand or from runs
        for name, data in files.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
    listxml_head("mkgamelist_doctype")


if __name__ == "__main__":
    main()
