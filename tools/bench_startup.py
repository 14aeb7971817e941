#!/usr/bin/env python3
"""Times vintor.exe from process start until its user-interface thread answers
messages from another process (that is, until it runs its message loop), for
the demo installation, for each real game list document with all its games
installed, and for synthetic catalogues of 5,000, 15,000 and 45,000 rows.

Usage: tools/bench_startup.py [--runs N]   (needs DISPLAY and WINEPREFIX, as tools/test.sh sets up)
"""
import argparse
import glob
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
import vintor_e2e as e2e  # noqa: E402
import make_demo  # noqa: E402

WM_NULL = 0


def real_games(path):
    """Rows of a real document as (name, s1..s4, short) tuples."""
    games, inside, rules = [], False, 0
    with open(path, "rb") as f:
        for raw in f.read().decode("cp1252").splitlines():
            if raw == make_demo.RULE:
                rules += 1
                inside = rules == 2
                continue
            if inside and raw.startswith("|") and len(raw) >= 79 and raw[2] != " ":
                games.append((raw[2:35].rstrip(), raw[36:43].strip(), raw[44:51].strip(), raw[52:59].strip(),
                              raw[60:67].strip(), raw[69:78].strip()))
    return games


def synthetic_games(n):
    return [("Game number %06d" % i, "Yes", "Yes", "Yes", "Yes", "g%06d" % i) for i in range(n)]


def time_start(folder):
    d = e2e.driver()
    started = time.time()
    proc = subprocess.Popen(["wine", os.path.join(folder, "vintor.exe")], cwd=folder, env=e2e.wine_env(),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while True:
        h = d.call("find", e2e.MAIN_CLASS)
        if h and d.call("info", h)["visible"] and d.call("send", h, WM_NULL, 0, 0) != -999999:
            elapsed = time.time() - started
            break
        if time.time() - started > 120:
            raise RuntimeError("no window")
        time.sleep(0.01)
    d.call("post", h, e2e.WM_CLOSE, 0, 0)
    proc.wait(30)
    e2e.wait_for(lambda: not d.call("find", e2e.MAIN_CLASS), 10, what="window to go")
    return elapsed


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--runs", type=int, default=3)
    a = ap.parse_args()
    cases = [("demo installation", dict())]
    shared = e2e.SHARED
    for path in sorted(glob.glob(os.path.join(shared, "data", "gamelists", "*.txt"))):
        games = real_games(path)
        cases.append(("%s, %d rows, all installed" % (os.path.basename(path), len(games)),
                      dict(games=games, installed=[g[5] for g in games], snapshots={}, counters={})))
    for n, archives in ((5000, 1111), (15000, 3333), (45000, 10000)):
        games = synthetic_games(n)
        cases.append(("synthetic %d rows, %d archives" % (n, archives),
                      dict(games=games, installed=[g[5] for g in games[::max(1, n // archives)]][:archives],
                           snapshots={}, counters={})))
    print("%-62s %8s %8s" % ("case", "median", "best"))
    for name, kw in cases:
        folder = e2e.stage("bench-startup", **kw)
        times = [time_start(folder) for _ in range(a.runs)]
        print("%-62s %7.2fs %7.2fs" % (name[:62], statistics.median(times), min(times)), flush=True)
    e2e.driver().close()


if __name__ == "__main__":
    main()
