"""The snapshot preview of the real program: which file is converted, the
default picture, the .bak file, the size after a resize and a missing converter.
Pictures are solid colours so that a screenshot tells which one is shown."""
import os
import shutil
import struct
import subprocess
import time
import unittest

import vintor_e2e as e2e

STM_GETIMAGE = 0x0173
MAGENTA, GREEN, CYAN, YELLOW, ORANGE = (255, 0, 255), (0, 255, 0), (0, 200, 200), (255, 255, 0), (250, 150, 0)


def solid_png(colour, w=224, h=256):
    return e2e.make_demo.png_bytes(w, h, lambda x, y: colour)


def solid_bmp(colour, w=240, h=320):
    stride = (w * 3 + 3) & ~3
    row = bytes(colour[::-1]) * w + bytes(stride - w * 3)
    head = struct.pack("<2sIHHI", b"BM", 54 + stride * h, 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, stride * h, 0, 0, 0, 0)
    return head + info + row * h


def stage(name):
    folder = e2e.stage(name, snapshots={})
    snap = os.path.join(folder, "snap")
    e2e.make_demo.write(os.path.join(snap, "galaga.png"), solid_png(MAGENTA))
    e2e.make_demo.write(os.path.join(snap, "galaga", "0000.png"), solid_png(GREEN))
    e2e.make_demo.write(os.path.join(snap, "dkong", "0000.png"), solid_png(CYAN))
    e2e.make_demo.write(os.path.join(snap, "pacman.png"), solid_png(YELLOW))
    e2e.make_demo.write(os.path.join(snap, "defgame.bmp"), solid_bmp(ORANGE))
    return folder


def grab(rect):
    """RGB rows of a screen rectangle [left, top, right, bottom]."""
    l, t, r, b = rect
    w, h = r - l, b - t
    data = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, l, t), "+repage",
                           "-depth", "8", "rgb:-"], capture_output=True, env=e2e.wine_env()).stdout
    return [[tuple(data[(y * w + x) * 3:(y * w + x) * 3 + 3]) for x in range(w)] for y in range(h)] if len(data) >= w * h * 3 else []


def extent(pixels, colour):
    """Width and height of the box that holds every pixel of the colour."""
    xs = [x for row in pixels for x, p in enumerate(row) if p == colour]
    ys = [y for y, row in enumerate(pixels) if colour in row]
    return (max(xs) - min(xs) + 1, max(ys) - min(ys) + 1) if xs else (0, 0)


class SnapshotTest(unittest.TestCase):
    def start(self, name):
        self.folder = stage(name)
        self.work = os.path.join(self.folder, "snap", "mamegame.bmp")
        self.v = e2e.Vintor(self.folder)
        self.addCleanup(self.v.close)
        self.list = self.v.child(305)
        self.preview = self.v.child(311)
        if not self.list or not self.preview or not self.v.send(self.list, e2e.LVM_GETITEMCOUNT):
            self.skipTest("the main window has no game list or no preview yet")
        self.width0, self.height0 = self.size()
        # At start-up the selected game's picture is already shown.
        e2e.wait_for(lambda: self.image(), 10, what="first picture")

    def size(self):
        l, t, r, b = self.v.info()["rect"]
        return r - l, b - t

    def image(self):
        return self.v.send(self.preview, STM_GETIMAGE, 0, 0)

    def select(self, short):
        rows = self.v.rows(305)
        index = [i for i, row in enumerate(rows) if row[6] == short][0]
        before = self.image()
        l, t, r, b = self.v.d.call("lvrect", self.list, index)
        e2e.click(l + 30, (t + b) // 2)
        e2e.wait_for(lambda: self.image() != before, 10, what="new picture for " + short)
        time.sleep(0.3)

    def expected_size(self):
        """The picture size for the window's growth over its default size."""
        w, h = self.size()
        dw, dh = w - self.width0 + 160, h - self.height0 + 94
        return dw // 2 + 202, dh + 212

    def shows(self, colour, name):
        info = self.v.d.call("info", self.preview)
        rect = info["rect"]
        pixels = grab([rect[0] - 4, rect[1] - 4, rect[2] + 4, rect[3] + 4])
        e2e.screenshot("snapshot_" + name)
        # The preview's static edge may cover the picture's outer pixels.
        w, h = self.expected_size()
        cw, ch = info["client"]
        self.assertEqual(extent(pixels, colour), (min(w, cw), min(h, ch)), name)

    def test_candidates_default_picture_and_bak(self):
        self.start("snapshot_candidates")
        self.select("galaga")  # A and B: A wins
        self.shows(MAGENTA, "a_wins")
        self.assertEqual(self.expected_size(), (282, 306))
        self.assertFalse(os.path.exists(self.work + ".bak"))
        self.select("dkong")  # only B
        self.shows(CYAN, "only_b")
        self.assertFalse(os.path.exists(self.work + ".bak"))
        with open(self.work + ".bak", "wb") as f:
            f.write(b"kept")
        self.select("qbert")  # neither: the default picture, and no .bak deletion
        self.shows(ORANGE, "default")
        self.assertTrue(os.path.exists(self.work + ".bak"))
        with open(self.work, "rb") as a, open(os.path.join(self.folder, "snap", "defgame.bmp"), "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_resize_and_missing_converter(self):
        self.start("snapshot_resize")
        self.select("galaga")
        self.shows(MAGENTA, "before_removal")
        converter = os.path.join(self.folder, "snap", "png2bmp.exe")
        shutil.move(converter, converter + ".aside")
        self.select("pacman")  # no converter: the previous picture stays
        self.shows(MAGENTA, "converter_removed")
        shutil.move(converter + ".aside", converter)
        self.select("qbert")
        self.shows(ORANGE, "default_before_resize")
        w, h = self.size()
        subprocess.run(["xdotool", "search", "--name", "Vintor 2009", "windowsize", str(w + 120), str(h + 80)],
                       check=False, env=e2e.wine_env())
        e2e.wait_for(lambda: self.size() == (w + 120, h + 80), 5, what="window resized")
        time.sleep(0.5)
        self.assertEqual(self.expected_size(), (342, 386))
        self.shows(ORANGE, "default_after_resize")


if __name__ == "__main__":
    e2e.main()
