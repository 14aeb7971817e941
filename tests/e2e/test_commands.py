"""Every command of the main window reaching its effect, seen from outside.
Outside programs are stand-ins: copies of the stand-in emulator named
command.com and language.exe in the program folder and notepad.exe in the Wine
prefix's windows folders, where the shell finds Notepad first (each logs its
command line and folder to mame_log.txt next to itself), and a browser and
mailer that Wine's shell hands addresses to, which log them to web_log.txt. The game
information of clicks and keys on the lists is checked here too."""
import os
import shutil
import subprocess
import time
import unittest

import vintor_e2e as e2e

INSTALLED, SUPPORTED, OTHER, TABS, INFO, STATUS = 305, 302, 306, 301, 318, 3000
IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7
LVM_GETNEXTITEM = 0x100C
LVM_SETITEMSTATE = 0x102B
WM_NOTIFY = 0x004E
STAND_IN = "Stand-in until this module is built."
WEB_KEY = r"HKCU\Software\Wine\WineBrowser"
TRASH = os.path.join(e2e.BUILD, "e2e-trash")
PREFIX_WINDOWS = os.path.join(os.environ.get("WINEPREFIX", os.path.join(e2e.SOURCE, "build", "wineprefix")),
                              "drive_c", "windows")
NOTEPAD_FOLDERS = [PREFIX_WINDOWS, os.path.join(PREFIX_WINDOWS, "system32")]
BACKUP = ".vintor-test-backup"
# Wine prefers its own Notepad to a file in its system folders unless told otherwise;
# the setting reaches Vintor and, through it, the Notepad it starts.
os.environ["WINEDLLOVERRIDES"] = os.environ.get("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d") + \
    ";notepad.exe=n"
# The recycle bin of the programs started here: Wine keeps it in the desktop's trash
# folder, under a data folder that must exist.
os.environ["XDG_DATA_HOME"] = TRASH
os.makedirs(TRASH, exist_ok=True)
HOME_PAGE = "https://vintor.example.org/"
SUPPORT = "mailto:support@vintor.example.org"
SEARCH = "https://www.google.com/search?client=vintor&ie=UTF-8&q="


language = e2e.language


def stand_in(*names):
    """The first of the named sources that is still a stand-in, or None."""
    for name in names:
        with open(os.path.join(e2e.SOURCE, name)) as f:
            if STAND_IN in f.read():
                return name
    return None


def parameters_of(cmdline):
    end = cmdline.index('"', 1) + 1 if cmdline.startswith('"') else cmdline.find(" ")
    return cmdline[end + 1:].strip() if 0 <= end < len(cmdline) else ""


def program_of(cmdline):
    path = cmdline[1:cmdline.index('"', 1)] if cmdline.startswith('"') else cmdline.split(" ")[0]
    return path.replace("/", "\\").split("\\")[-1].lower()


def reg(*args):
    subprocess.run(["wine", "reg"] + list(args), env=e2e.wine_env(), stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False)


def type_text(text):
    e2e.xdotool("type", "--delay", 15, text)


class Program:
    """Shared set-up: the staged folder with the stand-ins and the running program."""

    def open(self, name, settings=None, **kw):
        self.folder = e2e.stage("commands_" + name, settings=settings, **kw)
        fake = os.path.join(e2e.BUILD, "tests", "doubles", "fakemame", "mame.exe")
        for program in ("command.com", "language.exe"):
            shutil.copyfile(fake, os.path.join(self.folder, program))
        self.v = e2e.Vintor(self.folder)
        return self.v

    def log(self):
        starts = e2e.read_log(self.folder)
        for folder in NOTEPAD_FOLDERS:
            starts += e2e.read_log(folder)
        return starts

    def wait_log(self, n, settle=0.5):
        e2e.wait_for(lambda: len(self.log()) >= n, 15, what="start %d" % n)
        time.sleep(settle)
        return self.log()

    def long(self, path):
        return self.v.d.call("longpath", path.encode("cp1252").hex()).lower().rstrip("\\")

    def dialogs(self):
        pid = self.v.info()["pid"]
        return [w for w in self.v.d.call("top") if w["pid"] == pid and w["class"] == "#32770"]

    def dialog(self, title=None, timeout=10):
        return self.v.find_dialog(title, timeout)

    def box_text(self, box):
        return self.v.box_text(box)

    def answer(self, box, button):
        self.v.answer(box, button)

    def close_dialogs(self):
        for box in self.dialogs():
            for message, wp in ((e2e.WM_COMMAND, IDCANCEL), (e2e.WM_COMMAND, IDNO), (e2e.WM_CLOSE, 0)):
                self.v.post(box["hwnd"], message, wp, 0)
                time.sleep(0.3)
                if not self.v.d.call("info", box["hwnd"]):
                    break


