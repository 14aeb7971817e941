"""Short names of 10 to 16 characters, as today's emulator has them, in the
wide game table: the scan matches their archives, and the counter, the
information box, the snapshot, a start, the verification, the search and
Delete all use the whole name. Cut to 9 characters, arkanoidja would be
arkanoidj, another game that is installed beside it."""
import os
import shutil
import time
import unittest

import test_snapshot as pictures
import vintor_e2e as e2e

SUPPORTED, INSTALLED, OTHER = 302, 305, 306
GAME_INFO = 318
PLAY, DELETE, VERIFY, SEARCH = 503, 505, 522, 526
IDOK, IDYES = 1, 6
TRASH = os.path.join(e2e.BUILD, "e2e-trash-longnames")
os.environ["XDG_DATA_HOME"] = TRASH  # Wine's recycle bin, as in test_rom_files

LONG = "arkanoidja"
CUT = "arkanoidj"
SIXTEEN = "sixteen_chars_16"
GAMES = e2e.make_demo.DEMO_GAMES + [
    ("Arkanoid (Japan, newer)", "Yes", "Yes", "Yes", "Yes", CUT),
    ("Arkanoid (Japan, newer w/level select)", "Yes", "Close", "Partial", "No", LONG),
    ("Sixteen Characters", "No", "Yes", "Yes", "Yes", SIXTEEN),
]
INSTALLED_GAMES = ["pacman", CUT, LONG, SIXTEEN]
RED, BLUE = (230, 20, 20), (20, 20, 230)


def parameters_of(cmdline):
    end = cmdline.index('"', 1) + 1 if cmdline.startswith('"') else cmdline.find(" ")
    return cmdline[end + 1:] if 0 <= end < len(cmdline) else ""


