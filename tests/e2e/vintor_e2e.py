"""End-to-end harness: stages an installation, starts vintor.exe under Wine,
reads its windows through the Win32 driver and works it with real X input.

The test command (tools/test.sh) provides DISPLAY, WINEPREFIX and a warm
wineserver; VINTOR_BUILD and VINTOR_SOURCE come from ctest.
"""
import json
import os
import subprocess
import sys
import time
import unittest

BUILD = os.path.abspath(os.environ.get("VINTOR_BUILD", os.path.join(os.path.dirname(__file__), "..", "..", "build", "win32")))
SOURCE = os.path.abspath(os.environ.get("VINTOR_SOURCE", os.path.join(os.path.dirname(__file__), "..", "..")))
SHARED = os.environ.get("VINTOR_SHARED", os.path.join(SOURCE, "..", "shared"))
sys.path.insert(0, os.path.join(SOURCE, "tools"))
import make_demo  # noqa: E402

STAGE_ROOT = os.path.join(BUILD, "e2e-stage")
SHOTS = os.path.join(BUILD, "screenshots")
MAIN_CLASS = "corvalisWndClass"
SPLASH_CLASS = "SplashScreenClass"

# Window messages and other numbers the tests use.
WM_CLOSE = 0x0010
WM_SIZE = 0x0005
WM_COMMAND = 0x0111
WM_GETTEXT = 0x000D
BM_GETCHECK = 0x00F0
BM_SETCHECK = 0x00F1
LVM_GETITEMCOUNT = 0x1004
LVM_GETNEXTITEM = 0x100C
TCM_GETCURSEL = 0x130B
TCM_SETCURSEL = 0x130C
WS_VISIBLE = 0x10000000
WS_EX_LAYERED = 0x80000


def wine_env():
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d")
    return env


def win_path(path):
    """The Windows path of a Unix path in Wine's Z: drive."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Driver:
    """The Win32 driver program, kept running for a whole test module."""

    def __init__(self):
        exe = os.path.join(BUILD, "e2edriver.exe")
        self.proc = subprocess.Popen(["wine", exe], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     env=wine_env(), bufsize=0)
        assert self.call("ping") == "pong"

    def call(self, *args):
        line = " ".join(str(a) for a in args) + "\n"
        self.proc.stdin.write(line.encode("latin-1"))
        self.proc.stdin.flush()
        answer = self.proc.stdout.readline()
        if not answer:
            raise RuntimeError("driver ended")
        return json.loads(answer.decode("latin-1"))

    def close(self):
        try:
            self.proc.stdin.write(b"quit\n")
            self.proc.stdin.flush()
            self.proc.wait(10)
        except Exception:
            self.proc.kill()


_driver = None


def driver():
    global _driver
    if _driver is None:
        _driver = Driver()
    return _driver


def xdotool(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], check=True, env=wine_env())


def mapped_x_titles():
    """Titles of the mapped X windows that have one."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."], capture_output=True, text=True,
                         env=wine_env()).stdout.split()
    titles = []
    for w in out:
        name = subprocess.run(["xdotool", "getwindowname", w], capture_output=True, text=True,
                              env=wine_env()).stdout.strip()
        if name:
            titles.append(name)
    return titles


def click(x, y, button=1, double=False):
    xdotool("mousemove", x, y)
    time.sleep(0.05)
    if double:
        xdotool("click", "--repeat", 2, "--delay", 80, button)
    else:
        xdotool("click", button)


def key(*names):
    for n in names:
        xdotool("key", n)
        time.sleep(0.05)


