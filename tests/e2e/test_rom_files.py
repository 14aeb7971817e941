"""The ROM folder seen from outside: Delete recycles exactly the file or folder
its row stands for, the paths a rescan stores never follow the process's
current folder (which other commands change while it runs), Delete after a
rescan under its question acts on the row it named, and a scan that fails still
leaves the buttons and counters following the lists."""
import os
import shutil
import time
import unittest

import vintor_e2e as e2e

SUPPORTED, INSTALLED, OTHER, TABS = 302, 305, 306, 301
PLAY, RESCAN, DELETE = 503, 504, 505
COMMAND_PROMPT, LANGUAGE = 506, 507
IDYES = 6
TRASH = os.path.join(e2e.BUILD, "e2e-trash-romfiles")
# Wine keeps the recycle bin in the desktop's trash folder under this data folder.
os.environ["XDG_DATA_HOME"] = TRASH

language = e2e.language


def write(path, size):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(b"PK\x05\x06" + bytes(max(0, size - 4)))


class RomFilesTest(unittest.TestCase):
    def setUp(self):
        self.v = None
        shutil.rmtree(TRASH, ignore_errors=True)
        os.makedirs(TRASH)

    def tearDown(self):
        if self.v:
            for w in self.v.top_windows():
                if w["hwnd"] != self.v.hwnd and w["class"] == "#32770":
                    self.v.post(w["hwnd"], e2e.WM_COMMAND, 2, 0)
            self.v.close()

    def open(self, name, **kw):
        self.folder = e2e.stage("romfiles_" + name, **kw)
        self.roms = os.path.join(self.folder, "roms")
        return self.folder

    def start(self):
        self.v = e2e.Vintor(self.folder)
        return self.v

    def enabled(self, control_id):
        return bool(self.v.child_info(control_id)["enabled"])

    def click_row(self, control, item):
        r = self.v.d.call("lvrect", self.v.child(control), item)
        e2e.click(r[0] + 40, (r[1] + r[3]) // 2)
        e2e.wait_for(lambda: self.v.d.call("lvstates", self.v.child(control))[item] & 3 == 3, 5,
                     what="row %d selected" % item)

    def click_tab(self, page):
        r = self.v.d.call("tcrect", self.v.child(TABS), page)
        e2e.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
        e2e.wait_for(lambda: self.v.send(self.v.child(TABS), e2e.TCM_GETCURSEL) == page, 5, what="page %d" % page)
        time.sleep(0.3)

    def long(self, path):
        return self.v.d.call("longpath", path.encode("cp1252").hex()).lower().rstrip("\\")

    def trashed(self):
        folder = os.path.join(TRASH, "Trash", "files")
        return sorted(os.listdir(folder)) if os.path.isdir(folder) else []

    def rescan_and_wait(self, done, what):
        self.v.command(RESCAN)
        e2e.wait_for(lambda: done() and self.enabled(RESCAN), 60, what=what)

    def test_delete_recycles_the_file_the_row_stands_for(self):
        # Two archives of one game and a game kept as a folder; the rows differ only by size.
        self.open("delete_kinds", installed=["galaga", "pacman"], extra_roms=False)
        write(os.path.join(self.roms, "galaga.7z"), 5120)
        write(os.path.join(self.roms, "dkong", "dkong.rom"), 100)
        v = self.start()
        # A sort moves the texts between rows; each row's file must move with them.
        header = v.d.call("findchild", v.child(INSTALLED), "SysHeader32")
        hr = v.d.call("info", header)["rect"]
        before = v.rows(INSTALLED)
        e2e.click(hr[0] + 225 + 25, (hr[1] + hr[3]) // 2)  # the Played heading: dkong's 41 moves down
        e2e.wait_for(lambda: v.rows(INSTALLED) != before, 5, what="sorted by the play counter")
        cases = [  # short name, size text, what the row stands for
            ("galaga", "5.0 KB", "galaga.7z"),
            ("dkong", "", "dkong"),
            ("galaga", "1.0 KB", "galaga.zip"),
        ]
        left = {"galaga.zip", "galaga.7z", "dkong", "pacman.zip"}
        for short, size, entry in cases:
            rows = v.rows(INSTALLED)
            keys = [(r[6], r[7]) for r in rows]
            self.assertIn((short, size), keys, entry)
            self.click_row(INSTALLED, keys.index((short, size)))
            v.command(DELETE)
            box = v.find_dialog(language(10))
            text = v.box_text(box)
            self.assertIn(entry, text)
            if not entry.endswith(".zip"):
                self.assertNotIn(short + ".zip", text, "the question names the row's own file")
            v.answer(box, IDYES)
            e2e.wait_for(lambda: not os.path.exists(os.path.join(self.roms, entry)), 10, what=entry + " recycled")
            left.discard(entry)
            self.assertEqual(set(os.listdir(self.roms)), left, "only " + entry + " went")
            e2e.wait_for(lambda: len(v.rows(INSTALLED)) == len(rows) - 1, 5, what="row removed")
            self.assertNotIn((short, size), [(r[6], r[7]) for r in v.rows(INSTALLED)])
        self.assertEqual(self.trashed(), ["dkong", "galaga.7z", "galaga.zip"], "in the recycle bin, not erased")
        self.assertEqual(v.status(1), "Installed games: 1")

    def test_a_file_the_recycle_bin_refuses_is_told_and_its_row_stays(self):
        self.open("delete_refused", installed=["galaga", "pacman"], extra_roms=False)
        # No trash folder can be made, and a write-protected file cannot be erased either.
        with open(os.path.join(TRASH, "Trash"), "w") as f:
            f.write("not a folder")
        kept = os.path.join(self.roms, "galaga.zip")
        os.chmod(kept, 0o444)
        try:
            v = self.start()
            shorts = [r[6] for r in v.rows(INSTALLED)]
            self.click_row(INSTALLED, shorts.index("galaga"))
            v.command(DELETE)
            v.answer(v.find_dialog(language(10)), IDYES)
            box = e2e.wait_for(lambda: next((w for w in v.top_windows() if w["title"] == language(10) and
                                             language(143) in (v.box_text(w) or "")), None),
                               10, what="the message that the file stays")
            lines = v.box_text(box).split("\n")
            self.assertEqual(lines, [language(143), "galaga.zip", "", language(144)])
            e2e.screenshot("romfiles_delete_refused")
            v.answer(box, 1)
            self.assertTrue(os.path.exists(kept))
            self.assertEqual([r[6] for r in v.rows(INSTALLED)], shorts)
            self.assertEqual(v.status(1), "Installed games: 2")
        finally:
            os.chmod(kept, 0o644)

    def test_stored_paths_ignore_commands_that_change_the_folder(self):
        self.open("paths")
        # command.com is the stand-in emulator, which logs and ends; language.exe is
        # missing, so 507 only changes the folder and fails to start it.
        shutil.copyfile(os.path.join(e2e.BUILD, "tests", "doubles", "fakemame", "mame.exe"),
                        os.path.join(self.folder, "command.com"))
        # Large enough that the scan's file work and its filling take a while.
        others = ["other%05d.bin" % i for i in range(5000)]
        for name in others:
            with open(os.path.join(self.roms, name), "wb") as f:
                f.write(b"other")
        v = self.start()
        started = time.time()
        v.command(RESCAN)
        # The commands go in as fast as they can be posted until the rescan has ended.
        sent, sent_busy, end = 0, 0, time.time() + 120
        while time.time() < end:
            v.command(COMMAND_PROMPT if sent % 50 == 0 else LANGUAGE)
            sent += 1
            if not self.enabled(RESCAN):
                sent_busy += 1
            elif sent_busy:
                break
        print("rescan of %d entries: %.1f s, %d folder changes posted during it" %
              (len(others) + 13, time.time() - started, sent_busy))
        self.assertGreaterEqual(sent_busy, 3, "commands sent while the rescan ran")
        e2e.wait_for(lambda: self.enabled(RESCAN), 60, what="rescan to end")
        paths = [r[0] for r in v.rows(OTHER, 3, 3)]  # column 3 only: each cell costs a message
        expected = set(os.listdir(self.roms)) - {s + ".zip" for s in e2e.make_demo.INSTALLED}
        self.assertEqual({p.split("\\")[-1] for p in paths}, expected)
        folders = {p.rsplit("\\", 1)[0] for p in paths}
        self.assertEqual({self.long(f) for f in folders}, {self.long(e2e.win_path(self.roms))},
                         "every path names the file in roms\\")
        self.assertTrue(all(p[1:3] == ":\\" for p in paths), "absolute paths")

    def test_delete_after_a_rescan_under_the_question_acts_on_the_row_it_named(self):
        self.open("delete_race", extra_roms=False)
        for name in ("a.bin", "b.bin", "c.bin"):
            write(os.path.join(self.roms, name), 10)
        v = self.start()
        self.click_tab(2)
        self.assertEqual([r[0] for r in v.rows(OTHER, 0, 3)], ["a", "b", "c"])
        self.click_row(OTHER, 2)
        v.command(DELETE)
        box = v.find_dialog(language(10))
        self.assertIn("c", v.box_text(box))
        # Under the question: two other files go and a rescan rebuilds the list,
        # so the row asked about is now the first and only one.
        os.remove(os.path.join(self.roms, "a.bin"))
        os.remove(os.path.join(self.roms, "b.bin"))
        self.rescan_and_wait(lambda: len(v.rows(OTHER, 0, 3)) == 1, "rescan under the question")
        installed = v.rows(INSTALLED)
        v.answer(box, IDYES)
        e2e.wait_for(lambda: not os.path.exists(os.path.join(self.roms, "c.bin")), 10, what="c.bin recycled")
        e2e.wait_for(lambda: v.rows(OTHER, 0, 3) == [], 5, what="the row of c.bin removed")
        self.assertEqual(v.rows(INSTALLED), installed)
        self.assertEqual(v.status(3), "Other files: 0")
        # Delete while a rescan runs (from the menu; its button is grey then) asks nothing.
        write(os.path.join(self.roms, "d.bin"), 10)
        v.command(RESCAN)
        v.command(DELETE)
        e2e.wait_for(lambda: len(v.rows(OTHER, 0, 3)) == 1 and self.enabled(RESCAN), 30, what="rescan")
        time.sleep(0.5)
        self.assertEqual([w for w in v.top_windows() if w["class"] == "#32770"], [])
        self.assertTrue(os.path.exists(os.path.join(self.roms, "d.bin")))

    def test_a_failed_scan_leaves_buttons_and_counters_following_the_lists(self):
        self.open("failed_scan")
        v = self.start()
        games = len(e2e.make_demo.DEMO_GAMES)
        # roms\ gone: the lists of files empty, Rescan back, Play and Delete off on page 0.
        os.rename(self.roms, self.roms + ".away")
        self.rescan_and_wait(lambda: v.status(1) == "Installed games: 0", "counters after a failed scan")
        self.assertEqual(v.rows(INSTALLED), [])
        self.assertEqual(v.rows(OTHER, 0, 3), [])
        self.assertEqual(v.status(2), "Supported games: %d" % games)
        self.assertEqual(v.status(3), "Other files: 0")
        self.assertTrue(self.enabled(RESCAN))
        self.assertFalse(self.enabled(PLAY))
        self.assertFalse(self.enabled(DELETE))
        # The document gone (roms\ back): every entry is another file; on page 2 Delete follows that list.
        os.rename(self.roms + ".away", self.roms)
        os.remove(os.path.join(self.folder, "docs", "gamelist.txt"))
        self.click_tab(2)
        entries = len(os.listdir(self.roms))
        self.rescan_and_wait(lambda: v.status(3) == "Other files: %d" % entries, "counters without document")
        self.assertEqual(v.status(1), "Installed games: 0")
        self.assertEqual(v.status(2), "Supported games: 0")
        self.assertEqual(len(v.rows(OTHER, 0, 3)), entries)
        self.assertTrue(self.enabled(RESCAN) and self.enabled(DELETE) and self.enabled(PLAY))
        e2e.screenshot("romfiles_failed_scan")


if __name__ == "__main__":
    e2e.main()
