"""A current emulator without docs\\gamelist.txt: mkgamelist.exe makes the
document from the emulator's real -listxml output (an excerpt cut at build time
from ../shared, printed by the stand-in emulator), then vintor.exe starts on it
and lists the installed games under their names."""
import os
import subprocess
import unittest

import vintor_e2e as e2e

SUPPORTED, INSTALLED, OTHER = 302, 305, 306
EXCERPT = os.path.join(e2e.BUILD, "testdata", "listxml-excerpt.xml")
# Installed archives and the names the emulator gives them.
GAMES = {
    "pacman": "Pac-Man (Midway)",
    "mspacman": "Ms. Pac-Man",
    "galaga": "Galaga (Namco rev. B)",
    "sf2": "Street Fighter II: The World Warr",
    "005": "005",
    # Longer than the classic table's 9 characters; cut, the second would be arkanoidj.
    "20pacgalr0": "Ms. Pac-Man/Galaga - 20th Anniver",
    "arkanoidja": "Arkanoid (Japan, newer w/level se",
}


def counts():
    with open(os.path.splitext(EXCERPT)[0] + ".counts") as f:
        return dict((k, int(v)) for k, v in (line.strip().split("=") for line in f if "=" in line))


class MakeGameListTest(unittest.TestCase):
    def test_document_from_the_emulator_then_vintor_lists_the_games(self):
        if not os.path.exists(EXCERPT):
            self.skipTest("no excerpt of the real -listxml output (../shared/data/listxml is absent)")
        folder = e2e.stage("mkgamelist", installed=list(GAMES), snapshots={}, counters={})
        os.remove(os.path.join(folder, "docs", "gamelist.txt"))
        e2e.make_demo.copy_if(os.path.join(e2e.BUILD, "companions", "mkgamelist", "mkgamelist.exe"),
                              os.path.join(folder, "mkgamelist.exe"))
        e2e.make_demo.copy_if(EXCERPT, os.path.join(folder, "mame_listxml.xml"))
        run = subprocess.run(["wine", os.path.join(folder, "mkgamelist.exe")], cwd=folder, env=e2e.wine_env(),
                             capture_output=True, timeout=180)
        out = run.stdout.decode("cp1252")
        self.assertEqual(run.returncode, 0, out + run.stderr.decode("cp1252"))
        expected = counts()
        self.assertIn("Rows written:   %d" % expected["rows"], out)
        self.assertTrue(os.path.exists(os.path.join(folder, "docs", "gamelist.txt")))

        v = e2e.Vintor(folder)
        try:
            installed = v.rows(INSTALLED)
            by_short = dict((r[6].strip(), r) for r in installed)
            self.assertEqual(sorted(by_short), sorted(GAMES))
            for short, name in GAMES.items():
                self.assertEqual(by_short[short][0].rstrip(), name)
            self.assertEqual(by_short["005"][4], "Part(2)")
            self.assertEqual(sorted(r[0] for r in v.rows(OTHER, 0, 3)), ["neogeo", "readme"])
            self.assertEqual(len(v.rows(SUPPORTED, 0, 1)), expected["rows"])
            self.assertEqual(v.status(2), "Supported games: %d" % expected["rows"])
            e2e.screenshot("mkgamelist_installed")
        finally:
            self.assertEqual(v.close(), 0)


if __name__ == "__main__":
    e2e.main()
