"""The game catalogue in the running program: the demo's three lists, the
counters in the status bar, a real click on a column heading and a search
through the dialog."""
import time
import unittest

import vintor_e2e as e2e

SUPPORTED, INSTALLED, OTHER = 302, 305, 306
WM_COMMAND_SEARCH = 526


def folded(text):
    return "".join(chr(ord(c) + 32) if "A" <= c <= "Z" else c for c in text[:199])


class CatalogueTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = e2e.stage("catalogue")
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
        self.assertEqual(self.v.status(1), "Installed: %d games" % len(installed))
        self.assertEqual(self.v.status(2), "Supported: %d games" % len(supported))
        self.assertEqual(self.v.status(3), "Other files: %d files" % len(other))
        e2e.screenshot("catalogue_lists")

    def click_heading(self, list_id, x_offset):
        header = self.v.d.call("findchild", self.v.child(list_id), "SysHeader32")
        rect = self.v.d.call("info", header)["rect"]
        e2e.click(rect[0] + x_offset, (rect[1] + rect[3]) // 2)

    def test_column_click_sorts_and_alternates(self):
        # Column 1 (the play counters) starts at x 225: text order, then reversed.
        self.click_heading(INSTALLED, 225 + 25)
        first = [r[1] for r in self.v.rows(INSTALLED)]
        e2e.wait_for(lambda: [r[1] for r in self.v.rows(INSTALLED)] == sorted(first, key=folded), 5,
                     what="ascending by counter text")
        time.sleep(0.8)  # two clicks closer together would make a double click on the heading
        self.click_heading(INSTALLED, 225 + 25)
        e2e.wait_for(lambda: [r[1] for r in self.v.rows(INSTALLED)] == sorted(first, key=folded, reverse=True), 5,
                     what="descending by counter text")
        e2e.screenshot("catalogue_sorted_by_counter")
        # Back to name order for the other cases: this click sorts ascending again.
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
        hits = sum("pac" in r[0].lower() for r in rows) + sum("pac" in r[6].lower() for r in rows)
        texts = self.v.d.call("children", box["hwnd"])
        self.assertTrue(any(c.get("title") == "%d matches found." % hits for c in texts), texts)
        e2e.screenshot("catalogue_search_result")
        e2e.key("Return")
        e2e.wait_for(lambda: not self.v.d.call("info", box["hwnd"]), 10, what="message box to close")
        states = self.v.d.call("lvstates", self.v.child(INSTALLED))
        want = [2 if ("pac" in r[0].lower() or "pac" in r[6].lower()) else 0 for r in rows]
        self.assertEqual(states, want)


if __name__ == "__main__":
    e2e.main()
