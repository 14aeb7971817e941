"""The offer to make docs\\gamelist.txt from inside Vintor, with the stand-in
emulator (it prints the excerpt of the real -listxml output beside it): the
question and its "No" remembered per emulator, the tool's progress, its failure
with its own reason, closing Vintor while it runs, and no question where the
tool or the emulator is missing or the document is current."""
import os
import time
import unittest

import vintor_e2e as e2e
from vintor_e2e import language

SUPPORTED, INSTALLED = 302, 305
IDOK, IDYES, IDNO = 1, 6, 7
EXCERPT = os.path.join(e2e.BUILD, "testdata", "listxml-excerpt.xml")
TOOL = os.path.join(e2e.BUILD, "companions", "mkgamelist", "mkgamelist.exe")
GAMES = ["pacman", "galaga", "dkong"]  # in the excerpt
QUIET = 3.0  # how long to watch for a question that must not come


def caption():
    return language(114)


def format_number(key, n):
    return language(key).replace("%d", str(n))


class GameListOfferTest(unittest.TestCase):
    def setUp(self):
        if not os.path.exists(EXCERPT):
            self.skipTest("no excerpt of the real -listxml output (../shared/data/listxml is absent)")
        self.v = None

    def tearDown(self):
        if self.v:
            self.v.kill()

    def stage(self, name, document=False, tool=True, listxml=True, **kw):
        folder = e2e.stage("offer_" + name, installed=GAMES, snapshots={}, counters={}, **kw)
        if tool:
            e2e.make_demo.copy_if(TOOL, os.path.join(folder, "mkgamelist.exe"))
        if listxml:
            e2e.make_demo.copy_if(EXCERPT, os.path.join(folder, "mame_listxml.xml"))
        doc = os.path.join(folder, "docs", "gamelist.txt")
        if not document:
            os.remove(doc)
        elif os.path.exists(os.path.join(folder, "mame.exe")):
            # A document made for an older emulator.
            older = os.path.getmtime(os.path.join(folder, "mame.exe")) - 3600
            os.utime(doc, (older, older))
        return folder

    def start(self, folder):
        self.v = e2e.Vintor(folder)
        return self.v

    def dialogs(self):
        pid = self.v.info()["pid"]
        return [w for w in self.v.d.call("top") if w["class"] == "#32770" and w["pid"] == pid]

    def question(self, timeout=10):
        box = self.v.find_dialog(caption(), timeout)
        self.assertEqual(box["owner"], self.v.hwnd)
        self.assertEqual(self.v.box_text(box), language(113))
        return box

    def assert_no_question(self):
        end = time.time() + QUIET
        while time.time() < end:
            self.assertEqual([w["title"] for w in self.dialogs() if w["title"] == caption()], [])
            time.sleep(0.1)

    def close(self):
        self.assertEqual(self.v.close(), 0)
        self.v = None

    def settings_value(self, key):
        for line in self.v.settings().splitlines():
            if line.startswith(key + "="):
                return line.split("=", 1)[1]
        return None

    def tool_processes(self):
        return [p for p in self.v.d.call("procs") if p["exe"].lower() in ("mkgamelist.exe", "mame.exe")]

    # A "No" is remembered for that emulator: no question until mame.exe changes.
    def test_no_is_remembered_until_the_emulator_changes(self):
        folder = self.stage("no")
        mame = os.path.join(folder, "mame.exe")
        self.start(folder)
        box = self.question()
        time.sleep(0.5)
        e2e.screenshot("offer_question")
        self.v.answer(box, IDNO)
        self.assertEqual(self.v.rows(SUPPORTED, 0, 1), [])  # no document: an empty list, as before
        st = os.stat(mame)
        filetime = st.st_mtime_ns // 100 + 116444736000000000  # 100 ns units since 1601
        self.assertEqual(self.settings_value("DeclinedEmulator"), "%d %d" % (st.st_size, filetime))
        self.close()

        self.start(folder)
        self.assert_no_question()
        self.close()
        self.assertFalse(os.path.exists(os.path.join(folder, "docs", "gamelist.txt")))

        with open(mame, "ab") as f:  # another emulator: another size and time
            f.write(b"\0" * 512)
        self.start(folder)
        self.v.answer(self.question(), IDNO)
        self.close()

    # The tool fails: its own line is shown, and the former document stays.
    def test_failure_shows_the_tools_reason_and_keeps_the_former_document(self):
        folder = self.stage("failure", document=True, listxml=False)
        doc = os.path.join(folder, "docs", "gamelist.txt")
        with open(doc, "rb") as f:
            before = f.read()
        self.start(folder)
        rows_before = self.v.rows(SUPPORTED, 0, 6)
        self.assertEqual(len(rows_before), len(e2e.make_demo.DEMO_GAMES))
        self.v.answer(self.question(), IDYES)
        box = e2e.wait_for(lambda: [w for w in self.dialogs() if w["title"] == caption()], 60,
                           what="the failure message")[0]
        time.sleep(0.5)
        e2e.screenshot("offer_failed")
        self.assertEqual(self.v.box_text(box), language(118) + "\n\n" +
                         "mkgamelist: mame.exe -listxml failed with exit code 1; nothing written.")
        self.v.answer(box, IDOK)
        self.assertEqual(self.v.status(0), "")  # the progress is gone
        with open(doc, "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertEqual(self.v.rows(SUPPORTED, 0, 6), rows_before)
        self.assertIsNone(self.settings_value("DeclinedEmulator"))  # a failure is no "No"
        self.close()

    # "Yes": the document is made, the lists are filled, and the counts are told.
    def test_yes_makes_the_document_then_tells_what_the_rescan_found(self):
        folder = self.stage("yes")
        self.start(folder)
        self.v.answer(self.question(), IDYES)
        box = e2e.wait_for(lambda: [w for w in self.dialogs() if w["title"] == caption()], 120,
                           what="the result message")[0]
        supported = len(self.v.rows(SUPPORTED, 6, 6))
        installed = self.v.rows(INSTALLED, 6, 6)
        self.assertGreater(supported, 300)
        self.assertEqual(sorted(r[0].strip() for r in installed), sorted(GAMES))
        self.assertEqual(self.v.box_text(box),
                         format_number(116, supported) + "\n" + format_number(117, len(GAMES)))
        time.sleep(0.5)
        e2e.screenshot("offer_result")
        self.v.answer(box, IDOK)
        self.assertEqual(self.v.status(0), "")
        self.assertTrue(os.path.exists(os.path.join(folder, "docs", "gamelist.txt")))
        self.assertEqual([s["cmdline"].split()[-1] for s in e2e.read_log(folder)][:1], ["-listxml"])
        self.close()
        # The document is now newer than the emulator: no more question.
        self.start(folder)
        self.assert_no_question()
        self.assertEqual(len(self.v.rows(SUPPORTED, 6, 6)), supported)
        self.close()

    # While the tool runs, the window answers and shows the progress; closing
    # Vintor then neither waits for the tool nor leaves it or its emulator running.
    def test_closing_while_the_tool_runs_ends_tool_and_emulator(self):
        folder = self.stage("closing")
        with open(os.path.join(folder, "mame_hang.txt"), "w") as f:
            f.write("print half, then hang\n")
        self.start(folder)
        self.v.answer(self.question(), IDYES)
        prefix = language(115).split("%d")[0]
        shown = e2e.wait_for(lambda: self.v.status(0) if self.v.status(0) != format_number(115, 0) and
                             self.v.status(0).startswith(prefix) else None, 60, what="progress in the status bar")
        self.assertEqual(shown, format_number(115, int(shown[len(prefix):].split()[0])))
        self.assertEqual(len(self.tool_processes()), 2)
        # The window is not frozen: it answers at once and switches pages.
        t0 = time.time()
        self.v.send(self.v.child(301), e2e.TCM_SETCURSEL, 1, 0)
        self.assertEqual(self.v.send(self.v.child(301), e2e.TCM_GETCURSEL), 1)
        self.assertLess(time.time() - t0, 2.0)
        self.v.send(self.v.child(301), e2e.TCM_SETCURSEL, 0, 0)
        time.sleep(0.5)
        e2e.screenshot("offer_progress")
        t0 = time.time()
        self.assertEqual(self.v.close(timeout=15), 0)
        self.assertLess(time.time() - t0, 10.0)
        e2e.wait_for(lambda: not self.tool_processes(), 10, what="the tool and its emulator to end")
        self.v = None
        self.assertFalse(os.path.exists(os.path.join(folder, "docs", "gamelist.txt")))

    # No tool, no emulator, or a current document: no question, as before.
    def test_no_question_without_tool_or_emulator_or_with_a_current_document(self):
        cases = [("no_tool", dict(tool=False)), ("no_emulator", dict(with_mame=False)),
                 ("current", dict(document=True))]
        for name, kw in cases:
            with self.subTest(name):
                folder = self.stage(name, **kw)
                if name == "current":
                    os.utime(os.path.join(folder, "docs", "gamelist.txt"))  # newer than mame.exe
                self.start(folder)
                if name == "no_emulator":
                    advice = self.v.find_dialog("Corvalis Information", 15)  # as before
                    self.v.answer(advice, IDOK)
                self.assert_no_question()
                expected = len(e2e.make_demo.DEMO_GAMES) if name == "current" else 0
                self.assertEqual(len(self.v.rows(SUPPORTED, 6, 6)), expected)
                self.assertIsNone(self.settings_value("DeclinedEmulator"))
                self.close()


if __name__ == "__main__":
    e2e.main()
