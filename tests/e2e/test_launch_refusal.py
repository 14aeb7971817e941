"""Game starts that the emulator refuses, seen from outside: the stand-in
emulator ends each game as mame_exit.txt tells it (the real emulator's codes,
a start that runs on), and the test reads the message, the counter file and
both lists; the options page with a switch record: disabled boxes and their
tooltip under a real mouse pointer."""
import os
import time

import vintor_e2e as e2e
from test_launch import INSTALLED, FIRST_OPTION, PLAY, EMULATOR_ALONE, IDOK, LaunchFixture, language

SUPPORTED = 302
TABS = 301
RESCAN = 504
WM_NULL = 0
WATCH = 15  # seconds a start is watched
RECORD = ("[SWITCHES]\r\nOption_1=-sound none\r\nOption_2=-window\r\nOption_3=-mouse\r\nOption_4=-joystick\r\n"
          "Option_5=-skip_gameinfo\r\nOption_6=unsupported\r\nOption_7=unsupported\r\nOption_8=unsupported\r\n"
          "Option_9=unsupported\r\n")


def refusal_text(name, short, reason, options=None):
    text = language(123) + "\n%s (%s)\n\n%s" % (name, short, reason)
    if options is not None:
        text += "\n" + options
    return text + "\n\n" + language(129)


