"""A long session against one running Vintor, in steps, and what its process
holds between them. Shared by the soak benchmark (benchmarks/bench_soak.py) and
the soak test (test_soak.py).

Counters of one sample, each -1 where it cannot be had:
  gdi, user, handles, private   what Windows counts for the process (GetGuiResources,
                                GetProcessHandleCount, GetProcessMemoryInfo); 0 under Wine 8
  nt_handles, gdi_table, windows  the same things counted another way, which Wine
                                also answers (tests/e2e/driver/process_counters.cpp)
  host_private_kb, host_fds, host_threads
                                what Linux sees of the Wine process that runs vintor.exe
"""
import os
import time

import vintor_e2e as e2e

WM_KEYDOWN = 0x0100
VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN = 0x25, 0x26, 0x27, 0x28
STM_GETIMAGE = 0x0173
LVM_GETNEXTITEM = 0x100C
LVNI_FOCUSED = 0x0001
TABS, INSTALLED, PREVIEW, RESCAN = 301, 305, 311, 504
PAGES = 6

WINDOWS_COUNTERS = ["gdi", "user", "handles", "private"]
OTHER_COUNTERS = ["nt_handles", "gdi_table", "windows"]
HOST_COUNTERS = ["host_private_kb", "host_fds", "host_threads"]
COLOURS = [(200, 40, 40), (40, 200, 40), (40, 40, 200), (200, 200, 40), (200, 40, 200), (40, 200, 200),
           (120, 120, 120), (250, 140, 20)]


def stage(name, rows, snapshot_every=2, others=20):
    """An installation of `rows` games, all installed, every `snapshot_every`-th with a
    PNG snapshot (the rest show the default picture), some counters and other files."""
    games = [("Soak Game %05d" % i, "Yes", "Yes", "Yes", "Yes", "s%05d" % i) for i in range(rows)]
    folder = e2e.stage(name, games=games, installed=[], snapshots={}, counters={})
    roms = os.path.join(folder, "roms")
    for i, g in enumerate(games):
        with open(os.path.join(roms, g[5] + ".zip"), "wb") as f:
            f.write(b"PK\x05\x06" + bytes(18 + i % 3000))
    for i in range(others):
        with open(os.path.join(roms, "bios%02d.zip" % i), "wb") as f:
            f.write(b"PK\x05\x06" + bytes(18))
    pictures = [e2e.make_demo.snapshot(c) for c in COLOURS]
    for i in range(0, rows, snapshot_every):
        with open(os.path.join(folder, "snap", games[i][5] + ".png"), "wb") as f:
            f.write(pictures[(i // snapshot_every) % len(pictures)])
    for i in range(0, rows, 7):
        with open(os.path.join(folder, "winis", games[i][5] + ".ini"), "wb") as f:
            f.write(b"[OPTIONS]\r\nRuns=%d\r\n" % (i % 50))
    return folder


def host_counters(pid):
    out = {k: -1 for k in HOST_COUNTERS}
    try:
        kb = 0
        with open("/proc/%d/smaps_rollup" % pid) as f:
            for line in f:
                if line.startswith(("Private_Clean:", "Private_Dirty:")):
                    kb += int(line.split()[1])
        out["host_private_kb"] = kb
        out["host_fds"] = len(os.listdir("/proc/%d/fd" % pid))
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("Threads:"):
                    out["host_threads"] = int(line.split()[1])
    except OSError:
        pass
    return out


class Session:
    """One running Vintor worked step by step: rescans, selections, page switches."""

    def __init__(self, v):
        self.v, self.d = v, v.d
        self.host_pid = v.proc.pid  # the Wine loader execs itself into the program's process
        with open("/proc/%d/cmdline" % self.host_pid, "rb") as f:
            if b"vintor.exe" not in f.read():
                raise RuntimeError("process %d does not run vintor.exe" % self.host_pid)
        self.pid = v.info()["pid"]
        self.list, self.tabs, self.preview = v.child(INSTALLED), v.child(TABS), v.child(PREVIEW)
        self.rescan_button = v.child(RESCAN)
        self.direction, self.page_key = VK_DOWN, VK_RIGHT
        # Keys that moved no selection or switched no page; batches of keys after
        # which the preview held the same picture as before.
        self.missed_selections = self.missed_pages = self.stale_pictures = 0

    def counters(self):
        sample = dict(self.d.call("counters", self.pid) or {})
        sample.update(host_counters(self.host_pid))
        return sample

    def image(self):
        return self.v.send(self.preview, STM_GETIMAGE, 0, 0)

    def wait_scan_done(self, timeout=120):
        e2e.wait_for(lambda: self.d.call("info", self.rescan_button)["enabled"], timeout, 0.02, "rescan to end")

    def rescans(self, n):
        for _ in range(n):
            # Sent, not posted: when it returns the scan has begun and the button is disabled.
            self.v.send(self.v.hwnd, e2e.WM_COMMAND, RESCAN, 0)
            self.wait_scan_done()

    def focus_list(self):
        """Page 0, and the keyboard focus on its first row, by a real click."""
        while self.v.send(self.tabs, e2e.TCM_GETCURSEL) > 0:
            self.v.send(self.tabs, WM_KEYDOWN, VK_LEFT, 1)
        for _ in range(5):
            l, t, r, b = self.d.call("lvrect", self.list, 0)
            e2e.click(l + 40, (t + b) // 2)
            time.sleep(0.3)
            if self.d.call("focus", self.v.hwnd)["focus"] == self.list:
                self.direction = VK_DOWN
                return
        raise AssertionError("the installed-games list did not take the focus")

    def focused(self):
        return self.v.send(self.list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED)

    def select(self, n):
        """n selection changes by the arrow keys, down the list and back up. Each
        key is sent, so the list has shown the game's picture before the next one."""
        if self.d.call("focus", self.v.hwnd)["focus"] != self.list:
            self.focus_list()  # keys reach the list without it, but Vintor heeds only the focused list's
        count = self.v.send(self.list, e2e.LVM_GETITEMCOUNT)
        while n > 0 and count > 1:
            at = self.focused()
            if at >= count - 1:
                self.direction = VK_UP
            elif at <= 0:
                self.direction = VK_DOWN
            room = at if self.direction == VK_UP else count - 1 - max(at, 0)
            k = min(n, max(1, room))
            before = self.image()
            self.d.call("sendn", self.list, WM_KEYDOWN, self.direction, 1, k)
            if self.image() == before:
                self.stale_pictures += 1
            self.missed_selections += k - abs(self.focused() - at)
            n -= k

    def switch_pages(self, n):
        """n page switches by the arrow keys on the tab control, across the six pages and back."""
        while n > 0:
            page = self.v.send(self.tabs, e2e.TCM_GETCURSEL)
            if page >= PAGES - 1:
                self.page_key = VK_LEFT
            elif page <= 0:
                self.page_key = VK_RIGHT
            k = min(n, page if self.page_key == VK_LEFT else PAGES - 1 - page)
            self.d.call("sendn", self.tabs, WM_KEYDOWN, self.page_key, 1, k)
            moved = abs(self.v.send(self.tabs, e2e.TCM_GETCURSEL) - page)
            self.missed_pages += k - moved
            n -= k