class CommandTest(unittest.TestCase, Program):
    @classmethod
    def setUpClass(cls):
        cls.web_log = os.path.join(e2e.BUILD, "e2e-stage", "web_log.txt")
        script = os.path.join(e2e.BUILD, "e2e-stage", "web_stand_in.sh")
        os.makedirs(os.path.dirname(script), exist_ok=True)
        with open(script, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % cls.web_log)
        os.chmod(script, 0o755)
        reg("add", WEB_KEY, "/v", "Browsers", "/t", "REG_SZ", "/d", script, "/f")
        reg("add", WEB_KEY, "/v", "Mailers", "/t", "REG_SZ", "/d", script, "/f")
        fake = os.path.join(e2e.BUILD, "tests", "doubles", "fakemame", "mame.exe")
        for folder in NOTEPAD_FOLDERS:
            notepad = os.path.join(folder, "notepad.exe")
            if os.path.exists(notepad) and not os.path.exists(notepad + BACKUP):
                os.rename(notepad, notepad + BACKUP)
            shutil.copyfile(fake, notepad)

    @classmethod
    def tearDownClass(cls):
        reg("delete", WEB_KEY, "/v", "Browsers", "/f")
        reg("delete", WEB_KEY, "/v", "Mailers", "/f")
        for folder in NOTEPAD_FOLDERS:
            notepad = os.path.join(folder, "notepad.exe")
            if os.path.exists(notepad + BACKUP):
                os.replace(notepad + BACKUP, notepad)

    def setUp(self):
        self.v = None
        for folder in NOTEPAD_FOLDERS:
            log = os.path.join(folder, "mame_log.txt")
            if os.path.exists(log):
                os.remove(log)

    def tearDown(self):
        if self.v:
            self.close_dialogs()
            self.v.close()

    def web(self, n):
        def read():
            if not os.path.exists(self.web_log):
                return []
            with open(self.web_log) as f:
                return f.read().splitlines()
        e2e.wait_for(lambda: len(read()) >= n, 20, what="address %d" % n)
        time.sleep(0.3)
        return read()

    def test_notepad_from_the_file_menu_with_real_keys(self):
        v = self.open("notepad")
        r = v.info()["rect"]
        e2e.click(r[0] + 300, r[1] + 8)
        time.sleep(0.3)
        e2e.key("F10", "Down", "Return")
        log = self.wait_log(1)
        self.assertEqual(len(log), 1)
        self.assertEqual(program_of(log[0]["cmdline"]), "notepad.exe")
        self.assertEqual(parameters_of(log[0]["cmdline"]), "")

    def test_documents_open_in_notepad(self):
        v = self.open("documents")
        folder = e2e.win_path(self.folder).lower()
        want = [(512, folder + "\\docs\\gamelist.txt"), (513, folder + "\\docs\\windows.txt"),
                (531, folder + "\\docs\\vintor-eng.txt")]
        for n, (command, path) in enumerate(want, 1):
            v.command(command)
            log = self.wait_log(n)
            self.assertEqual(len(log), n)
            self.assertEqual(program_of(log[-1]["cmdline"]), "notepad.exe")
            self.assertEqual(self.long(parameters_of(log[-1]["cmdline"])), path)

    def test_open_a_file_in_notepad_through_the_dialog(self):
        v = self.open("openfile")
        v.command(502)
        box = self.dialog(language(5))
        e2e.screenshot("commands_open_dialog")
        v.post(box["hwnd"], e2e.WM_COMMAND, IDCANCEL, 0)  # cancelled: nothing starts
        e2e.wait_for(lambda: not v.d.call("info", box["hwnd"]), 10, what="dialog to close")
        time.sleep(0.8)
        self.assertEqual(self.log(), [])
        v.command(502)
        box = self.dialog(language(5))
        time.sleep(0.5)
        chosen = e2e.win_path(os.path.join(self.folder, "docs", "mame.txt"))
        type_text(chosen)
        e2e.key("Return")
        log = self.wait_log(1)
        self.assertEqual(program_of(log[0]["cmdline"]), "notepad.exe")
        self.assertEqual(parameters_of(log[0]["cmdline"]).lower(), chosen.lower())

    def test_command_prompt_and_language_tool_start_in_the_program_folder(self):
        v = self.open("prompt")
        os.chdir("/")
        v.command(506)
        v.command(507)
        log = self.wait_log(2)
        self.assertEqual(sorted(program_of(s["cmdline"]) for s in log), ["command.com", "language.exe"])
        for start in log:
            self.assertEqual(self.long(start["cwd"]), e2e.win_path(self.folder).lower())

    def test_web_pages_and_mail(self):
        v = self.open("web")
        if os.path.exists(self.web_log):
            os.remove(self.web_log)
        commands = [(514, HOME_PAGE), (517, HOME_PAGE), (525, HOME_PAGE), (515, SUPPORT), (524, SUPPORT),
                    (519, SEARCH + "neogeo.zip+decocass.zip+mame+download&sa=Search")]
        for n, (command, address) in enumerate(commands, 1):
            v.command(command)
            got = self.web(n)
            self.assertEqual(len(got), n)
            self.assertIn(address, got[-1])
        # 518: the selected game of the supported-games list, or its first row.
        short = ""
        if v.child(SUPPORTED):
            rows = v.rows(SUPPORTED)
            if rows:
                item = v.send(v.child(SUPPORTED), LVM_GETNEXTITEM, -1, 3)
                field = rows[max(item, 0)][6]
                short = field[1:].split(" ")[0]
        v.command(518)
        got = self.web(len(commands) + 1)
        self.assertIn(SEARCH + short + ".zip+rom+mame+download&sa=Search", got[-1])

    def test_about_box(self):
        v = self.open("about")
        v.command(516)
        box = self.dialog("About Vintor 2009")
        self.assertIn("Vintor 2009", self.box_text(box) or "")
        icons = [c for c in v.d.call("children", box["hwnd"]) if c["class"] == "Static" and (c["style"] & 0x1F) == 3]
        self.assertEqual(len(icons), 1, "the program's icon")
        self.assertTrue(icons[0]["style"] & e2e.WS_VISIBLE)
        self.assertNotEqual(v.send(icons[0]["hwnd"], 0x0171, 0, 0), 0)  # STM_GETICON
        e2e.screenshot("commands_about")
        self.answer(box, IDOK)

    def test_toggles_write_18_and_0(self):
        v = self.open("toggles", settings="[OPTIONS]\r\nOntop=18\r\nMagnet=0\r\n")
        keys = {508: "Ontop", 509: "Magnet", 510: "Size", 511: "Position"}
        start = {"Ontop": "18", "Magnet": "0", "Size": None, "Position": None}
        for command, key in keys.items():
            first = "0" if start[key] == "18" else "18"
            for want in (first, "18" if first == "0" else "0"):
                v.command(command)
                e2e.wait_for(lambda: ini_value(v.settings(), key) == want, 5, what="%s=%s" % (key, want))
                if command == 508 and want == "0":
                    # Only the way down is checked: Wine does not raise a window that owns
                    # topmost tooltips back to topmost (the in-process test covers both ways).
                    e2e.wait_for(lambda: not v.info()["exstyle"] & 0x8, 5, what="always on top off")
        # Options popup with every mark moved: Ontop on, Magnet off again, Size and Position off.
        v.command(509)
        r = v.info()["rect"]
        e2e.click(r[0] + 300, r[1] + 8)
        time.sleep(0.3)
        e2e.key("F10", "Right", "Right", "Right", "Down")
        time.sleep(1.2)
        e2e.screenshot("commands_options_after_toggles")
        e2e.key("Escape", "Escape")

    def test_unserved_identifiers_do_nothing(self):
        v = self.open("nothing")
        before_ini, before_top = v.settings(), len(v.top_windows())
        for command in (527, 528, 529, 530, 532, 499, 320, 0):
            v.command(command)
        time.sleep(1.5)
        self.assertEqual(v.settings(), before_ini)
        self.assertEqual(self.log(), [])
        self.assertEqual(len(v.top_windows()), before_top)
        self.assertTrue(v.info()["visible"])

    def test_emulator_commands_and_save_options(self):
        v = self.open("emulator")
        v.command(523)
        log = self.wait_log(1)
        self.assertEqual(program_of(log[-1]["cmdline"]), "mame.exe")
        self.assertEqual(parameters_of(log[-1]["cmdline"]), "")
        v.command(503)
        log = self.wait_log(2)
        self.assertEqual(program_of(log[-1]["cmdline"]), "mame.exe")
        # 321 asks on the saver's own thread; No writes nothing.
        before = v.settings()
        v.command(321)
        box = self.dialog(language(4))
        self.answer(box, IDNO)
        time.sleep(0.5)
        self.assertEqual(v.settings(), before)
        # 522 opens a command window for the verification.
        pid = v.info()["pid"]
        v.command(522)
        shells = e2e.wait_for(lambda: [p for p in v.d.call("procs") if p["parent"] == pid and
                                       p["exe"].lower() in ("cmd.exe", "wineconsole.exe", "conhost.exe")], 15,
                              what="verification window")
        for p in shells:
            v.d.call("terminate", p["pid"])

    def test_dialog_commands(self):
        v = self.open("dialogs")
        for command, source in ((520, "decor/transparency_win.cpp"), (526, "catalogue/sort_win.cpp")):
            if stand_in(source):
                continue
            v.command(command)
            e2e.wait_for(self.dialogs, 10, what="dialog of %d" % command)
            self.close_dialogs()
            e2e.wait_for(lambda: not self.dialogs(), 10, what="dialog of %d closed" % command)

    def test_exit_closes_and_saves_the_placement(self):
        v = self.open("exit")
        v.command(500)
        self.assertEqual(v.proc.wait(20), 0)
        self.assertIsNotNone(ini_value(v.settings(), "ShowMaximized"))
        self.v = None


