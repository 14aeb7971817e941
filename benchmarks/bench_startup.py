#!/usr/bin/env python3
"""Start-up benchmark: vintor.exe beside the floor program (benchmarks/floor, the
least work that shows the same rows), in the same installations, in one run.

Each start is timed from process start until the main window answers five
quick messages in a row (a round trip under 50 ms each); the figure is the
median of --runs starts, taken in turns. It prints per installation both
medians, their ratio and the peak memory (peak resident set of the process
right after start-up), and the processor time the process used until then
(median, user and system): on a machine shared with other work the wall
times swing, the processor times much less. Then the growth between the
synthetic sizes. With
--profile it also runs benchmarks/startup_profile once per installation and prints
where vintor's start-up time goes, stage by stage (ms).

Installations: the real documents in ../shared/data/gamelists with all their
games installed, the document mkgamelist.exe makes of the real 0.251 output in
../shared/data/listxml (39,372 rows, 5,922 of them in the wide table's long
short names; made once and kept in the build folder; all installed), any
--document given (all installed), a synthetic stand-in for a 0.251-size
catalogue (39,372 rows with long game names, all installed) and synthetic
catalogues of the --sizes (10,000 archives at 45,000 rows, in proportion below;
5% of the archives match no game).

Usage: benchmarks/bench_startup.py [--runs 3] [--sizes 5000,15000,45000] [--profile]
         [--build build/win32] [--wine wine] [--document PATH ...] [--only TEXT]
Needs DISPLAY, WINEPREFIX and a warm wineserver, as tools/test.sh sets up.
For the 64-bit build: --build build/win64 --wine /usr/lib/wine/wine64 with
WINELOADER, WINESERVER and a 64-bit WINEPREFIX set.
"""
import argparse
import glob
import lzma
import os
import random
import select
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import vintor_e2e as e2e  # noqa: E402
import make_demo  # noqa: E402

WM_NULL = 0
WM_CLOSE = 0x0010
QUICK = 0.05      # seconds: an answer this fast counts as quick
IN_A_ROW = 5
PNG = make_demo.png_bytes(8, 8, lambda x, y: (x * 30, y * 30, 90))


class Driver(e2e.Driver):
    """The end-to-end driver started with a chosen Wine loader."""

    def __init__(self, wine, build):
        exe = os.path.join(build, "e2edriver.exe")
        self.proc = subprocess.Popen([wine, exe], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     env=e2e.wine_env(), bufsize=0)
        assert self.call("ping") == "pong"


def document_games(path):
    """Rows of a game list document (classic or wide table) as (name, s1..s4, short) tuples."""
    games, rules, rule = [], 0, None
    with open(path, "rb") as f:
        for raw in f.read().decode("cp1252").splitlines():
            if raw in (make_demo.RULE, make_demo.WIDE_RULE) and raw == (rule or raw):
                rule, rules = raw, rules + 1
                continue
            if rules == 2 and raw.startswith("|") and len(raw) >= len(rule) and raw[2] != " ":
                games.append((raw[2:35].rstrip(), raw[36:43].strip(), raw[44:51].strip(), raw[52:59].strip(),
                              raw[60:67].strip(), raw[69:len(rule) - 1].strip()))
    return games


