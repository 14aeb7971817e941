"""The main window of the real program: every control at its place at the
default size and after resizes, the status bar parts, the minimum size, the
Magnet rule, the six tab pages worked by real clicks, the document pages and
the advice dialog with its link button."""
import os
import subprocess
import time
import unittest

import vintor_e2e as e2e

PAGE_CONTROLS = [305, 302, 306, 308, 319, 321, 322] + list(range(324, 333)) + \
                [307, 309, 310, 503, 504, 505, 518, 521, 519, 531, 524, 525]
SHOWN = [
    {305, 503, 504, 505},
    {302, 518, 521, 504},
    {306, 504, 519, 505},
    {308, 319, 321, 322, 531, 524, 525} | set(range(324, 333)),
    {307, 531, 524, 525},
    {309, 310, 531, 524, 525},
]
SEARCH, PLAY, DELETE = 526, 503, 505
RELEASE_PAGE = "https://www.mamedev.org/release.html"


def expected_layout(w, h, default_w, default_h):
    """Client rectangles (x, y, width, height) by the resize formulas."""
    dw, dh = w - default_w + 160, h - default_h + 94
    hx, hy = int(dw / 2), int(dh / 2)
    q, t = int(hx / 2), int(hx / 3)
    rects = {
        337: (10, 10, hx + 533, 60), 335: (350, 11, hx + 25, 58), 336: (hx + 372, 11, 170, 58),
        311: (hx + 567, 32, hx + 203, dh + 212), 318: (hx + 567, dh + 260, hx + 203, 76),
        303: (hx + 554, 10, hx + 228, dh + 432), 319: (38, 123, hx + 473, dh + 290),
        322: (52, 150, hx + 444, 22), 309: (25, 115, hx + 500, hy + 150),
        310: (25, hy + 276, hx + 500, hy + 150), 321: (hx + 426 - t, dh + 374, t + 73, 28),
        301: (10, 81, hx + 533, dh + 362), 526: (hx + 567, dh + 394, q + 97, 35),
    }
    for i in (308, 302, 305, 306, 307):
        rects[i] = (25, 115, hx + 500, dh + 311)
    for i in (503, 519, 518, 525):
        rects[i] = (hx + 567, dh + 350, q + 97, 35)
    for i in (504, 524):
        rects[i] = (hx + q + 674, dh + 350, q + 96, 35)
    for i in (505, 521, 531):
        rects[i] = (hx + q + 674, dh + 394, q + 96, 35)
    return rects


def status_parts(w):
    return [int((w - 1000) / 4) + 240, int((w - 1000) / 3) + 480, int((w - 1000) / 2) + 720, w - 40]