class ListTest(unittest.TestCase, Program):
    """Needs the real lists and tab control of the main window."""

    def setUp(self):
        missing = stand_in("shell/controls_win.cpp", "catalogue/scan_win.cpp", "shell/tabpages_win.cpp")
        if missing:
            self.skipTest("not built yet: " + missing)
        self.v = None

    def tearDown(self):
        if self.v:
            self.close_dialogs()
            self.v.close()

    def row_rect(self, control, item):
        return self.v.d.call("lvrect", self.v.child(control), item)

    def click_row(self, control, item):
        r = self.row_rect(control, item)
        e2e.click(r[0] + 40, (r[1] + r[3]) // 2)
        time.sleep(0.4)

    def click_below_rows(self, control):
        rows = self.v.rows(control)
        box = self.v.child_info(control)["rect"]
        y = (self.row_rect(control, len(rows) - 1)[3] + 15) if rows else box[1] + 40
        self.assertLess(y, box[3] - 10, "the list needs room below its rows")
        e2e.click(box[0] + 60, y)
        time.sleep(0.4)

    def click_tab(self, page):
        r = self.v.d.call("tcrect", self.v.child(TABS), page)
        e2e.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
        e2e.wait_for(lambda: self.v.send(self.v.child(TABS), e2e.TCM_GETCURSEL) == page, 5, what="page %d" % page)
        time.sleep(0.4)

    def info_for(self, name, short):
        return "\r\n" + name.rstrip(" ") + "\r\n\r\n" + language(6) + short

    def shown(self):
        return self.v.status(0), self.v.text(INFO)

    def test_clicks_keys_and_pages_show_game_information(self):
        v = self.open("gameinfo")
        rows = v.rows(INSTALLED)
        self.assertGreater(len(rows), 3)
        self.click_row(INSTALLED, 1)
        self.assertEqual(self.shown(), (" " + rows[1][0], self.info_for(rows[1][0], rows[1][6])))
        # The ends of the list: the prediction is clamped.
        last = len(rows) - 1
        self.click_row(INSTALLED, last)
        e2e.key("Down")
        time.sleep(0.3)
        self.assertEqual(v.status(0), " " + rows[last][0])
        self.click_row(INSTALLED, 0)
        e2e.key("Up")
        time.sleep(0.3)
        self.assertEqual(v.status(0), " " + rows[0][0])
        e2e.key("Down")
        e2e.wait_for(lambda: v.status(0) == " " + rows[1][0], 5, what="down shows the next row")
        # Below the last row: empty texts.
        self.click_below_rows(INSTALLED)
        self.assertEqual(self.shown(), (" ", "\r\n\r\n\r\n" + language(6)))
        self.click_row(INSTALLED, 2)
        # The supported-games list: padded name in the status, trimmed in the box, short name from the field.
        self.click_tab(1)
        supported = v.rows(SUPPORTED)
        self.click_row(SUPPORTED, 1)
        name, field = supported[1][0], supported[1][6]
        short = field[1:].split(" ")[0]
        self.assertEqual(self.shown(), (" " + name, self.info_for(name, short)))
        e2e.screenshot("commands_supported_clicked")
        # Page 2 shows the installed list's selection; the other-files list changes nothing.
        self.click_tab(2)
        expect = (" " + rows[2][0], self.info_for(rows[2][0], rows[2][6]))
        self.assertEqual(self.shown(), expect)
        if v.rows(OTHER):
            self.click_row(OTHER, 0)
            e2e.key("Down", "Up")
            time.sleep(0.3)
        self.assertEqual(self.shown(), expect)

    def test_delete_on_page_0_without_selection_asks_about_item_0(self):
        shutil.rmtree(os.path.join(TRASH, "Trash"), ignore_errors=True)
        v = self.open("delete")
        self.click_below_rows(INSTALLED)
        rows = v.rows(INSTALLED)
        first = rows[0][6]
        archive = os.path.join(self.folder, "roms", first + ".zip")
        self.assertTrue(os.path.exists(archive))
        v.command(505)
        box = self.dialog(language(10))
        self.assertIn(first + ".zip", self.box_text(box))
        e2e.screenshot("commands_delete_question")
        self.answer(box, IDYES)
        e2e.wait_for(lambda: not os.path.exists(archive), 10, what="archive moved")
        e2e.wait_for(lambda: len(v.rows(INSTALLED)) == len(rows) - 1, 5, what="row removed")
        self.assertNotIn(first, [r[6] for r in v.rows(INSTALLED)])
        trashed = os.listdir(os.path.join(TRASH, "Trash", "files"))
        self.assertEqual(trashed, [first + ".zip"], "in the recycle bin, not erased")
        # No keeps the file; pages 1, 3, 4 and 5 ask nothing.
        second = os.path.join(self.folder, "roms", v.rows(INSTALLED)[0][6] + ".zip")
        v.command(505)
        self.answer(self.dialog(language(10)), IDNO)
        self.assertTrue(os.path.exists(second))
        for page in (1, 3, 4, 5):
            v.send(v.child(TABS), e2e.TCM_SETCURSEL, page)
            v.command(505)
            time.sleep(1.0)
            self.assertEqual(self.dialogs(), [], "page %d" % page)
        self.assertEqual(len(v.rows(INSTALLED)), len(rows) - 1)

    def add_archive(self, path):
        """Add a ROM archive, with the file typed into the open-file dialog."""
        self.v.command(521)
        self.dialog(language(106))
        time.sleep(0.5)
        type_text(e2e.win_path(path))
        e2e.key("Return")

    def told(self):
        """The message box that Add shows (its caption is the file dialog's title), and its text."""
        def look():
            for w in self.dialogs():
                if w["title"] == language(106) and self.box_text(w) is not None:
                    return w
            return None
        box = e2e.wait_for(look, 10, what="the message of Add")
        return box, self.box_text(box)

    def test_add_an_archive_copies_new_names_only_tells_why_not_and_rescans(self):
        v = self.open("add")
        outside = os.path.join(e2e.STAGE_ROOT, "commands_add_outside")
        shutil.rmtree(outside, ignore_errors=True)
        os.makedirs(outside)
        with open(os.path.join(outside, "galaga.zip"), "wb") as f:
            f.write(b"PK\x05\x06" + bytes(18) + b"a different archive")
        with open(os.path.join(outside, "tempest.zip"), "wb") as f:
            f.write(b"PK\x05\x06" + bytes(18) + b"tempest")
        kept = os.path.join(self.folder, "roms", "galaga.zip")
        with open(kept, "rb") as f:
            original = f.read()
        # Dropped in behind the program's back: only a rescan can show it.
        with open(os.path.join(self.folder, "roms", "frogger.zip"), "wb") as f:
            f.write(b"PK\x05\x06" + bytes(18))
        # A name that roms\ holds: nothing is copied, and the user is told so and how to replace it.
        self.add_archive(os.path.join(outside, "galaga.zip"))
        box, text = self.told()
        self.assertEqual(text, language(140) + "\ngalaga.zip\n\n" + language(141))
        e2e.screenshot("commands_add_name_taken")
        self.answer(box, IDOK)
        e2e.wait_for(lambda: "frogger" in [r[6] for r in v.rows(INSTALLED)], 20, what="rescan after Add")
        with open(kept, "rb") as f:
            self.assertEqual(f.read(), original, "an existing archive stays untouched")
        # A new name is copied, listed, and nothing is said.
        self.add_archive(os.path.join(outside, "tempest.zip"))
        e2e.wait_for(lambda: "tempest" in [r[6] for r in v.rows(INSTALLED)], 20, what="new archive listed")
        self.assertTrue(os.path.exists(os.path.join(self.folder, "roms", "tempest.zip")))
        self.assertEqual([w for w in self.dialogs() if w["title"] == language(106)], [])
        # A copy that fails (here: no ROM folder at all) is told with the system's reason.
        shutil.rmtree(os.path.join(self.folder, "roms"))
        self.add_archive(os.path.join(outside, "tempest.zip"))
        box, text = self.told()
        first, chosen, blank, reason = (text.split("\n") + ["", "", "", ""])[:4]
        self.assertEqual((first, blank), (language(142), ""), text)
        self.assertTrue(chosen.lower().endswith("\\commands_add_outside\\tempest.zip"), text)
        self.assertTrue(reason, text)
        e2e.screenshot("commands_add_copy_failed")
        self.answer(box, IDOK)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "roms")))

    def test_rescan_command_refreshes_the_lists(self):
        v = self.open("rescan")
        os.remove(os.path.join(self.folder, "roms", "galaga.zip"))
        v.command(504)
        e2e.wait_for(lambda: "galaga" not in [r[6] for r in v.rows(INSTALLED)], 20, what="rescan")


def ini_value(text, key):
    import re
    m = re.search(r"^%s=(.*)$" % key, text, re.M)
    return m.group(1).strip() if m else None


if __name__ == "__main__":
    e2e.main()
