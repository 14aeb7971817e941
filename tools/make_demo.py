#!/usr/bin/env python3
"""Stages a demo installation of Vintor: the program next to a stand-in mame.exe,
with a game list document, ROM archives, counters, snapshots and documents.

Usage: make_demo.py DEST --build BUILD_DIR [--source SOURCE_DIR]
The folder is made anew. Tests use the same builder through stage() below.
"""
import argparse
import os
import shutil
import struct
import sys
import zlib

RULE = "+----------------------------------+-------+-------+-------+-------+----------+"
# The table for short names longer than 9 characters: only its last column is wider.
WIDE_RULE = "+----------------------------------+-------+-------+-------+-------+------------------+"

# Name, status columns, short name.
DEMO_GAMES = [
    ("1942", "Yes", "Yes", "Yes", "Yes", "1942"),
    ("Asteroids", "Yes", "Yes", "Yes", "No", "asteroid"),
    ("Bubble Bobble", "Yes", "Yes", "Yes", "Yes", "bublbobl"),
    ("Centipede", "Yes", "Yes", "Yes", "Yes", "centiped"),
    ("Defender", "Yes", "Yes", "Yes", "No", "defender"),
    ("Donkey Kong", "Yes", "Yes", "Yes(2)", "Yes", "dkong"),
    ("Frogger", "Yes", "Yes", "Yes", "Yes", "frogger"),
    ("Galaga", "Yes", "Yes", "Yes", "Yes", "galaga"),
    ("Galaxian", "Yes", "Yes", "Yes", "Yes", "galaxian"),
    ("Gauntlet", "Yes", "Yes", "Yes", "No", "gauntlet"),
    ("Metal Slug - Super Vehicle-001", "Yes", "Yes", "Yes", "No", "mslug"),
    ("Missile Command", "Yes", "Yes", "Yes", "Yes", "missile"),
    ("Ms. Pac-Man", "Yes", "Yes", "Yes", "Yes", "mspacman"),
    ("Pac-Man (Midway)", "Yes", "Yes", "Yes", "Yes", "pacman"),
    ("Pengo", "Yes", "Yes", "Yes", "Yes", "pengo"),
    ("Phoenix", "Yes", "Close", "Partial", "Yes", "phoenix"),
    ("Pole Position", "Yes", "Yes", "Part(2)", "No", "polepos"),
    ("Q*bert", "Yes", "Yes", "Yes", "Yes", "qbert"),
    ("Robotron: 2084", "Yes", "Yes", "Yes", "No", "robotron"),
    ("Scramble", "Yes", "Yes", "Yes", "Yes", "scramble"),
    ("Space Invaders", "Yes", "Yes", "Yes(2)", "Yes", "invaders"),
    ("Street Fighter II - The World Warrior", "Yes", "Yes", "Yes", "Yes", "sf2"),
    ("Tempest", "Yes", "Yes", "Yes", "No", "tempest"),
    ("Time Pilot", "Yes", "Yes", "Yes", "Yes", "timeplt"),
    ("Xevious", "Yes", "Yes", "Yes", "Yes", "xevious"),
    ("Zaxxon", "No(1)", "Yes", "Yes(2)", "No", "zaxxon"),
]

INSTALLED = ["1942", "bublbobl", "dkong", "galaga", "mslug", "mspacman", "pacman", "qbert",
             "robotron", "sf2", "xevious", "zaxxon"]
SNAPSHOTS = {"galaga": (40, 20, 90), "pacman": (20, 20, 160), "dkong": (160, 40, 30),
             "sf2": (30, 120, 60), "mslug": (130, 100, 40)}
COUNTERS = {"pacman": 12, "galaga": 3, "dkong": 41}


def cell(text, width):
    text = text[:width]
    return text + " " * (width - len(text))


STATUS_CELLS = {"Yes": "  Yes  ", "No": "   No  ", "No(1)": " No(1) ", "Close": " Close ",
                "Partial": "Partial", "Yes(2)": " Yes(2)", "Part(2)": "Part(2)"}


def status(text):
    return STATUS_CELLS.get(text, cell(text, 7))


def table_row(name, s1, s2, s3, s4, short, wide=False):
    """One row of the emulator's fixed-width table, 79 characters (87 wide)."""
    row = "| " + cell(name, 33) + "|" + status(s1) + "|" + status(s2)
    row += "|" + status(s3) + "|" + status(s4) + "| " + cell(short, 17 if wide else 9) + "|"
    assert len(row) == (87 if wide else 79), (row, len(row))
    return row