class RefusalTest(LaunchFixture):
    def choose_ends(self, lines):
        with open(os.path.join(self.folder, "mame_exit.txt"), "w") as f:
            f.write("\n".join(lines) + "\n")

    def doc_cell(self, short, column):
        # A few hundred rows at a time: each cell read from outside costs about 0.2 ms.
        lst = self.v.child(SUPPORTED)
        count = self.v.send(lst, e2e.LVM_GETITEMCOUNT)
        for first in range(0, count, 200):
            for row in self.v.d.call("lvrows", lst, 0, 7, first, first + 199):
                if row[6].strip() == short:
                    return row[column]
        self.fail("no supported-games row for " + short)

    def counts(self, short):
        """The count in the counter file, the installed list and the supported list."""
        return self.counter(short), self.cell(short, 1), self.doc_cell(short, 1)

    def play(self, short):
        self.click_row(short)
        time.sleep(0.3)
        self.v.command(PLAY)

    def stand_ins(self):
        return [p["pid"] for p in self.v.d.call("procs") if p["exe"].lower() == "mame.exe"]

    def test_refused_starts_are_told_and_not_counted(self):
        self.open("refused", settings="[OPTIONS]\r\nOption_2=1\r\nCommandLine=-rompath roms\r\n")
        self.choose_ends(["dkong 2", "galaga 6"])
        cases = [
            ("dkong", "Donkey Kong", "41", refusal_text("Donkey Kong", "dkong", language(124))),
            ("galaga", "Galaga", "3", refusal_text("Galaga", "galaga", language(126), "-window -rompath roms")),
        ]
        for n, (short, name, runs, text) in enumerate(cases, 1):
            self.assertEqual(self.counts(short), (runs, runs, runs))
            started = time.time()
            self.play(short)
            box = self.dialog(language(122), timeout=WATCH + 5)
            told_after = time.time() - started
            self.assertEqual(self.box_text(box), text)
            # Taken back in the file and both lists before the user reads why.
            self.assertEqual(self.counts(short), (runs, runs, runs))
            e2e.screenshot("launch_refused_%s" % short)
            self.answer(box, IDOK)
            self.assertLess(told_after, 5, "a refusal is told at once, not when the watch ends")
            self.assertEqual(len(e2e.read_log(self.folder)), n)
        # A game that runs counts, in both lists.
        self.play("pacman")
        self.starts(3)
        self.assertEqual(self.counts("pacman"), ("13", "13", "13"))

    def test_a_start_that_runs_on_stays_counted_and_the_window_answers(self):
        self.open("runson")
        # Pac-Man runs past the watch and then ends with an error; Galaga starts meanwhile.
        self.choose_ends(["pacman 3 %d" % ((WATCH + 2) * 1000), "* 0"])
        self.play("pacman")
        self.starts(1)
        for _ in range(20):
            began = time.time()
            self.v.send(self.v.hwnd, WM_NULL)
            self.assertLess(time.time() - began, 0.5, "the window must answer while a start is watched")
            time.sleep(0.1)
        self.play("galaga")
        self.starts(2)
        self.assertEqual(self.counts("galaga"), ("4", "4", "4"))
        time.sleep(WATCH + 4)
        with self.assertRaises(AssertionError):
            self.dialog(timeout=1)
        self.assertEqual(self.counts("pacman"), ("13", "13", "13"))

    def test_closing_vintor_does_not_wait_for_a_watched_start(self):
        self.open("closing")
        self.choose_ends(["* 0 8000"])
        self.play("dkong")
        self.starts(1)
        running = self.stand_ins()
        self.assertEqual(len(running), 1)
        began = time.time()
        self.assertEqual(self.v.close(), 0)
        self.v = None
        self.assertLess(time.time() - began, 4, "closing waited for the emulator")
        self.assertEqual([p for p in self.stand_ins_anywhere() if p in running], running, "the emulator runs on")
        for pid in running:
            e2e.driver().call("terminate", pid)

    def stand_ins_anywhere(self):
        return [p["pid"] for p in e2e.driver().call("procs") if p["exe"].lower() == "mame.exe"]

    def test_a_refusal_during_a_rescan_leaves_the_count_as_it_was(self):
        # Enough games that the rescan is still filling the lists when the refusal comes.
        games = e2e.make_demo.DEMO_GAMES + [("Game %05d" % i, "Yes", "Yes", "Yes", "Yes", "g%05d" % i)
                                            for i in range(30000)]
        self.open("rescan", games=games)
        self.choose_ends(["dkong 2 800"])
        self.play("dkong")
        self.v.command(RESCAN)  # reads the counter files while the start is still counted
        box = self.dialog(language(122), timeout=WATCH + 5)
        self.answer(box, IDOK)
        time.sleep(0.5)
        e2e.wait_for(lambda: self.v.child_info(RESCAN)["enabled"], 30, what="the rescan to end")
        time.sleep(1)
        self.assertEqual(self.counts("dkong"), ("41", "41", "41"))

    def test_the_emulator_alone_is_not_watched(self):
        self.open("alone")
        self.choose_ends(["* 2"])
        self.v.command(EMULATOR_ALONE)
        self.starts(1)
        with self.assertRaises(AssertionError):
            self.dialog(timeout=3)

    def test_options_page_with_a_record(self):
        v = self.open("record", settings="[OPTIONS]\r\nOption_1=1\r\nOption_2=1\r\nOption_7=1\r\n" + RECORD)
        r = v.d.call("tcrect", v.child(TABS), 3)
        e2e.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
        e2e.wait_for(lambda: v.child_info(FIRST_OPTION)["visible"], 5, what="the options page")
        time.sleep(0.5)
        boxes = [v.child_info(FIRST_OPTION + i) for i in range(9)]
        self.assertEqual([b["enabled"] for b in boxes], [1, 1, 1, 1, 1, 0, 0, 0, 0])
        self.assertEqual([v.send(v.child(FIRST_OPTION + i), e2e.BM_GETCHECK) for i in range(9)],
                         [1, 1, 0, 0, 0, 0, 1, 0, 0])
        # A real pointer over the disabled box 7 shows why it is not used.
        box = boxes[6]["rect"]
        e2e.xdotool("mousemove", box[0] + 40, (box[1] + box[3]) // 2)
        time.sleep(0.3)
        e2e.xdotool("mousemove", box[0] + 44, (box[1] + box[3]) // 2)
        tip = e2e.wait_for(lambda: self.visible_tip(), 10, what="the tooltip of a disabled box")
        e2e.screenshot("options_disabled_box_tooltip")
        self.assertEqual(tip["title"], language(120))
        # Over box 1, which this emulator is given as "-sound none".
        box = boxes[0]["rect"]
        e2e.xdotool("mousemove", box[0] + 40, (box[1] + box[3]) // 2)
        time.sleep(0.3)
        e2e.xdotool("mousemove", box[0] + 44, (box[1] + box[3]) // 2)
        e2e.wait_for(lambda: (self.visible_tip() or {}).get("title") == language(121) + " -sound none", 10,
                     what="the tooltip of a replaced switch")
        e2e.screenshot("options_replaced_box_tooltip")
        # A start gives what the record says.
        self.click_tab_zero()
        self.play("pacman")
        log = self.starts(1)
        self.assertTrue(log[0]["cmdline"].endswith(" pacman -sound none -window"), log[0]["cmdline"])

    def click_tab_zero(self):
        r = self.v.d.call("tcrect", self.v.child(TABS), 0)
        e2e.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
        e2e.wait_for(lambda: self.v.child_info(INSTALLED)["visible"], 5, what="the installed games")
        time.sleep(0.5)

    def visible_tip(self):
        pid = self.v.info()["pid"]
        for w in self.v.d.call("top"):
            if w["pid"] == pid and w["class"].lower() == "tooltips_class32" and w["title"]:
                return w
        return None


if __name__ == "__main__":
    e2e.main()
