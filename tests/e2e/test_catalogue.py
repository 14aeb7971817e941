"""The game catalogue in the running program: the demo's three lists, the
counters in the status bar, a real click on a column heading and a search
through the dialog."""
import os
import time
import unittest

import vintor_e2e as e2e

SUPPORTED, INSTALLED, OTHER = 302, 305, 306
WM_COMMAND_SEARCH = 526
LVM_SCROLL = 0x1014


def folded(text):
    return "".join(chr(ord(c) + 32) if "A" <= c <= "Z" else c for c in text[:199])


class CatalogueTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = e2e.stage("catalogue")
        # The demo's archives grow with their names; one larger archive makes the
        # size order differ from the name order (and "19.5 KB" from text order).
        with open(os.path.join(cls.folder, "roms", "1942.zip"), "wb") as f:
            f.write(b"PK\x05\x06" + bytes(20000))
        cls.v = e2e.Vintor(cls.folder)
        e2e.wait_for(lambda: not any(w["class"] == "SplashScreenClass" for w in cls.v.d.call("top")), 30,
                     what="splash to close")

    @classmethod
    def tearDownClass(cls):
        cls.v.close()

    def setUp(self):
        if not self.v.child(INSTALLED):
            self.skipTest("the main window has no game lists yet")

    def test_a_demo_lists_sorted_by_name_with_counters(self):
        installed = self.v.rows(INSTALLED)
        supported = self.v.rows(SUPPORTED)
        other = self.v.rows(OTHER, 0, 3)
        self.assertEqual(len(installed), len(e2e.make_demo.INSTALLED))
        self.assertEqual(len(supported), len(e2e.make_demo.DEMO_GAMES))
        self.assertEqual(sorted(r[0] for r in other), ["neogeo", "readme"])
        for rows in (installed, supported):
            keys = [folded(r[0]) for r in rows]
            self.assertEqual(keys, sorted(keys))
        by_short = {r[6]: r for r in installed}
        self.assertEqual(by_short["pacman"][1], "12")
        self.assertTrue(by_short["pacman"][7].endswith("KB"))
        pacman = [r for r in supported if r[6].split()[0] == "pacman"][0]
        self.assertEqual(pacman[1], "12")
        self.assertEqual(len(pacman[0]), 33)
        neogeo = [r for r in other if r[0] == "neogeo"][0]
        self.assertEqual(neogeo[2], "Neo-Geo system BIOS")
        self.assertEqual(self.v.status(1), "Installed games: %d" % len(installed))
        self.assertEqual(self.v.status(2), "Supported games: %d" % len(supported))
        self.assertEqual(self.v.status(3), "Other files: %d" % len(other))
        e2e.screenshot("catalogue_lists")

    def click_heading(self, list_id, x_offset):
        header = self.v.d.call("findchild", self.v.child(list_id), "SysHeader32")
        rect = self.v.d.call("info", header)["rect"]
        e2e.click(rect[0] + x_offset, (rect[1] + rect[3]) // 2)

    def test_column_click_sorts_and_alternates(self):
        # Column 1 (the play counters) starts at x 225: by count, then reversed; equal
        # counts keep the order they had (name order from the start-up).
        before = self.v.rows(INSTALLED)
        up = sorted(before, key=lambda r: int(r[1]))
        self.click_heading(INSTALLED, 225 + 25)
        e2e.wait_for(lambda: self.v.rows(INSTALLED) == up, 5,
                     what="ascending by count, 9 before 10 (%s)" % [r[1] for r in self.v.rows(INSTALLED)])
        time.sleep(0.8)  # two clicks closer together would make a double click on the heading
        self.click_heading(INSTALLED, 225 + 25)
        down = sorted(up, key=lambda r: int(r[1]), reverse=True)
        e2e.wait_for(lambda: self.v.rows(INSTALLED) == down, 5, what="descending by count")
        e2e.screenshot("catalogue_sorted_by_counter")
        # Size, the last column: scrolled into view, it sorts by the archives' bytes
        # (this click is ascending again).
        size_of = {short: os.path.getsize(os.path.join(self.folder, "roms", short + ".zip"))
                   for short in e2e.make_demo.INSTALLED}
        lst = self.v.child(INSTALLED)
        self.v.send(lst, LVM_SCROLL, 10000, 0)
        time.sleep(0.8)
        self.click_heading(INSTALLED, 575 + 50)  # the header moves with the scroll: column 7 starts at 575
        e2e.wait_for(lambda: [r[6] for r in self.v.rows(INSTALLED)] == sorted(size_of, key=size_of.get), 5,
                     what="ascending by size (%s)" % [r[7] for r in self.v.rows(INSTALLED)])
        e2e.screenshot("catalogue_sorted_by_size")
        self.v.send(lst, LVM_SCROLL, -10000, 0)
        # Back to name order for the other cases: this click sorts descending, the next ascending.
        for _ in range(2):
            time.sleep(0.8)
            self.click_heading(INSTALLED, 40)
        e2e.wait_for(lambda: [folded(r[0]) for r in self.v.rows(INSTALLED)] ==
                     sorted(folded(r[0]) for r in self.v.rows(INSTALLED)), 5, what="name order again")

    def test_search_through_the_dialog(self):
        self.v.command(WM_COMMAND_SEARCH)
        dialog = self.v.find_dialog("Search")
        edit = self.v.d.call("findchild", dialog["hwnd"], "Edit")
        self.v.d.call("settext", edit, b"pac".hex())
        e2e.screenshot("catalogue_search_dialog")
        e2e.key("Return")
        box = self.v.find_dialog("Search result")
        rows = self.v.rows(INSTALLED)
        # Games, not column hits: Pac-Man matches by name and by short name and counts once.
        games = sum("pac" in r[0].lower() or "pac" in r[6].lower() for r in rows)
        both = sum("pac" in r[0].lower() and "pac" in r[6].lower() for r in rows)
        self.assertGreater(both, 0, "the demo needs a game that matches twice")
        texts = self.v.d.call("children", box["hwnd"])
        self.assertTrue(any(c.get("title") == "Matches found: %d" % games for c in texts), texts)
        e2e.screenshot("catalogue_search_result")
        e2e.key("Return")
        e2e.wait_for(lambda: not self.v.d.call("info", box["hwnd"]), 10, what="message box to close")
        states = self.v.d.call("lvstates", self.v.child(INSTALLED))
        want = [2 if ("pac" in r[0].lower() or "pac" in r[6].lower()) else 0 for r in rows]
        self.assertEqual(states, want)


if __name__ == "__main__":
    e2e.main()