class LongNamesTest(unittest.TestCase):
    def setUp(self):
        shutil.rmtree(TRASH, ignore_errors=True)
        os.makedirs(TRASH)
        self.folder = e2e.stage("longnames", games=GAMES, installed=INSTALLED_GAMES, snapshots={},
                                counters={LONG: 5}, extra_roms=False)
        snap = os.path.join(self.folder, "snap")
        e2e.make_demo.write(os.path.join(snap, LONG + ".png"), pictures.solid_png(RED))
        e2e.make_demo.write(os.path.join(snap, CUT + ".png"), pictures.solid_png(BLUE))
        self.v = e2e.Vintor(self.folder)
        self.addCleanup(self.close)

    def end_command_windows(self):
        pid = self.v.info()["pid"] if self.v.hwnd else None
        for p in self.v.d.call("procs"):
            if p["parent"] == pid and p["exe"].lower() == "cmd.exe":
                self.v.d.call("terminate", p["pid"])

    def close(self):
        self.end_command_windows()
        for w in self.v.top_windows():
            if w["hwnd"] != self.v.hwnd and w["class"] == "#32770":
                self.v.post(w["hwnd"], e2e.WM_COMMAND, 2, 0)
        self.v.close()

    def row_of(self, short):
        rows = self.v.rows(INSTALLED)
        return [r[6] for r in rows].index(short)

    def select(self, short):
        lst = self.v.child(INSTALLED)
        r = self.v.d.call("lvrect", lst, self.row_of(short))
        e2e.click(r[0] + 40, (r[1] + r[3]) // 2)
        e2e.wait_for(lambda: self.v.d.call("lvstates", lst)[self.row_of(short)] & 3 == 3, 5,
                     what=short + " selected")
        time.sleep(0.3)

    def shows_colour(self, colour):
        rect = self.v.child_info(311)["rect"]
        pixels = pictures.grab(rect)
        return pictures.extent(pixels, colour) != (0, 0)

    def starts(self, n):
        e2e.wait_for(lambda: len(e2e.read_log(self.folder)) >= n, 15, what="start %d" % n)
        time.sleep(0.5)
        return e2e.read_log(self.folder)

    def search(self, text):
        self.v.command(SEARCH)
        dialog = self.v.find_dialog("Search")
        edit = self.v.d.call("findchild", dialog["hwnd"], "Edit")
        self.v.d.call("settext", edit, text.encode().hex())
        self.v.post(dialog["hwnd"], e2e.WM_COMMAND, IDOK, 0)
        box = self.v.find_dialog("Search result")
        said = [c.get("title") for c in self.v.d.call("children", box["hwnd"])]
        self.v.answer(box, IDOK)
        states = self.v.d.call("lvstates", self.v.child(INSTALLED))
        chosen = [r[6] for r, s in zip(self.v.rows(INSTALLED), states) if s & 2]
        return said, chosen

    def test_long_short_names_are_used_whole(self):
        v = self.v
        e2e.wait_for(lambda: len(v.rows(INSTALLED)) == len(INSTALLED_GAMES), 30, what="installed games")
        e2e.wait_for(lambda: not v.splash_visible(), 30, what="splash to close")
        by_short = dict((r[6], r) for r in v.rows(INSTALLED))
        # Matched by the whole name, each archive to its own game, none among the other files.
        self.assertEqual(sorted(by_short), sorted(INSTALLED_GAMES))
        self.assertEqual(by_short[LONG][0].rstrip(), "Arkanoid (Japan, newer w/level se")
        self.assertEqual(by_short[CUT][0].rstrip(), "Arkanoid (Japan, newer)")
        self.assertEqual(by_short[LONG][2:6], ["  Yes  ", " Close ", "Partial", "   No  "])
        self.assertEqual(by_short[SIXTEEN][2], "   No  ")
        self.assertEqual(v.rows(OTHER), [])
        self.assertEqual((by_short[LONG][1], by_short[CUT][1]), ("5", "0"))
        supported = dict((r[6], r) for r in v.rows(SUPPORTED))
        self.assertIn(" %-17s" % LONG, supported)
        self.assertIn(" " + SIXTEEN + " ", supported)
        self.assertEqual(supported[" %-17s" % LONG][1], "5")
        self.assertEqual(v.status(1), "Installed games: 4")
        self.assertEqual(v.status(2), "Supported games: %d" % len(GAMES))

        # Information box, status bar and snapshot of the selected game.
        self.select(CUT)
        e2e.wait_for(lambda: self.shows_colour(BLUE), 10, what="the picture of " + CUT)
        self.select(LONG)
        e2e.wait_for(lambda: v.text(GAME_INFO).endswith(LONG), 5, what="information on " + LONG)
        self.assertIn("Arkanoid (Japan, newer w/level se", v.status(0))
        e2e.wait_for(lambda: self.shows_colour(RED), 10, what="the picture of " + LONG)
        self.assertFalse(self.shows_colour(BLUE))
        e2e.screenshot("long_names_selected")

        # A start and the verification under the whole name; the counter follows.
        v.command(PLAY)
        log = self.starts(1)
        self.assertEqual(parameters_of(log[0]["cmdline"]).split()[0], LONG)
        e2e.wait_for(lambda: v.rows(INSTALLED)[self.row_of(LONG)][1] == "6", 5, what="counter 6")
        with open(os.path.join(self.folder, "winis", LONG + ".ini"), "rb") as f:
            self.assertIn(b"Runs=6", f.read())
        self.assertFalse(os.path.exists(os.path.join(self.folder, "winis", CUT + ".ini")))
        v.command(VERIFY)
        log = self.starts(2)
        self.assertEqual(parameters_of(log[1]["cmdline"]), "-verifyroms " + LONG)
        self.end_command_windows()

        # The search finds the whole name and tells it from the shorter one.
        said, chosen = self.search(LONG)
        self.assertIn("Matches found: 1", said)
        self.assertEqual(chosen, [LONG])
        said, chosen = self.search(CUT)
        self.assertIn("Matches found: 2", said)
        self.assertEqual(sorted(chosen), sorted([CUT, LONG]))

        # Delete recycles the long name's archive, not the other game's.
        self.select(LONG)
        v.command(DELETE)
        box = v.find_dialog(e2e.language(10))
        self.assertIn(LONG + ".zip", v.box_text(box))
        v.answer(box, IDYES)
        roms = os.path.join(self.folder, "roms")
        e2e.wait_for(lambda: not os.path.exists(os.path.join(roms, LONG + ".zip")), 10, what=LONG + " recycled")
        self.assertTrue(os.path.exists(os.path.join(roms, CUT + ".zip")))
        e2e.wait_for(lambda: LONG not in [r[6] for r in v.rows(INSTALLED)], 5, what="its row removed")
        self.assertIn(CUT, [r[6] for r in v.rows(INSTALLED)])
        e2e.screenshot("long_names_after_delete")


if __name__ == "__main__":
    e2e.main()
