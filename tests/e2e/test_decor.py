"""The splash screen during start-up and the main window's transparency, seen
from outside the real vintor.exe."""
import os
import re
import shutil
import subprocess
import time
import unittest

import vintor_e2e as e2e

SPLASH_CLASS = "SplashScreenClass"
WS_POPUP, WS_DISABLED, WS_BORDER, WS_THICKFRAME = 0x80000000, 0x08000000, 0x00800000, 0x00040000
WS_EX_TOPMOST = 0x8
SM_CXSCREEN, SM_CYSCREEN, SM_CXFRAME, SM_CYFRAME = 0, 1, 32, 33
CMD_TRANSPARENCY = 520
SLIDER, GAUGE = 528, 527
TBM_GETPOS = 0x400
PBM_GETPOS = 0x408


def big_catalogue(name, count=40000):
    """An installation with a large made-up table and an archive for every game
    in it, so that start-up takes long enough to watch the splash."""
    games = [("Made-up Game %05d" % k, "Yes", "Yes", "Yes", "Yes", "mg%05d" % k) for k in range(count)]
    folder = e2e.stage(name, games=games, installed=[], snapshots={}, counters={})
    for _, _, _, _, _, short in games:
        with open(os.path.join(folder, "roms", short + ".zip"), "wb") as z:
            z.write(b"PK\x05\x06" + bytes(18))
    return folder, count


def renumber_bitmap(exe, old_id, new_id):
    """Changes the id of one bitmap resource inside a copy of the program, so
    that the program runs without that resource. The new id must keep the
    directory's ascending order."""
    import struct
    with open(exe, "rb") as f:
        data = bytearray(f.read())
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, opt_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    opt = pe + 24
    # The data directories follow a longer optional header in PE32+ (64-bit) files.
    directories = {0x10B: 96, 0x20B: 112}[struct.unpack_from("<H", data, opt)[0]]
    rsrc_rva = struct.unpack_from("<I", data, opt + directories + 8 * 2)[0]
    base = None
    for i in range(sections):
        sec = opt + opt_size + 40 * i
        vsize, va, raw_size, raw = struct.unpack_from("<IIII", data, sec + 8)
        if va <= rsrc_rva < va + max(vsize, raw_size):
            base = raw + (rsrc_rva - va)
    assert base is not None, "no resource section"

    def entries(offset):
        named, ids = struct.unpack_from("<HH", data, offset + 12)
        for k in range(named + ids):
            at = offset + 16 + 8 * k
            yield at, struct.unpack_from("<II", data, at)

    for at, (ident, target) in entries(base):
        if ident == 2 and target & 0x80000000:  # RT_BITMAP
            for at2, (ident2, _) in entries(base + (target & 0x7FFFFFFF)):
                if ident2 == old_id:
                    struct.pack_into("<I", data, at2, new_id)
                    with open(exe, "wb") as f:
                        f.write(data)
                    return
    raise AssertionError("bitmap %d not found" % old_id)


language_string = e2e.language
LWA_ALPHA = 2


