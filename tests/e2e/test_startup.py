"""Start-up and shutdown of vintor.exe seen from outside: the window, its
placement, and the settings file it leaves behind."""
import os
import re
import time
import unittest

import vintor_e2e as e2e


def ini_value(text, key):
    m = re.search(r"^%s=(.*)$" % key, text, re.M)
    return m.group(1).strip() if m else None


class StartupTest(unittest.TestCase):
    def test_bare_folder_opens_centred_at_default_size_and_saves_placement(self):
        folder = e2e.stage("bare", settings="")
        for sub in ("lang", "docs", "roms", "winis", "snap"):
            e2e.make_demo.shutil.rmtree(os.path.join(folder, sub), ignore_errors=True)
        os.remove(os.path.join(folder, "mame.exe"))
        v = e2e.Vintor(folder)
        try:
            info = v.info()
            self.assertEqual(info["title"], "Vintor 2009")
            self.assertEqual(info["class"], e2e.MAIN_CLASS)
            self.assertFalse(info["zoomed"])
            l, t, r, b = info["rect"]
            sw, sh = v.d.call("metric", 0), v.d.call("metric", 1)
            self.assertEqual(l, sw // 2 - (r - l) // 2)
            self.assertEqual(t, sh // 2 - (b - t) // 2)
            self.assertGreaterEqual(r - l, 936)
            e2e.screenshot("startup_bare")
        finally:
            # The advice dialog may be up (no mame.exe); close the main window regardless.
            self.assertEqual(v.close(), 0)
        text = v.settings()
        self.assertEqual(ini_value(text, "Left"), str(l))
        self.assertEqual(ini_value(text, "Top"), str(t))
        self.assertEqual(ini_value(text, "Right"), str(r - l))
        self.assertEqual(ini_value(text, "Bottom"), str(b - t))
        self.assertEqual(ini_value(text, "ShowMaximized"), "0")

    def test_round_trip_with_size_and_position(self):
        folder = e2e.stage("roundtrip", settings="[OPTIONS]\r\nSize=1\r\nPosition=18\r\n")
        v = e2e.Vintor(folder)
        first = v.info()["rect"]
        w, h = first[2] - first[0], first[3] - first[1]
        # Move and grow the window, close, and start again.
        subprocess_move(v, 40, 30, w + 100, h + 60)
        moved = v.info()["rect"]
        self.assertEqual(v.close(), 0)
        v2 = e2e.Vintor(folder)
        try:
            self.assertEqual(v2.info()["rect"], moved)
        finally:
            v2.close()

    def test_arguments_change_nothing(self):
        folder = e2e.stage("arguments", settings="")
        v = e2e.Vintor(folder, args=["-maximize", "/x", "pacman"])
        try:
            info = v.info()
            self.assertFalse(info["zoomed"])
            sw = v.d.call("metric", 0)
            self.assertEqual(info["rect"][0], sw // 2 - (info["rect"][2] - info["rect"][0]) // 2)
        finally:
            self.assertEqual(v.close(), 0)

    def test_maximised_close_writes_640_432(self):
        folder = e2e.stage("maximised", settings="[OPTIONS]\r\nShowMaximized=1\r\nSize=1\r\n")
        v = e2e.Vintor(folder)
        self.assertTrue(v.info()["zoomed"])
        self.assertEqual(v.close(), 0)
        text = v.settings()
        self.assertEqual(ini_value(text, "ShowMaximized"), "1")
        self.assertEqual(ini_value(text, "Right"), "640")
        self.assertEqual(ini_value(text, "Bottom"), "432")
        self.assertEqual(ini_value(text, "Left"), "")
        self.assertEqual(ini_value(text, "Top"), "")
        # Next start with Size on: 640 x 432 is below the minimum, so the default size wins.
        text = text.replace("ShowMaximized=1", "ShowMaximized=0")
        with open(os.path.join(folder, "vintor.ini"), "w", newline="") as f:
            f.write(text)
        v2 = e2e.Vintor(folder)
        try:
            r = v2.info()["rect"]
            self.assertGreater(r[2] - r[0], 640)
            self.assertGreater(r[3] - r[1], 432)
        finally:
            v2.close()



def subprocess_move(v, x, y, w, h):
    """Moves and sizes the main window's X window, as a window manager would."""
    import subprocess
    subprocess.run(["xdotool", "search", "--name", "Vintor 2009", "windowmove", str(x), str(y),
                    "windowsize", str(w), str(h)], check=False, env=e2e.wine_env())
    e2e.wait_for(lambda: v.info()["rect"][:2] == [x, y], 5, what="window moved")


if __name__ == "__main__":
    e2e.main()
