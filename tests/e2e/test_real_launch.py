"""Game starts on the real emulator (Debian's MAME 0.251 behind the tests'
relaying mame.exe): mkgamelist.exe makes the document and records the switches
the emulator accepts; Pong, a machine without ROM files, then starts from
Vintor with every box ticked and saved, and Donkey Kong with an empty archive
is refused, told and not counted."""
import os
import re
import subprocess
import time

import real_emulator
import vintor_e2e as e2e
from test_launch import INSTALLED, FIRST_OPTION, COMMAND_LINE, SAVE, PLAY, IDOK, IDYES, LaunchFixture, language
from test_launch_refusal import SUPPORTED, TABS, WATCH, refusal_text

FREE_TEXT = "-video none -seconds_to_run 2"
# What 0.251 for Linux accepts: no -priority and no -triplebuffer (Windows
# builds only), no -sl and no -matchrefresh (no build).
RECORD = ["-sound none", "-window", "-mouse", "-joystick", "-skip_gameinfo"] + ["unsupported"] * 4


def relay_log(folder):
    """Each start of the relay: its parameters and, once it has ended, its exit code."""
    path = os.path.join(folder, "mame_log.txt")
    if not os.path.exists(path):
        return []
    starts = []
    with open(path, "rb") as f:
        for line in f.read().decode("utf-8", "replace").splitlines():
            if line.startswith("cmdline: "):
                starts.append({"cmdline": line[9:], "exit": None})
            elif line.startswith("exit: ") and starts:
                # Starts may overlap; an end belongs to the oldest start without one.
                for s in starts:
                    if s["exit"] is None:
                        s["exit"] = int(line[6:])
                        break
    return starts


class RealLaunchTest(LaunchFixture):
    def setUp(self):
        why = real_emulator.skip_reason()
        if why:
            self.skipTest(why)
        super().setUp()

    def tearDown(self):
        super().tearDown()
        real_emulator.end_emulators(self.folder)

    def make_document(self):
        """The document of Pong and Donkey Kong from the real -listxml, and the
        switch record, both by mkgamelist.exe as a user runs it."""
        xml = subprocess.run([real_emulator.REAL_MAME, "-listxml", "pong", "dkong"], capture_output=True,
                             timeout=120, check=True).stdout
        with open(os.path.join(self.folder, "machines.xml"), "wb") as f:
            f.write(xml)
        run = subprocess.run(["wine", os.path.join(self.folder, "mkgamelist.exe"), "machines.xml"], cwd=self.folder,
                             env=e2e.wine_env(), capture_output=True, timeout=300)
        out = run.stdout.decode("cp1252", "replace")
        self.assertEqual(run.returncode, 0, out + run.stderr.decode("cp1252", "replace"))
        out = out.replace("\r\n" + " " * 16, " ")  # a labelled line wraps under its label
        self.assertIn("Options:        recorded in vintor.ini for Vintor's Options page: this mame.exe takes -window, "
                      "-mouse, -joystick, -skip_gameinfo as they are, -nosound as -sound none; it does not accept "
                      "-high_priority, -sl, -matchrefresh, -triplebuffer (Vintor leaves those boxes out).", out)
        with open(os.path.join(self.folder, "vintor.ini"), "rb") as f:
            text = f.read().decode("cp1252")
        record = re.search(r"\[SWITCHES\]\r?\n((?:Option_\d=.*\r?\n)+)", text).group(1).splitlines()
        self.assertEqual(record, ["Option_%d=%s" % (n + 1, v) for n, v in enumerate(RECORD)])
        os.remove(os.path.join(self.folder, "mame_log.txt"))  # the relay's record of -showusage

    def open_page(self, page):
        r = self.v.d.call("tcrect", self.v.child(TABS), page)
        e2e.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
        e2e.wait_for(lambda: self.v.send(self.v.child(TABS), e2e.TCM_GETCURSEL) == page, 5, what="page %d" % page)
        time.sleep(0.5)

    def tick_and_save(self):
        """Ticks every box that can be ticked with real clicks, writes the free
        text and saves; boxes 6 to 9 were ticked before the record disabled them."""
        v = self.v
        self.open_page(3)
        for i in range(9):
            info = v.child_info(FIRST_OPTION + i)
            if info["enabled"] and not v.send(info["hwnd"], e2e.BM_GETCHECK):
                r = info["rect"]
                e2e.click(r[0] + 8, (r[1] + r[3]) // 2)
        e2e.wait_for(lambda: all(v.send(v.child(FIRST_OPTION + i), e2e.BM_GETCHECK) for i in range(9)), 5,
                     what="every box ticked")
        v.d.call("settext", v.child(COMMAND_LINE), FREE_TEXT.encode("cp1252").hex())
        e2e.screenshot("real_options_every_box_ticked")
        v.command(SAVE)
        self.answer(self.dialog(language(4)), IDYES)
        self.answer(self.dialog(language(4)), IDOK)
        self.assertEqual(self.ten_keys(), ["1"] * 9 + [FREE_TEXT])
        self.open_page(0)

    def counts(self, short):
        doc = [r for r in self.v.rows(SUPPORTED) if r[6].strip() == short]
        return self.counter(short), self.cell(short, 1), doc[0][1] if doc else None

    def play(self, short):
        self.click_row(short)
        time.sleep(0.3)
        self.v.command(PLAY)
        return time.time()

    def test_pong_starts_with_every_box_ticked_and_dkong_is_refused(self):
        self.folder = real_emulator.stage("real_launch", settings="[OPTIONS]\r\n" + "".join(
            "Option_%d=1\r\n" % n for n in range(6, 10)))
        for short in ("pong", "dkong"):
            real_emulator.empty_archive(self.folder, short)
        self.make_document()
        self.v = e2e.Vintor(self.folder)
        self.settle()
        self.tick_and_save()

        # Pong: the emulator accepts the start, runs two emulated seconds and ends with 0.
        started = self.play("pong")
        log = e2e.wait_for(lambda: [s for s in relay_log(self.folder) if s["exit"] is not None], 60,
                           what="Pong to end")
        ran = time.time() - started
        self.assertEqual(len(log), 1)
        self.assertTrue(log[0]["cmdline"].endswith(
            " pong -sound none -window -mouse -joystick -skip_gameinfo " + FREE_TEXT), log[0]["cmdline"])
        self.assertEqual(log[0]["exit"], 0)
        time.sleep(max(0, WATCH + 1 - (time.time() - started)))
        with self.assertRaises(AssertionError):
            self.dialog(timeout=1)
        self.assertEqual(self.counts("pong"), ("1", "1", "1"))
        print("Pong through the relay: ended %.1f s after Play" % ran)

        # Donkey Kong: its archive holds no ROM files, the emulator says 2.
        name = self.cell("dkong", 0).rstrip()
        started = self.play("dkong")
        box = self.dialog(language(122), timeout=WATCH + 10)
        told = time.time() - started
        self.assertEqual(self.box_text(box), refusal_text(name, "dkong", language(124)))
        self.assertEqual(self.counts("dkong"), ("0", "0", "0"))
        e2e.screenshot("real_dkong_refused")
        self.answer(box, IDOK)
        self.assertEqual([s["exit"] for s in relay_log(self.folder)], [0, 2])
        print("Donkey Kong through the relay: refusal told %.1f s after Play" % told)


if __name__ == "__main__":
    e2e.main()
