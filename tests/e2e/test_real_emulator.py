"""Vintor with the real emulator, as a new user meets it: a MAME folder with
mame.exe (the tests' relay to Debian's MAME), mkgamelist.exe, a few installed
games and no document. Vintor offers to make the document, the user accepts,
and the lists then hold what the real -listxml output says: every runnable
machine under its own short name (long ones included), the installed games,
and status cells that follow emulation, palette and sound."""
import html
import os
import re
import subprocess
import time
import unittest

import vintor_e2e as e2e
from vintor_e2e import language
import real_emulator

SUPPORTED, INSTALLED, OTHER = 302, 305, 306
IDOK, IDYES = 1, 6
SHARED_LISTXML = os.path.join(e2e.SHARED, "data", "listxml", "mame-0.251-listxml.xml.xz")
# Installed: a classic name, one of 10 characters (a clone whose name cut to 9
# is another machine), machines whose status cells the old columns got wrong,
# and a BIOS set, which is no game.
GAMES = ["pacman", "arkanoidja", "ace", "alibaba", "alien3"]
BIOS = "neogeo"
YES, NO, CLOSE, PARTIAL = "  Yes  ", "   No  ", " Close ", "Partial"
YES_SAMPLES, PARTIAL_SAMPLES = " Yes(2)", "Part(2)"

ATTR = re.compile(r'(\w+)="([^"]*)"')
LEVEL = {"imperfect": 1, "unemulated": 2}


def listxml_lines():
    """The lines of the real -listxml output that the table needs: the shared
    copy where it is this emulator's, else the emulator's own output."""
    version = subprocess.run([real_emulator.REAL_MAME, "-version"], capture_output=True, text=True).stdout
    if os.path.exists(SHARED_LISTXML) and version.startswith("0.251 "):
        source = subprocess.Popen(["xz", "-dc", SHARED_LISTXML], stdout=subprocess.PIPE)
    else:
        source = subprocess.Popen([real_emulator.REAL_MAME, "-noreadconfig", "-listxml"], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, cwd="/tmp")
    pattern = "^\t(<machine |</machine>)|^\t\t(<description>|<driver |<feature |<sample )"
    out = subprocess.run(["grep", "-E", pattern], stdin=source.stdout, capture_output=True).stdout
    source.stdout.close()
    source.wait()
    return out.decode("utf-8").splitlines()


def name_field(description, short):
    """The 33-character name field as Vintor shows it (code page 1252 read
    as Latin-1 by the driver)."""
    text = description.lstrip("".join(chr(c) for c in range(0x21)) + "\x7f")
    out = bytearray()
    for c in text:
        if ord(c) < 0x20 or c == "\x7f":
            out += b" "
        else:
            out += c.encode("cp1252", errors="replace")
    name = out[:33].decode("latin-1") or short
    return name.ljust(33)[:33]


def expected_rows():
    """short name -> (name field, Working, Colors, Sound, Flip) for every
    machine of the real output that is a game row."""
    rows, m = {}, None
    for line in listxml_lines():
        s = line.strip()
        if s.startswith("<machine "):
            m = {"attrs": dict(ATTR.findall(s)), "description": "", "driver": {}, "features": {},
                 "samples": False}
            if s.endswith("/>"):
                s = "</machine>"
        if m is None:
            continue
        if s.startswith("</machine>"):
            a, d, f = m["attrs"], m["driver"], m["features"]
            if a.get("isdevice") != "yes" and a.get("isbios") != "yes" and a.get("runnable") != "no":
                samples = m["samples"] or bool(a.get("sampleof"))
                working = NO if (d.get("emulation") or d.get("status")) == "preliminary" else YES
                colors = [YES, CLOSE, NO][f.get("palette", 0)]
                sound = [YES_SAMPLES if samples else YES, PARTIAL_SAMPLES if samples else PARTIAL, NO][f.get("sound", 0)]
                flip = NO if d.get("cocktail") == "preliminary" else YES
                rows[a["name"]] = (name_field(m["description"], a["name"]), working, colors, sound, flip)
            m = None
        elif s.startswith("<description>"):
            m["description"] = html.unescape(s[len("<description>"):s.rindex("</description>")])
        elif s.startswith("<driver "):
            m["driver"] = dict(ATTR.findall(s))
        elif s.startswith("<feature "):
            a = dict(ATTR.findall(s))
            level = max(LEVEL.get(a.get("status"), 0), LEVEL.get(a.get("overall"), 0))
            m["features"][a.get("type")] = max(m["features"].get(a.get("type"), 0), level)
        elif s.startswith("<sample "):
            m["samples"] = True
    return rows


def document_rows(path):
    """The game rows of a document: name, the four status cells and the
    short-name field, whichever width of table its rule line opens."""
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").splitlines()
    rule = next(l for l in lines if l.startswith("+----------------------------------+"))
    start = lines.index(rule, lines.index(rule) + 1) + 1
    rows = []
    for line in lines[start:]:
        if not line.startswith("|"):
            break
        if line[2] != " ":
            rows.append([line[2:35]] + [line[36 + 8 * k:43 + 8 * k] for k in range(4)] + [line[68:len(rule) - 1]])
    return rows