class MainWindowTest(unittest.TestCase):
    def open(self, name, **kw):
        self.folder = e2e.stage("mainwindow_" + name, **kw)
        return self.start()

    def start(self):
        self.v = e2e.Vintor(self.folder)
        self.addCleanup(self.v.close)
        return self.v

    def size(self):
        l, t, r, b = self.v.info()["rect"]
        return r - l, b - t

    def resize(self, w, h, at=None):
        l, t = at or self.v.info()["rect"][:2]
        self.v.d.call("setpos", self.v.hwnd, l, t, w, h)
        e2e.wait_for(lambda: self.size() == (w, h), 5, what="window at %dx%d" % (w, h))
        time.sleep(0.3)

    def visible(self, control_id):
        info = self.v.child_info(control_id)
        return bool(info and info["visible"])

    def enabled(self, control_id):
        info = self.v.child_info(control_id)
        return bool(info and info["enabled"])

    def click_tab(self, page):
        r = self.v.d.call("tcrect", self.v.child(301), page)
        e2e.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)

    def shown(self):
        return {i for i in PAGE_CONTROLS if self.visible(i)}

    # ---- layout ----
    def test_layout_follows_every_size(self):
        # No pictures: a picture set on the preview makes the static control take the picture's size.
        self.folder = e2e.stage("mainwindow_layout", snapshots={})
        os.remove(os.path.join(self.folder, "snap", "defgame.bmp"))
        v = self.start()
        default_w, default_h = v.d.call("minmax", v.hwnd)
        self.assertEqual(self.size(), (default_w, default_h))
        examples = {301: (10, 81, 613, 456), 311: (647, 32, 283, 306), 503: (647, 444, 137, 35)}
        for control_id, rect in examples.items():
            self.assertEqual(v.client_rect_of(control_id), rect, control_id)
        for w, h in ((default_w, default_h), (default_w + 1, default_h), (default_w + 201, default_h + 137),
                     (default_w + 57, default_h + 3)):
            if (w, h) != self.size():
                self.resize(w, h)
            want = expected_layout(w, h, default_w, default_h)
            for control_id, rect in want.items():
                self.assertEqual(v.client_rect_of(control_id), rect, "%d at %dx%d" % (control_id, w, h))
            # Left where they were created.
            self.assertEqual(v.client_rect_of(334), (11, 11, 347, 58))
            self.assertEqual(v.client_rect_of(332), (56, 377, 350, 22))
            bar = v.child_info(3000)
            self.assertEqual(v.d.call("sbparts", bar["hwnd"]), status_parts(bar["client"][0]))
            self.assertEqual(bar["rect"][3] - v.client_origin()[1], v.info()["client"][1])
            if w == default_w + 1:
                self.assertEqual(want, expected_layout(default_w, default_h, default_w, default_h))
        # Smaller than the default size is refused.
        self.resize(default_w + 10, default_h + 10)
        l, t = v.info()["rect"][:2]
        v.d.call("setpos", v.hwnd, l, t, 500, 300)
        time.sleep(0.5)
        self.assertEqual(self.size(), (default_w, default_h))

    # ---- Magnet ----
    def moving(self, l, t, r, b):
        answer = self.v.d.call("moving", self.v.hwnd, l, t, r, b)
        self.assertEqual(answer["result"], 1)
        return answer["rect"]

    def test_magnet_snaps_while_moving_toward_an_edge_and_only_when_on(self):
        v = self.open("magnet", settings="[OPTIONS]\r\nMagnet=18\r\n")
        wl, wt, wr, wb = v.d.call("workarea")
        cases = [
            ("top 30 -> 15 snaps to 0", (100, 30, 600, 430), (100, 15, 600, 415), [100, 0, 600, 400]),
            ("top 0 -> 5 stays", (100, 0, 600, 400), (100, 5, 600, 405), [100, 5, 600, 405]),
            ("left 30 -> 10 snaps to 0", (30, 100, 530, 500), (10, 100, 510, 500), [0, 100, 500, 500]),
            ("bottom down snaps to the work area", (100, wb - 430, 600, wb - 30), (100, wb - 410, 600, wb - 10),
             [100, wb - 400, 600, wb]),
            ("right moving right snaps to the work area", (wr - 560, 100, wr - 60, 500),
             (wr - 510, 100, wr - 10, 500), [wr - 500, 100, wr, 500]),
        ]
        for what, before, dragged, want in cases:
            self.moving(*before)
            self.assertEqual(self.moving(*dragged), want, what)
        with open(os.path.join(self.folder, "vintor.ini"), "w", newline="") as f:
            f.write("[OPTIONS]\r\nMagnet=0\r\n")
        self.moving(100, 30, 600, 430)
        self.assertEqual(self.moving(100, 15, 600, 415), [100, 15, 600, 415])

    # ---- pages ----
    def check_pages(self, label):
        for page in list(range(6)) + [0]:
            self.click_tab(page)
            e2e.wait_for(lambda: self.shown() == SHOWN[page], 5, what="page %d shown" % page)
            self.assertEqual(self.v.send(self.v.child(301), e2e.TCM_GETCURSEL), page)
            self.assertTrue(self.visible(SEARCH))
            self.assertEqual(self.enabled(SEARCH), page <= 2, page)
            for control_id in (301, 311, 318, 303):
                self.assertTrue(self.visible(control_id))
            time.sleep(0.6)
            e2e.screenshot("mainwindow_%s_page%d" % (label, page))

    def test_six_pages_by_real_clicks_at_two_sizes(self):
        v = self.open("pages")
        if not v.child(305) or not v.child(PLAY):
            self.skipTest("the game lists or the buttons are not built yet")
        default_w, default_h = self.size()
        self.check_pages("default")
        self.resize(default_w + 240, default_h + 160, at=(10, 10))  # all of it on the screen
        self.check_pages("larger")
        # The document pages fill the grown window.
        want = expected_layout(default_w + 240, default_h + 160, default_w, default_h)
        for control_id in (307, 309, 310, 305, 319):
            self.assertEqual(v.client_rect_of(control_id), want[control_id])

    def test_empty_lists_leave_play_and_delete_disabled(self):
        v = self.open("empty", installed=[], extra_roms=False)
        if not v.child(305) or not v.child(PLAY):
            self.skipTest("the game lists or the buttons are not built yet")
        self.assertEqual(v.send(v.child(305), e2e.LVM_GETITEMCOUNT), 0)
        self.assertEqual(v.send(v.child(306), e2e.LVM_GETITEMCOUNT), 0)
        self.assertFalse(self.enabled(PLAY))
        self.assertFalse(self.enabled(DELETE))
        for page in (2, 0):
            self.click_tab(page)
            e2e.wait_for(lambda: self.shown() == SHOWN[page], 5, what="page %d" % page)
            self.assertTrue(self.visible(DELETE))
            self.assertFalse(self.enabled(DELETE))
        self.assertTrue(self.visible(PLAY))
        self.assertFalse(self.enabled(PLAY))
        e2e.screenshot("mainwindow_empty_lists")

    # ---- documents ----
    def test_document_pages(self):
        def docs(folder):
            d = os.path.join(folder, "docs")
            with open(os.path.join(d, "mame.txt"), "wb") as f:
                f.write(b"first\nsecond\nthird\n")  # bare LF: every character stays
            with open(os.path.join(d, "vintor-eng.txt"), "wb") as f:
                f.write(b"")
            os.remove(os.path.join(d, "windows.txt"))
        self.folder = e2e.stage("mainwindow_docs")
        docs(self.folder)
        v = self.start()
        self.assertEqual(v.text(310), "first\r\nsecond\r\nthird\r\n")
        self.assertEqual(v.text(309), "")
        self.assertEqual(v.text(307), "")
        v.close()
        # The demo's CR LF notes, whole.
        with open(os.path.join(self.folder, "docs", "windows.txt"), "wb") as f:
            f.write(b"Notes for Windows\r\n\r\nline three\r\n")
        v = self.start()
        self.assertEqual(v.text(307), "Notes for Windows\r\n\r\nline three\r\n")

    # ---- advice dialog ----
    def register_browser(self):
        """A stand-in browser for https in the test prefix: it logs each start next to itself."""
        key = r"HKCR\https\shell\open\command"
        old = subprocess.run(["wine", "reg", "query", key, "/ve"], capture_output=True, text=True,
                             env=e2e.wine_env()).stdout
        previous = None
        for line in old.splitlines():
            if "REG_SZ" in line:
                previous = line.split("REG_SZ", 1)[1].strip()
        browser_dir = os.path.join(self.folder, "browser")
        os.makedirs(browser_dir, exist_ok=True)
        e2e.make_demo.shutil.copyfile(os.path.join(e2e.BUILD, "tests", "doubles", "fakemame", "mame.exe"),
                                      os.path.join(browser_dir, "browser.exe"))
        command = '"%s" "%%1"' % e2e.win_path(os.path.join(browser_dir, "browser.exe"))
        subprocess.run(["wine", "reg", "add", key, "/ve", "/d", command, "/f"], capture_output=True,
                       env=e2e.wine_env(), check=True)
        if previous is not None:
            self.addCleanup(subprocess.run, ["wine", "reg", "add", key, "/ve", "/d", previous, "/f"],
                            capture_output=True, env=e2e.wine_env())
        return browser_dir

    def test_advice_dialog_follows_the_main_window_and_opens_the_release_page_each_time(self):
        self.folder = e2e.stage("mainwindow_advice", with_mame=False)
        browser = self.register_browser()
        v = self.start()
        dialog = v.find_dialog("Corvalis Information", timeout=15)
        self.assertTrue(v.info()["visible"])  # the main window came first
        self.assertEqual(dialog["owner"], v.hwnd)
        self.assertFalse(any(w["class"] == e2e.SPLASH_CLASS for w in v.d.call("top")))
        link = v.d.call("child", dialog["hwnd"], 530)
        box = v.d.call("child", dialog["hwnd"], 529)
        self.assertEqual(v.d.call("text", link), "Download MAME from the emulator's release page")
        self.assertIn("Vintor", v.d.call("text", box))
        time.sleep(0.5)
        e2e.screenshot("mainwindow_advice_dialog")
        r = v.d.call("info", link)["rect"]
        for n in (1, 2):
            e2e.click((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
            e2e.wait_for(lambda: len(e2e.read_log(browser)) >= n, 15, what="browser start %d" % n)
        time.sleep(0.5)
        starts = e2e.read_log(browser)
        self.assertEqual(len(starts), 2)
        for s in starts:
            self.assertIn(RELEASE_PAGE, s["cmdline"])
        self.assertTrue(v.d.call("info", dialog["hwnd"]))  # still open
        ok = v.d.call("info", v.d.call("child", dialog["hwnd"], 1))["rect"]
        e2e.click((ok[0] + ok[2]) // 2, (ok[1] + ok[3]) // 2)
        e2e.wait_for(lambda: not v.d.call("info", dialog["hwnd"]), 5, what="dialog to close")
        self.assertTrue(v.info()["visible"])


if __name__ == "__main__":
    e2e.main()
