"""Game starts, the options page and the ROM verification, seen from outside:
real clicks and keys on the installed-games list, commands posted to the main
window, and what the stand-in emulator logged about each start."""
import os
import re
import time
import unittest

import vintor_e2e as e2e

INSTALLED = 305
SAVE = 321
COMMAND_LINE = 322
FIRST_OPTION = 324
PLAY, VERIFY, EMULATOR_ALONE = 503, 522, 523
IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7
BST_CHECKED = 1
PROGRESS = "msctls_progress32"
STAND_IN = "Stand-in until this module is built."


language = e2e.language


def ini_value(text, key):
    m = re.search(r"^%s=(.*)$" % key, text, re.M)
    return m.group(1).strip() if m else None


def parameters_of(cmdline):
    """What follows the program and one blank."""
    end = cmdline.index('"', 1) + 1 if cmdline.startswith('"') else cmdline.find(" ")
    return cmdline[end + 1:] if 0 <= end < len(cmdline) else ""


def missing_pieces():
    """The launch needs the lists, the options page and the dispatch of other modules."""
    for name in ("shell/commands_win.cpp", "shell/notify_win.cpp", "shell/controls_win.cpp",
                 "catalogue/scan_win.cpp"):
        with open(os.path.join(e2e.SOURCE, name)) as f:
            if STAND_IN in f.read():
                return name
    return None


class LaunchFixture(unittest.TestCase):
    """A staged installation with vintor.exe running, and what the tests of
    game starts read and do there."""
    def setUp(self):
        missing = missing_pieces()
        if missing:
            self.skipTest("not built yet: " + missing)
        self.v = None

    def tearDown(self):
        if self.v:
            self.end_command_windows()
            self.close_dialogs()
            self.v.close()

    # ---- helpers ----
    def open(self, name, with_mame=True, games=None, installed=None, settings=None, after_stage=None):
        kw = {"with_mame": with_mame, "settings": settings}
        if games:
            kw["games"] = games
        if installed:
            kw["installed"] = installed
        self.folder = e2e.stage("launch_" + name, **kw)
        if after_stage:
            after_stage(self.folder)
        self.v = e2e.Vintor(self.folder)
        if not with_mame:
            self.close_dialogs()  # the advice dialog of the start-up
        self.settle()
        return self.v

    def settle(self):
        """Waits until the splash screen is gone (clicks would land on it) and the
        scan has filled the installed-games list and it stays put."""
        e2e.wait_for(lambda: not any(w["class"] == "SplashScreenClass" for w in self.v.d.call("top")), 30,
                     what="splash screen to close")
        last, since = None, time.time()
        end = time.time() + 30
        while time.time() < end:
            count = len(self.v.rows(INSTALLED))
            if count != last:
                last, since = count, time.time()
            elif count and time.time() - since > 1.0:
                time.sleep(2)  # the splash's X window may outlive it for a moment and catch clicks
                return
            time.sleep(0.1)
        self.fail("the installed-games list did not settle")

    def row_of(self, short):
        for i, row in enumerate(self.v.rows(INSTALLED)):
            if row[6] == short:
                return i
        self.fail("no row for " + short)

    def cell(self, short, column):
        return self.v.rows(INSTALLED)[self.row_of(short)][column]

    def click_row(self, short, double=False):
        r = self.v.d.call("lvrect", self.v.child(INSTALLED), self.row_of(short))
        e2e.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2, double=double)

    def starts(self, n, settle=0.8):
        """Waits for the n-th start, then long enough for a second one to show."""
        e2e.wait_for(lambda: len(e2e.read_log(self.folder)) >= n, 15, what="start %d" % n)
        time.sleep(settle)
        return e2e.read_log(self.folder)

    def assert_program_folder(self, cwd):
        long_cwd = self.v.d.call("longpath", cwd.encode("cp1252").hex())
        self.assertEqual(long_cwd.lower().rstrip("\\"), e2e.win_path(self.folder).lower())

    def counter(self, short):
        path = os.path.join(self.folder, "winis", short + ".ini")
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            return ini_value(f.read().decode("cp1252"), "Runs")

    def dialog(self, title=None, timeout=10):
        """A visible dialog of the program other than the main window."""
        pid = self.v.info()["pid"]

        def look():
            for w in self.v.d.call("top"):
                if w and w["pid"] == pid and w["class"] == "#32770" and (title is None or w["title"] == title):
                    return w
            return None
        return e2e.wait_for(look, timeout, what="dialog %r" % title)

    def box_text(self, box):
        return self.v.box_text(box)

    def answer(self, box, button):
        self.v.answer(box, button)

    def close_dialogs(self):
        for _ in range(5):
            try:
                box = self.dialog(timeout=1.5)
            except AssertionError:
                return
            for message, wp in ((e2e.WM_COMMAND, IDCANCEL), (e2e.WM_COMMAND, IDOK), (e2e.WM_CLOSE, 0)):
                self.v.post(box["hwnd"], message, wp, 0)
                time.sleep(0.3)
                if not self.v.d.call("info", box["hwnd"]):
                    break

    def command_windows(self):
        pid = self.v.info()["pid"]
        return [p["pid"] for p in self.v.d.call("procs") if p["parent"] == pid and p["exe"].lower() == "cmd.exe"]

    def end_command_windows(self):
        for pid in self.command_windows():
            self.v.d.call("terminate", pid)

    def ten_keys(self):
        text = self.v.settings()
        return [ini_value(text, "Option_%d" % n) for n in range(1, 10)] + [ini_value(text, "CommandLine")]