def screenshot(name):
    os.makedirs(SHOTS, exist_ok=True)
    path = os.path.join(SHOTS, name + ".png")
    subprocess.run(["import", "-window", "root", path], check=False, env=wine_env(),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return path


def wait_for(predicate, timeout=10.0, interval=0.05, what="condition"):
    end = time.time() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.time() > end:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(interval)


def stage(name, **kw):
    """A fresh installation folder named after the test."""
    return make_demo.stage(os.path.join(STAGE_ROOT, name), BUILD, SOURCE, **kw)


class Vintor:
    """One running vintor.exe in an installation folder."""

    def __init__(self, folder, wait_main=True, timeout=30, args=()):
        self.folder = folder = os.path.abspath(folder)
        self.d = driver()
        stale = self.d.call("find", MAIN_CLASS)
        if stale:
            self.d.call("post", stale, WM_CLOSE, 0, 0)
            wait_for(lambda: not self.d.call("find", MAIN_CLASS), 10, what="old window to close")
        self.started = time.time()
        self.proc = subprocess.Popen(["wine", os.path.join(folder, "vintor.exe")] + list(args), cwd=folder,
                                     env=wine_env(),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.hwnd = 0
        if wait_main:
            self.hwnd = wait_for(lambda: self._visible_main(), timeout, what="main window")
            # The splash screen is told to close after the main window shows; clicks
            # before it has gone would land on it.
            wait_for(lambda: not self.splash_visible(), 10, what="splash screen to close")

    def splash_visible(self):
        pid = self.info()["pid"]
        if any(w["class"] == SPLASH_CLASS and w["pid"] == pid for w in self.d.call("top")):
            return True
        # The X window can stay mapped for a while after the Win32 window is gone.
        titles = set(w["title"] for w in self.d.call("top"))
        return any(t not in titles for t in mapped_x_titles())

    def _visible_main(self):
        h = self.d.call("find", MAIN_CLASS)
        if h and self.d.call("info", h)["visible"]:
            return h
        return 0

    def info(self, hwnd=None):
        return self.d.call("info", hwnd or self.hwnd)

    def child(self, control_id):
        return self.d.call("child", self.hwnd, control_id)

    def child_info(self, control_id):
        return self.d.call("info", self.child(control_id))

    def client_rect_of(self, control_id):
        """x, y, width, height of a child in the main window's client coordinates."""
        c = self.child_info(control_id)["rect"]
        origin = self.client_origin()
        return (c[0] - origin[0], c[1] - origin[1], c[2] - c[0], c[3] - c[1])

    def client_origin(self):
        main = self.info()
        # The status bar is a child at the client's bottom-left; use it to find the client origin.
        bar = self.d.call("info", self.child(3000))
        client_w, client_h = main["client"]
        return (bar["rect"][0], bar["rect"][3] - client_h)

    def send(self, hwnd, msg, wp=0, lp=0):
        return self.d.call("send", hwnd, msg, wp, lp)

    def post(self, hwnd, msg, wp=0, lp=0):
        return self.d.call("post", hwnd, msg, wp, lp)

    def command(self, command_id):
        return self.post(self.hwnd, WM_COMMAND, command_id, 0)

    def rows(self, control_id, first_col=0, last_col=7):
        return self.d.call("lvrows", self.child(control_id), first_col, last_col)

    def status(self, part):
        return self.d.call("sbtext", self.child(3000), part)

    def text(self, control_id):
        return self.d.call("text", self.child(control_id))

    def settings(self):
        path = os.path.join(self.folder, "vintor.ini")
        if not os.path.exists(path):
            return ""
        with open(path, "rb") as f:
            return f.read().decode("cp1252")

    def top_windows(self):
        main_pid = self.info()["pid"] if self.hwnd else None
        return [w for w in self.d.call("top") if main_pid is None or w["pid"] == main_pid]

    def find_dialog(self, title=None, timeout=10):
        """A visible top-level window of the program other than the main window."""
        def look():
            for w in self.d.call("top"):
                if w["hwnd"] != self.hwnd and w["class"] == "#32770" and (title is None or w["title"] == title):
                    return w
            return None
        return wait_for(look, timeout, what="dialog %r" % title)

    def box_text(self, box):
        """The text of a message box: its static with identifier 0xFFFF."""
        for c in self.d.call("children", box["hwnd"]):
            if c["id"] == 0xFFFF:
                return c["title"]
        return None

    def answer(self, box, button):
        """Presses a dialog's button by identifier and waits for the dialog to go."""
        self.post(box["hwnd"], WM_COMMAND, button, 0)
        wait_for(lambda: not self.d.call("info", box["hwnd"]), 10, what="dialog to close")

    def close(self, timeout=20):
        if self.hwnd and self.d.call("info", self.hwnd):
            self.post(self.hwnd, WM_CLOSE)
        try:
            self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            raise
        return self.proc.returncode

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(10)


def language(key):
    """Text of a key of section INTERFACE of the shipped language file, as the
    program reads it: surrounding quotes dropped and "~" made a line break."""
    section = None
    with open(os.path.join(SOURCE, "lang", "default.lng"), "rb") as f:
        for line in f.read().decode("cp1252").splitlines():
            if line.startswith("["):
                section = line.strip()[1:-1]
            elif section == "INTERFACE" and line.startswith("%d=" % key):
                text = line.split("=", 1)[1]
                if len(text) > 1 and text[0] == text[-1] == '"':
                    text = text[1:-1]
                return text.replace("~", "\n")
    return ""


def read_log(folder):
    path = os.path.join(folder, "mame_log.txt")
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        lines = f.read().decode("cp1252").splitlines()
    starts = []
    for line in lines:
        if line.startswith("cmdline: "):
            starts.append({"cmdline": line[9:]})
        elif line.startswith("cwd: ") and starts:
            starts[-1]["cwd"] = line[5:]
    return starts


def main():
    try:
        unittest.main(verbosity=2)
    finally:
        if _driver:
            _driver.close()