def real_0251_document(build, wine):
    """The document mkgamelist.exe makes of the real 0.251 output, made once; None without the data."""
    xz = os.path.join(e2e.SHARED, "data", "listxml", "mame-0.251-listxml.xml.xz")
    tool = os.path.join(build, "companions", "mkgamelist", "mkgamelist.exe")
    folder = os.path.join(build, "bench-startup-0251")
    doc = os.path.join(folder, "docs", "gamelist.txt")
    if os.path.exists(doc) and os.path.getmtime(doc) > max(os.path.getmtime(tool), os.path.getmtime(xz)):
        return doc
    if not os.path.exists(xz) or not os.path.exists(tool):
        return None
    os.makedirs(folder, exist_ok=True)
    shutil.copyfile(tool, os.path.join(folder, "mkgamelist.exe"))
    xml = os.path.join(folder, "listxml.xml")
    with lzma.open(xz, "rb") as src, open(xml, "wb") as dst:
        shutil.copyfileobj(src, dst, 1 << 20)
    subprocess.run([wine, os.path.join(folder, "mkgamelist.exe"), "listxml.xml"], cwd=folder, env=e2e.wine_env(),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    os.remove(xml)
    return doc


def synthetic_games(n, rng, long_names=False):
    words = ["Super", "Mega", "Final", "Hyper", "Ultra", "Street", "Fighter", "Racer", "Blaster", "Quest",
             "Bobble", "Kong", "Championship", "Deluxe", "World", "Tournament", "Edition", "Revision"]
    games = []
    for i in range(n):
        count = rng.randint(4, 7) if long_names else 2
        name = " ".join(rng.choice(words) for _ in range(count)) + " (set %d)" % rng.randint(1, 9)
        games.append((name[:33], "Yes", "Yes", rng.choice(["Yes", "No", "Partial"]), "Yes", "g%06d" % i))
    return games


def stage(folder, build, games, installed, others=(), counters=()):
    """An installation with small archives, a few counters and BIOS descriptions."""
    make_demo.stage(folder, build, ROOT, games=games, installed=[], snapshots={}, counters={}, extra_roms=False,
                    settings="[BIOS]\r\n" + "".join("%s.zip=BIOS %s\r\n" % (o, o) for o in others[:50]))
    for name in ("floor", "startup_profile"):
        exe = os.path.join(build, "benchmarks", name, name + ".exe")
        if os.path.exists(exe):
            shutil.copyfile(exe, os.path.join(folder, name + ".exe"))
    roms = os.path.join(folder, "roms")
    for i, short in enumerate(installed):
        with open(os.path.join(roms, short + ".zip"), "wb") as f:
            f.write(b"PK" + bytes(i % 4000))
    for short in others:
        with open(os.path.join(roms, short + ".zip"), "wb") as f:
            f.write(b"PK")
    for short in counters:
        with open(os.path.join(folder, "winis", short + ".ini"), "wb") as f:
            f.write(b"[OPTIONS]\r\nRuns=7\r\n")
    return folder


def cpu_seconds(pid):
    """User and system time a process has used so far."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    except OSError:
        return 0.0


def peak_memory_kb(pid):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def time_start(d, wine, folder, program, window_class, on_ready=None):
    """Seconds from process start until five quick answers in a row; peak memory in KB; CPU seconds."""
    started = time.time()
    proc = subprocess.Popen([wine, os.path.join(folder, program)], cwd=folder, env=e2e.wine_env(),
                            stdout=subprocess.PIPE if on_ready else subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    h, quick = 0, 0
    while quick < IN_A_ROW:
        if time.time() - started > 180:
            proc.kill()
            raise RuntimeError("%s: no window" % program)
        if not h:
            h = d.call("find", window_class)
            if not h or not d.call("info", h)["visible"]:
                h = 0
                time.sleep(0.005)
                continue
        sent = time.time()
        answered = d.call("send", h, WM_NULL, 0, 0) != -999999
        quick = quick + 1 if answered and time.time() - sent < QUICK else 0
    elapsed = time.time() - started
    memory = peak_memory_kb(proc.pid)
    cpu = cpu_seconds(proc.pid)
    got = b""
    if on_ready:  # the profile's own watch of the first answers ends before the window goes
        fd, deadline = proc.stdout.fileno(), time.time() + 20
        while b"five quick answers" not in got and time.time() < deadline:
            if select.select([fd], [], [], 1)[0]:
                chunk = os.read(fd, 65536)
                if not chunk:
                    break
                got += chunk
    d.call("post", h, WM_CLOSE, 0, 0)
    out = got + proc.communicate(timeout=60)[0] if on_ready else None
    proc.wait(60)
    e2e.wait_for(lambda: not d.call("find", window_class), 20, what="window to go")
    if on_ready:
        on_ready(out.decode("latin-1"))
    return elapsed, memory, cpu


def parse_marks(text):
    marks = []
    for line in text.splitlines():
        if line.startswith("mark "):
            parts = line[5:].rsplit(None, 2)
            marks.append((parts[0].strip(), float(parts[1]), float(parts[2])))
    return marks


def cases(args, build, rng):
    out = []
    documents = sorted(glob.glob(os.path.join(e2e.SHARED, "data", "gamelists", "*.txt"))) + args.document
    for path in documents:
        games = document_games(path)
        out.append(("%s (%d rows, all installed)" % (os.path.basename(path)[:34], len(games)), games,
                    [g[5] for g in games], []))
    real = real_0251_document(build, args.wine) if args.only in "MAME 0.251 document" else None
    if real:
        games = document_games(real)
        out.append(("MAME 0.251 document, %d rows (%d long names), all installed" % (
            len(games), sum(len(g[5]) > 9 for g in games)), games, [g[5] for g in games], []))
    games = synthetic_games(39372, rng, long_names=True)
    out.append(("0.251-size stand-in, 39372 rows, all installed", games, [g[5] for g in games], []))
    for n in [int(s) for s in args.sizes.split(",") if s]:
        games = synthetic_games(n, rng)
        archives = n * 10000 // 45000
        installed = [g[5] for g in rng.sample(games, archives * 95 // 100)]
        others = ["bios%05d" % i for i in range(archives - len(installed))]
        out.append(("synthetic %d rows, %d archives" % (n, archives), games, installed, others))
    return [c for c in out if args.only in c[0]]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--sizes", default="5000,15000,45000")
    ap.add_argument("--build", default=e2e.BUILD)
    ap.add_argument("--wine", default="wine")
    ap.add_argument("--document", action="append", default=[])
    ap.add_argument("--only", default="")
    ap.add_argument("--profile", action="store_true")
    a = ap.parse_args()
    build = os.path.abspath(a.build)
    d = Driver(a.wine, build)
    rng = random.Random(2009)
    root = os.path.join(build, "bench-startup")
    print("%-52s %8s %8s %6s %9s %9s %6s %8s %8s %6s" % ("installation", "vintor", "floor", "ratio", "vintor MB",
                                                          "floor MB", "ratio", "v CPU", "f CPU", "ratio"))
    results, profiles = [], []
    for title, games, installed, others in cases(a, build, rng):
        folder = stage(os.path.join(root, "inst"), build, games, installed, others, installed[:len(installed) // 20])
        v, f = [], []
        for _ in range(a.runs):  # in turns, so that both see the same load on the machine
            v.append(time_start(d, a.wine, folder, "vintor.exe", e2e.MAIN_CLASS))
            f.append(time_start(d, a.wine, folder, "floor.exe", "VintorFloorClass"))
        vt, ft = statistics.median(x[0] for x in v), statistics.median(x[0] for x in f)
        vm, fm = max(x[1] for x in v) / 1024.0, max(x[1] for x in f) / 1024.0
        results.append((title, len(games), len(installed) + len(others), vt, ft))
        vc, fc = statistics.median(x[2] for x in v), statistics.median(x[2] for x in f)
        print("%-52s %7.2fs %7.2fs %6.2f %9.1f %9.1f %6.2f %7.2fs %7.2fs %6.2f" % (
            title[:52], vt, ft, vt / ft, vm, fm, vm / fm if fm else 0, vc, fc, vc / fc if fc else 0), flush=True)
        if a.profile:
            got = []
            time_start(d, a.wine, folder, "startup_profile.exe", e2e.MAIN_CLASS, on_ready=got.append)
            profiles.append((title, parse_marks(got[0])))
    synthetic = [r for r in results if r[0].startswith("synthetic")]
    if len(synthetic) > 1:
        print("\ngrowth between synthetic sizes: ms per 1,000 rows added (linear growth keeps it level)")
        for (t0, n0, _, v0, f0), (t1, n1, _, v1, f1) in zip(synthetic, synthetic[1:]):
            k = (n1 - n0) / 1000.0
            print("  %6d -> %6d rows: vintor %6.1f ms, floor %6.1f ms" % (n0, n1, (v1 - v0) * 1000 / k,
                                                                       (f1 - f0) * 1000 / k))
    if profiles:
        print("\nwhere vintor's start-up goes (ms per stage; 'to entry' is Wine's process start)")
        stages = []
        for _, marks in profiles:
            for m in marks:
                if m[0] not in stages:
                    stages.append(m[0])
        heads = [t.split(" (")[0].split(",")[0][:12] for t, _ in profiles]
        print("%-30s " % "stage" + " ".join("%12s" % h for h in heads))
        for s in stages + ["total"]:
            cells = []
            for _, marks in profiles:
                if s == "total":
                    cells.append(marks[-1][2] if marks else 0)
                else:
                    cells.append(sum(m[1] for m in marks if m[0] == s))
            print("%-30s " % s[:30] + " ".join("%12.1f" % c for c in cells))
    d.close()
    shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main()