def short_of(field):
    """A short name from column 6 of the supported-games list, as every reader takes it."""
    return field[1:].split(" ")[0]


class RealEmulatorTest(unittest.TestCase):
    def setUp(self):
        reason = real_emulator.skip_reason()
        if reason:
            self.skipTest(reason)
        if not os.path.exists(real_emulator.MKGAMELIST):
            self.skipTest("mkgamelist.exe was not built")
        self.v = None

    def tearDown(self):
        if self.v:
            self.v.kill()

    def long_path(self, path):
        return self.v.d.call("longpath", path.encode("cp1252").hex()).lower().rstrip("\\")

    def dialogs(self):
        pid = self.v.info()["pid"]
        return [w for w in self.v.d.call("top") if w["class"] == "#32770" and w["pid"] == pid]

    def test_accepting_the_offer_lists_what_the_real_emulator_says(self):
        folder = real_emulator.stage("real_offer", installed=GAMES + [BIOS])
        self.v = e2e.Vintor(folder)
        self.assertEqual(self.v.rows(SUPPORTED, 6, 6), [])
        box = self.v.find_dialog(language(114), 10)
        self.assertEqual(self.v.box_text(box), language(113))
        self.v.answer(box, IDYES)
        accepted = time.time()

        # Progress while the emulator lists its machines; the window stays usable.
        prefix = language(115).split("%d")[0]
        seen, shot = [], False
        end = time.time() + 600
        while time.time() < end:
            text = self.v.status(0)
            if text.startswith(prefix) and text[len(prefix):].split()[0].isdigit():
                seen.append(int(text[len(prefix):].split()[0]))
                if not shot and seen[-1] >= 5000:
                    e2e.screenshot("real_progress")
                    shot = True
            result = [w for w in self.dialogs() if w["title"] == language(114)]
            if result:
                break
            time.sleep(0.2)
        self.assertTrue(result, "no result message within 10 minutes")
        print("from Yes to the result: %.1f s" % (time.time() - accepted))
        time.sleep(0.5)
        e2e.screenshot("real_result")
        box_text = self.v.box_text(result[0])
        self.v.answer(result[0], IDOK)
        self.assertTrue(box_text.startswith(language(116).split("%d")[0]), box_text)
        self.assertTrue(seen and max(seen) >= 10000, seen[-5:])
        self.assertEqual(seen, sorted(seen))

        expected = expected_rows()
        # The document: every game row of the real output, each once, under
        # its whole short name, with its name and status cells.
        document = document_rows(os.path.join(folder, "docs", "gamelist.txt"))
        shorts = [short_of(r[5]) for r in document]
        self.assertEqual(len(shorts), len(expected))
        self.assertEqual(set(shorts), set(expected))
        for short, row in zip(shorts, document):
            self.assertEqual(tuple(row[:5]), expected[short], short)
        # Vintor lists them, in the document's order after a rescan.
        self.assertEqual(self.v.send(self.v.child(SUPPORTED), e2e.LVM_GETITEMCOUNT), len(document))
        self.assertEqual(box_text, language(116).replace("%d", str(len(expected))) + "\n" +
                         language(117).replace("%d", str(len(GAMES))))
        self.assertEqual(self.v.status(2), "Supported games: %d" % len(expected))

        # The installed games, the long-named one among them; the BIOS set is no game.
        installed = dict((r[6], r) for r in self.v.rows(INSTALLED, 0, 6))
        self.assertEqual(sorted(installed), sorted(GAMES))
        for short in GAMES:
            row = installed[short]
            self.assertEqual((row[0],) + tuple(row[2:6]), expected[short], short)
        self.assertEqual([r[0] for r in self.v.rows(OTHER, 0, 0)], [BIOS])

        # Rows of the supported-games list: the installed games, the first
        # machine with each value of each status column, the long names among
        # them, and rows spread over the whole list.
        chosen = set(GAMES)
        for column in range(1, 5):
            for value in set(cells[column] for cells in expected.values()):
                chosen.add(min(s for s, cells in expected.items() if cells[column] == value))
        chosen.update(s for s in list(expected)[::2000])
        indexes = sorted(set([shorts.index(s) for s in chosen if s in shorts] + [0, len(shorts) - 1]))
        for i in indexes:
            row = self.v.d.call("lvrows", self.v.child(SUPPORTED), 0, 6, i, i)[0]
            self.assertEqual(short_of(row[6]), shorts[i])
            self.assertEqual(row[6], document[i][5])
            self.assertEqual((row[0],) + tuple(row[2:6]), expected[shorts[i]], shorts[i])
            self.assertEqual(row[1], "0")  # no counter files

        # The tool asked the emulator in the MAME folder.
        starts = e2e.read_log(folder)
        self.assertTrue(any(s["cmdline"].endswith("-listxml") for s in starts), starts)
        for s in starts:
            self.assertEqual(self.long_path(s["cwd"]), self.long_path(e2e.win_path(folder)))
        self.assertEqual(self.v.close(), 0)
        self.v = None
        e2e.wait_for(lambda: not real_emulator.running_emulators(folder), 15, what="no emulator left running")


if __name__ == "__main__":
    e2e.main()