class SplashTest(unittest.TestCase):
    def test_splash_stands_during_startup_and_goes_after_the_main_window_shows(self):
        folder, games = big_catalogue("splash")
        started = time.time()
        d = e2e.driver()
        v = e2e.Vintor(folder, wait_main=False)
        try:
            splash = d.call("waitfind", SPLASH_CLASS, 30000)
            self.assertIsNotNone(splash, "no splash window during start-up")
            h = splash["hwnd"]
            # Text, colour and transparency follow creation from the start-up thread.
            text = language_string(8)

            def decorated():
                i = d.call("info", h)
                self.assertIsNotNone(i, "splash closed before its text and transparency were set")
                if i["title"] != text or not i["exstyle"] & e2e.WS_EX_LAYERED:
                    return None
                # The layered style comes a moment before its alpha.
                return i if (d.call("layered", h) or {}).get("flags", 0) & LWA_ALPHA else None
            splash = e2e.wait_for(decorated, 10, 0.005, what="splash text and transparency")
            alpha = d.call("layered", h)["alpha"]
            # A picture of the splash while start-up still works: it counts if the splash
            # is still shown once the picture is taken (X lags behind the window state).
            e2e.screenshot("splash_startup")
            shot_taken = bool((d.call("info", h) or {}).get("visible"))
            l, t, r, b = splash["rect"]
            w, hgt = r - l, b - t
            self.assertEqual(w, 320 + d.call("metric", SM_CXFRAME))
            self.assertEqual(hgt, 240 + d.call("metric", SM_CYFRAME))
            self.assertEqual(l, (d.call("metric", SM_CXSCREEN) - w) // 2)
            self.assertEqual(t, (d.call("metric", SM_CYSCREEN) - hgt) // 2)
            style = splash["style"] & 0xFFFFFFFF
            for bit in (WS_POPUP, WS_DISABLED, WS_BORDER, WS_THICKFRAME):
                self.assertTrue(style & bit, hex(bit))
            self.assertTrue(splash["exstyle"] & WS_EX_TOPMOST)
            self.assertEqual(alpha, 242)
            # The main window comes up; the splash is gone shortly after.
            v.hwnd = e2e.wait_for(v._visible_main, 120, what="main window")
            main = v.info()
            self.assertEqual(main["pid"], splash["pid"])
            self.assertNotEqual(main["tid"], splash["tid"])
            e2e.wait_for(lambda: not d.call("find", SPLASH_CLASS), 5, what="splash to close")
            print("\nsplash seen with %d games, main window after %.1f s; screenshot during start-up: %s"
                  % (games, time.time() - started, shot_taken))
        finally:
            v.close()


    def test_without_the_picture_no_splash_and_no_message(self):
        folder = e2e.stage("splash_missing")
        renumber_bitmap(os.path.join(folder, "vintor.exe"), 333, 330)
        d = e2e.driver()
        v = e2e.Vintor(folder, wait_main=False)
        try:
            self.assertIsNone(d.call("waitfind", SPLASH_CLASS, 3000))
            v.hwnd = e2e.wait_for(v._visible_main, 30, what="main window")
            time.sleep(0.5)
            titles = [w["title"] for w in d.call("top") if w["pid"] == v.info()["pid"]]
            self.assertNotIn("SPLASHTEST", titles)
            self.assertEqual(titles, ["Vintor 2009"])
        finally:
            self.assertEqual(v.close(), 0)

    def test_splash_picture_and_text_line(self):
        """The real picture and text line, held up by the Win32 test program long
        enough for a screenshot (start-up itself may be too quick to catch)."""
        d = e2e.driver()
        env = e2e.wine_env()
        env["VINTOR_HOLD_SPLASH_MS"] = "2500"
        env["VINTOR_HOLD_SPLASH_TEXT"] = language_string(8)
        exe = os.path.join(e2e.BUILD, "decor_test.exe")
        proc = subprocess.Popen(["wine", exe, "hold_startup_splash"], cwd=e2e.BUILD, env=env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        try:
            splash = d.call("waitfind", SPLASH_CLASS, 20000)
            self.assertIsNotNone(splash)
            e2e.wait_for(lambda: d.call("info", splash["hwnd"])["title"] == language_string(8), 5)
            time.sleep(0.7)
            shot = e2e.screenshot("splash_held")
            self.assertTrue(d.call("info", splash["hwnd"]), "splash closed before the screenshot")
            out, _ = proc.communicate(timeout=30)
            self.assertIn(b"ok hold_startup_splash", out)
            print("\nscreenshot: " + shot)
        finally:
            if proc.poll() is None:
                proc.kill()


class TransparencyTest(unittest.TestCase):
    def start(self, name, stored):
        settings = "" if stored is None else "[OPTIONS]\r\nTransparent=%s\r\n" % stored
        return e2e.Vintor(e2e.stage(name, settings=settings))

    def test_stored_levels_at_startup(self):
        # (stored value, layered?, alpha); 356 counts by its low byte, 100.
        for stored, layered, alpha in ((None, True, 242), ("30", True, 76), ("100", False, None),
                                       ("356", False, None), ("0", False, None)):
            v = self.start("transparent_%s" % stored, stored)
            try:
                info = v.info()
                self.assertEqual(bool(info["exstyle"] & e2e.WS_EX_LAYERED), layered, stored)
                if layered:
                    self.assertEqual(v.d.call("layered", v.hwnd)["alpha"], alpha, stored)
            finally:
                self.assertEqual(v.close(), 0)

    def test_dialog_drags_live_then_cancel_restores_and_ok_stores(self):
        v = self.start("transparency_dialog", "80")
        d = v.d
        try:
            # The splash's window takes a moment to leave the screen under Wine.
            e2e.wait_for(lambda: not d.call("find", SPLASH_CLASS), 10, what="splash to close")
            time.sleep(0.5)
            v.command(CMD_TRANSPARENCY)
            dialog = v.find_dialog("Transparency: 80%")
            slider = d.call("child", dialog["hwnd"], SLIDER)
            gauge = d.call("child", dialog["hwnd"], GAUGE)
            self.assertEqual(v.send(slider, TBM_GETPOS), 80)
            self.assertEqual(v.send(gauge, PBM_GETPOS), 80)
            time.sleep(0.5)
            e2e.screenshot("transparency_dialog")

            # A real drag of the thumb to the left: the opacity follows while the button is down.
            l, t, r, b = d.call("tbthumb", slider)
            x, y = (l + r) // 2, (t + b) // 2
            e2e.xdotool("mousemove", x, y)
            e2e.xdotool("mousedown", 1)
            for step in range(1, 11):
                e2e.xdotool("mousemove", x - 12 * step, y)
                time.sleep(0.03)
            pos = e2e.wait_for(lambda: (lambda p: p if p < 80 else 0)(v.send(slider, TBM_GETPOS)), 5,
                               what="slider to move")
            # The drag's last moves may still be arriving: read the thumb and what follows it
            # until one reading agrees (or the time runs out and the last one is checked).
            def reading():
                p = v.send(slider, TBM_GETPOS)
                return (p, d.call("layered", v.hwnd)["alpha"], d.call("info", dialog["hwnd"])["title"],
                        v.send(gauge, PBM_GETPOS))

            def consistent(r):
                return r[1] == r[0] * 255 // 100 and r[2] == "Transparency: %d%%" % r[0] and r[3] == r[0]
            settled = time.time() + 5
            now = reading()
            while not consistent(now) and time.time() < settled:
                time.sleep(0.2)
                now = reading()
            pos, alpha, title, gauge_pos = now
            e2e.screenshot("transparency_dialog_dragged")
            e2e.xdotool("mouseup", 1)
            self.assertLess(pos, 80)
            self.assertEqual(alpha, pos * 255 // 100)
            self.assertEqual(title, "Transparency: %d%%" % pos)
            self.assertEqual(gauge_pos, pos)

            # Escape is Cancel: the stored level comes back, nothing is written.
            e2e.key("Escape")
            e2e.wait_for(lambda: not d.call("info", dialog["hwnd"]), 5, what="dialog to close")
            self.assertEqual(d.call("layered", v.hwnd)["alpha"], 204)
            self.assertIn("Transparent=80", v.settings())

            # Again, with the keyboard this time, and OK.
            v.command(CMD_TRANSPARENCY)
            dialog = v.find_dialog("Transparency: 80%")
            slider = d.call("child", dialog["hwnd"], SLIDER)
            l, t, r, b = d.call("tbthumb", slider)
            e2e.click((l + r) // 2, (t + b) // 2)
            e2e.key("Left", "Left", "Left")
            e2e.wait_for(lambda: d.call("info", dialog["hwnd"])["title"] == "Transparency: 77%", 5,
                         what="title after the keys")
            self.assertEqual(d.call("layered", v.hwnd)["alpha"], 77 * 255 // 100)
            ok = d.call("child", dialog["hwnd"], 1)
            ol, ot, orr, ob = d.call("info", ok)["rect"]
            e2e.click((ol + orr) // 2, (ot + ob) // 2)
            e2e.wait_for(lambda: not d.call("info", dialog["hwnd"]), 5, what="dialog to close")
            self.assertIn("Transparent=77", v.settings())
            self.assertEqual(d.call("layered", v.hwnd)["alpha"], 196)
        finally:
            self.assertEqual(v.close(), 0)


if __name__ == "__main__":
    e2e.main()