class LaunchTest(LaunchFixture):
    # ---- game starts ----
    def check_start(self, n, short, runs):
        log = self.starts(n)
        self.assertEqual(len(log), n, short)
        self.assertEqual(parameters_of(log[-1]["cmdline"]), short + " -window")
        self.assertIn("mame.exe", log[-1]["cmdline"].lower())
        self.assert_program_folder(log[-1]["cwd"])
        self.assertEqual(self.counter(short), runs)
        self.assertEqual(self.cell(short, 1), runs)

    def test_double_click_and_play_start_once_each_and_count(self):
        def counters(folder):
            with open(os.path.join(folder, "winis", "mspacman.ini"), "wb") as f:
                f.write(b"[OPTIONS]\r\nRuns=abc\r\n")
            os.remove(os.path.join(folder, "winis", "pacman.ini"))
        v = self.open("activate", after_stage=counters)
        self.click_row("dkong", double=True)
        self.check_start(1, "dkong", "42")
        self.click_row("mspacman", double=True)
        self.check_start(2, "mspacman", "1")
        self.click_row("pacman")
        time.sleep(0.5)
        v.command(PLAY)
        self.check_start(3, "pacman", "1")
        e2e.screenshot("launch_counted")

    def test_enter_on_a_row_starts_it_once(self):
        self.open("enter")
        self.click_row("galaga")
        time.sleep(0.5)
        e2e.key("Return")
        log = self.starts(1)
        # Wine's list view sends LVN_ITEMACTIVATE for Enter with a bare NMHDR:
        # an activation handler that reads iItem gets whatever lies beyond it.
        self.assertEqual(parameters_of(log[0]["cmdline"]), "galaga -window",
                         "Enter must start the focused row (LVN_ITEMACTIVATE from the keyboard carries no item)")
        self.assertEqual(self.counter("galaga"), "4")
        self.assertEqual(self.cell("galaga", 1), "4")

    def test_no_counter_folder_shows_what_is_stored(self):
        v = self.open("nowinis", after_stage=lambda f: e2e.make_demo.shutil.rmtree(os.path.join(f, "winis")))
        self.assertEqual(self.cell("galaga", 1), "0")
        for n in (1, 2):
            self.click_row("galaga")
            time.sleep(0.3)
            v.command(PLAY)
            self.starts(n)
            self.assertEqual(self.cell("galaga", 1), "0", "nothing could be stored, so nothing is shown as counted")
        self.assertFalse(os.path.exists(os.path.join(self.folder, "winis")))

    def hold(self, path):
        """Keeps a file open as another program might: readable, not writable."""
        handle = self.v.d.call("hold", e2e.win_path(path).encode("cp1252").hex())
        self.assertNotEqual(handle, 0, path)
        self.addCleanup(self.v.d.call, "release", handle)
        return handle

    def test_counter_file_that_cannot_be_written_keeps_its_count(self):
        v = self.open("heldcounter")
        self.hold(os.path.join(self.folder, "winis", "dkong.ini"))
        self.click_row("dkong", double=True)
        log = self.starts(1)
        self.assertEqual(parameters_of(log[0]["cmdline"]), "dkong -window")
        self.assertEqual(self.cell("dkong", 1), "41", "the list shows what the counter file holds")
        self.assertEqual(self.counter("dkong"), "41")
        self.assertEqual(v.rows(INSTALLED)[self.row_of("dkong")][6], "dkong")

    def test_start_the_shell_refuses_is_not_counted(self):
        def damage(folder):
            with open(os.path.join(folder, "mame.exe"), "wb") as f:
                f.write(b"not a program\r\n")
        self.open("damaged", after_stage=damage)
        self.click_row("dkong", double=True)
        time.sleep(3)
        self.close_dialogs()
        self.assertEqual(e2e.read_log(self.folder), [])
        self.assertEqual(self.counter("dkong"), "41")
        self.assertEqual(self.cell("dkong", 1), "41")

    def test_play_with_no_selection_starts_the_emulator_and_counts_nothing(self):
        v = self.open("noselection")
        before = v.rows(INSTALLED)
        # A click below the last row clears the selection.
        lst = v.child_info(INSTALLED)["rect"]
        last = v.d.call("lvrect", v.child(INSTALLED), len(before) - 1)
        y = last[3] + 20
        self.assertLess(y, lst[3] - 20, "the list needs room below its rows")
        e2e.click(lst[0] + 60, y)
        e2e.wait_for(lambda: v.d.call("send", v.child(INSTALLED), e2e.LVM_GETNEXTITEM, -1, 3) == -1, 5,
                     what="no selection")
        v.command(PLAY)
        log = self.starts(1)
        self.assertEqual(len(log), 1)
        self.assertEqual(parameters_of(log[0]["cmdline"]), " -window")
        self.assertFalse(os.path.exists(os.path.join(self.folder, "winis", ".ini")),
                         "a game without a name has no counter file")
        self.assertEqual(v.rows(INSTALLED), before)

    def test_missing_emulator_warns_then_advises_each_time(self):
        v = self.open("nomame", with_mame=False)
        self.click_row("dkong")
        for n in (1, 2):
            v.command(PLAY)
            box = self.dialog(language(98))
            self.assertEqual(self.box_text(box), language(97))
            e2e.screenshot("launch_missing_warning_%d" % n)
            self.answer(box, IDOK)
            advice = self.dialog()
            self.assertNotEqual(advice["title"], language(98))
            e2e.screenshot("launch_missing_advice_%d" % n)
            self.close_dialogs()
            # Nothing started, so nothing counts.
            self.assertEqual(self.counter("dkong"), "41")
            self.assertEqual(self.cell("dkong", 1), "41")
        # The emulator alone is asked for anyway and nothing is reported.
        v.command(EMULATOR_ALONE)
        with self.assertRaises(AssertionError):
            self.dialog(timeout=1.5)
        # The verification opens its command window regardless.
        v.command(VERIFY)
        e2e.wait_for(self.command_windows, 10, what="command window")

    def test_options_changed_but_not_saved_do_not_reach_a_launch(self):
        v = self.open("unsaved")
        v.send(v.child(FIRST_OPTION), e2e.BM_SETCHECK, BST_CHECKED, 0)
        v.d.call("settext", v.child(COMMAND_LINE), b"-unsaved".hex())
        self.click_row("pacman", double=True)
        log = self.starts(1)
        self.assertEqual(parameters_of(log[0]["cmdline"]), "pacman -window")

    # ---- the options page ----
    def test_page_shows_the_stored_options(self):
        v = self.open("load", settings="[OPTIONS]\r\nOption_3=2\r\nOption_9=1\r\nCommandLine=-free text\r\n")
        checks = [v.send(v.child(FIRST_OPTION + i), e2e.BM_GETCHECK) for i in range(9)]
        self.assertEqual(checks, [0, 0, 1, 0, 0, 0, 0, 0, 1])
        self.assertEqual(v.text(COMMAND_LINE), "-free text")

    def test_save_answered_no_writes_nothing_and_shows_no_bar(self):
        v = self.open("saveno")
        before = v.settings()
        v.send(v.child(FIRST_OPTION), e2e.BM_SETCHECK, BST_CHECKED, 0)
        v.command(SAVE)
        box = self.dialog(language(4))
        self.assertEqual(self.box_text(box), language(48))
        self.answer(box, IDNO)
        end = time.time() + 1.0
        while time.time() < end:
            self.assertEqual(v.d.call("findchild", v.hwnd, PROGRESS), 0)
        self.assertEqual(v.settings(), before)

    def test_save_answered_yes_writes_ten_keys_behind_the_bar(self):
        v = self.open("saveyes")
        self.assertEqual(self.ten_keys(), [None, "1"] + [None] * 8)
        for i, state in enumerate([1, 0, 0, 0, 1, 0, 0, 0, 1]):
            v.send(v.child(FIRST_OPTION + i), e2e.BM_SETCHECK, state, 0)
        v.d.call("settext", v.child(COMMAND_LINE), b"-rompath roms".hex())
        v.command(SAVE)
        box = self.dialog(language(4))
        v.post(box["hwnd"], e2e.WM_COMMAND, IDYES, 0)
        bar = e2e.wait_for(lambda: v.d.call("findchild", v.hwnd, PROGRESS), 10, interval=0.001, what="progress bar")
        info = v.d.call("info", bar)
        save_visible = v.child_info(SAVE)["style"] & e2e.WS_VISIBLE
        done = self.dialog(language(4))
        self.assertEqual(self.box_text(done), language(49))
        e2e.screenshot("launch_saved")
        self.answer(done, IDOK)
        self.assertIsNotNone(info, "the bar went before it could be read")
        ox, oy = v.client_origin()
        r = info["rect"]
        self.assertEqual((r[0] - ox, r[1] - oy, r[2] - r[0], r[3] - r[1]), (474, 468, 105, 28))
        self.assertEqual(info["id"], 0)
        self.assertFalse(save_visible)
        self.assertEqual(v.d.call("findchild", v.hwnd, PROGRESS), 0)
        self.assertEqual(self.ten_keys(), ["1", "0", "0", "0", "1", "0", "0", "0", "1", "-rompath roms"])
        # The saved options reach the next launch.
        self.click_row("pacman", double=True)
        log = self.starts(1)
        self.assertEqual(parameters_of(log[0]["cmdline"]),
                         "pacman -nosound -skip_gameinfo -triplebuffer -rompath roms")

    def test_save_that_cannot_write_says_so_and_keeps_the_page(self):
        v = self.open("saveheld")
        before = v.settings()
        v.send(v.child(FIRST_OPTION), e2e.BM_SETCHECK, BST_CHECKED, 0)
        v.d.call("settext", v.child(COMMAND_LINE), b"-rompath roms".hex())
        self.hold(os.path.join(self.folder, "vintor.ini"))
        v.command(SAVE)
        box = self.dialog(language(4))
        self.answer(box, IDYES)
        done = self.dialog(language(4))
        self.assertEqual(self.box_text(done), language(112))
        e2e.screenshot("launch_save_failed")
        self.answer(done, IDOK)
        self.assertEqual(v.settings(), before)
        checks = [v.send(v.child(FIRST_OPTION + i), e2e.BM_GETCHECK) for i in range(9)]
        self.assertEqual(checks, [1, 1, 0, 0, 0, 0, 0, 0, 0])
        self.assertEqual(v.text(COMMAND_LINE), "-rompath roms")
        self.assertTrue(v.child_info(SAVE)["style"] & e2e.WS_VISIBLE)

    # ---- verification ----
    def test_verify_runs_the_emulator_in_a_command_window(self):
        v = self.open("verify")
        self.click_row("sf2")
        time.sleep(0.3)
        v.command(VERIFY)
        log = self.starts(1)
        cmd = log[0]["cmdline"]
        self.assertTrue(cmd.startswith('"mame.exe" ') or cmd.startswith("mame.exe "), cmd)
        self.assertEqual(parameters_of(cmd), "-verifyroms sf2")
        self.assert_program_folder(log[0]["cwd"])
        self.assertEqual(len(self.command_windows()), 1)  # "/k": it stays open
        e2e.screenshot("launch_verify")
        self.end_command_windows()
        self.assertEqual(self.counter("sf2"), None)
        # With nothing selected the name is empty.
        lst = v.child_info(INSTALLED)["rect"]
        last = v.d.call("lvrect", v.child(INSTALLED), len(v.rows(INSTALLED)) - 1)
        e2e.click(lst[0] + 60, last[3] + 20)
        e2e.wait_for(lambda: v.d.call("send", v.child(INSTALLED), e2e.LVM_GETNEXTITEM, -1, 2) == -1, 5,
                     what="no selection")
        v.command(VERIFY)
        log = self.starts(2)
        self.assertEqual(parameters_of(log[1]["cmdline"]).rstrip(" "), "-verifyroms")

    def test_verify_starts_nothing_for_a_name_cmd_would_act_on(self):
        games = e2e.make_demo.DEMO_GAMES + [("Odd Name", "Yes", "Yes", "Yes", "Yes", "odd&calc")]
        v = self.open("verifyodd", games=games, installed=["pacman", "odd&calc"])
        self.click_row("odd&calc")
        time.sleep(0.3)
        v.command(VERIFY)
        time.sleep(2)
        self.assertEqual(self.command_windows(), [])
        self.assertEqual(e2e.read_log(self.folder), [])


if __name__ == "__main__":
    e2e.main()