def game_list_document(games, version="0.99", wide=None):
    """The classic table, or the wide one where a short name needs it."""
    if wide is None:
        wide = any(len(g[5]) > 9 for g in games)
    rule = WIDE_RULE if wide else RULE
    last = ("     Internal     ", "       Name       ") if wide else ("  Internal", "    Name  ")
    lines = ["This is the complete list of games supported by MAME %s." % version, "",
             "This list is generated automatically and is not 100% accurate.", "", rule,
             "|                                  |       |Correct|       |Screen |%s|" % last[0],
             "| Game Name                        |Working|Colors | Sound | Flip  |%s|" % last[1], rule]
    lines += [table_row(*g, wide=wide) for g in games]
    lines += [rule, "", "(1) There are variants of the game (usually bootlegs) that work correctly",
              "(2) Needs samples provided separately"]
    return "\r\n".join(lines) + "\r\n"


def png_bytes(width, height, pixel):
    """An 8-bit RGB PNG; pixel(x, y) -> (r, g, b)."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw += bytes(pixel(x, y))

    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b"")


def snapshot(colour):
    r, g, b = colour
    def pixel(x, y):
        stripe = ((x // 16) + (y // 16)) % 2
        k = 1.0 if stripe else 0.6
        return (min(255, int(r * k + x // 2)), min(255, int(g * k + y // 2)), min(255, int(b * k)))
    return png_bytes(224, 256, pixel)


def write(path, data, mode="wb"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, mode) as f:
        f.write(data)


def copy_if(src, dst):
    if os.path.exists(src):
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        shutil.copyfile(src, dst)
        return True
    return False


def stage(dest, build, source, games=DEMO_GAMES, installed=INSTALLED, snapshots=SNAPSHOTS,
          counters=COUNTERS, with_mame=True, with_converter=True, settings=None, extra_roms=True):
    """Makes an installation folder; returns its path."""
    if os.path.exists(dest):
        shutil.rmtree(dest)
    os.makedirs(dest)
    shutil.copyfile(os.path.join(build, "vintor.exe"), os.path.join(dest, "vintor.exe"))
    if with_mame:
        copy_if(os.path.join(build, "tests", "doubles", "fakemame", "mame.exe"), os.path.join(dest, "mame.exe"))
    if with_converter:
        copy_if(os.path.join(build, "companions", "png2bmp", "png2bmp.exe"), os.path.join(dest, "snap", "png2bmp.exe"))
    copy_if(os.path.join(build, "art", "defgame.bmp"), os.path.join(dest, "snap", "defgame.bmp"))
    copy_if(os.path.join(source, "lang", "default.lng"), os.path.join(dest, "lang", "default.lng"))
    copy_if(os.path.join(source, "docs", "vintor-eng.txt"), os.path.join(dest, "docs", "vintor-eng.txt"))
    write(os.path.join(dest, "docs", "gamelist.txt"), game_list_document(games).encode("cp1252"))
    write(os.path.join(dest, "docs", "windows.txt"),
          b"Notes for Windows\r\n=================\r\n\r\nThe emulator runs on Windows 98 and later.\r\n"
          b"Put your ROM archives into the roms folder.\r\n")
    write(os.path.join(dest, "docs", "mame.txt"),
          b"MAME notes\r\n==========\r\n\r\nMAME emulates the hardware of arcade machines.\r\n"
          b"Use the ROM images of the games you own.\r\n")
    os.makedirs(os.path.join(dest, "roms"), exist_ok=True)
    for i, short in enumerate(installed):
        write(os.path.join(dest, "roms", short + ".zip"), b"PK\x05\x06" + bytes(18) + bytes(1000 * (i + 1)))
    if extra_roms:
        write(os.path.join(dest, "roms", "neogeo.zip"), b"PK\x05\x06" + bytes(200000))
        write(os.path.join(dest, "roms", "readme.txt"), b"Put your ROM archives here.\r\n")
    os.makedirs(os.path.join(dest, "winis"), exist_ok=True)
    for short, runs in counters.items():
        write(os.path.join(dest, "winis", short + ".ini"), ("[OPTIONS]\r\nRuns=%d\r\n" % runs).encode())
    for short, colour in snapshots.items():
        write(os.path.join(dest, "snap", short + ".png"), snapshot(colour))
    ini = settings if settings is not None else (
        "[OPTIONS]\r\nOption_2=1\r\n\r\n[BIOS]\r\nneogeo.zip=Neo-Geo system BIOS\r\nreadme.zip=Notes about the ROM folder\r\n")
    if ini:
        write(os.path.join(dest, "vintor.ini"), ini.encode("cp1252"))
    return dest


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dest")
    ap.add_argument("--build", required=True)
    ap.add_argument("--source", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    a = ap.parse_args()
    stage(a.dest, a.build, a.source)
    # The demo's stand-in emulator shows what it was asked to run.
    write(os.path.join(a.dest, "mame_show.txt"), b"show\r\n")
    print(a.dest)


if __name__ == "__main__":
    sys.exit(main())
