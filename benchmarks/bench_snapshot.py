#!/usr/bin/env python3
"""Measures how long a selection takes to bring up its snapshot.

  bench_snapshot.py [--games 200] [--mode program|direct]

program: stages an installation with N installed games, each with a snapshot,
         starts vintor.exe, selects the first row of the installed-games list and
         presses Down N-1 times; each time from the key (xdotool started) to the
         moment control 311 holds a new bitmap.
direct:  calls ShowGameSnapshot for N snapshots in a window of its own
         (benchmarks/bench_snapshot/bench.cpp), without lists or keys.
Prints the median and the 95th percentile in milliseconds. Builds nothing:
run tools/build.sh win32 first. Starts its own virtual display and wineserver
unless it already runs inside a test session (VINTOR_BENCH_INNER).
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.abspath(os.environ.get("VINTOR_BUILD", os.path.join(ROOT, "build", "win32")))
sys.path.insert(0, os.path.join(ROOT, "tools"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import make_demo  # noqa: E402

STM_GETIMAGE = 0x0173
IMAGE_BITMAP = 0


def games(n):
    rows, colours = [], {}
    for i in range(n):
        short = "game%03d" % i
        rows.append(("Game %03d" % i, "Yes", "Yes", "Yes", "Yes", short))
        colours[short] = ((i * 37) % 200 + 20, (i * 71) % 200 + 20, (i * 13) % 200 + 20)
    return rows, colours


def summary(times):
    times = sorted(times)
    p95 = times[min(len(times) - 1, int(round(0.95 * (len(times) - 1))))]
    return "n=%d median %.1f ms, 95th percentile %.1f ms, min %.1f ms, max %.1f ms" % (
        len(times), statistics.median(times), p95, times[0], times[-1])


def direct(n):
    folder = os.path.join(BUILD, "bench-direct")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(os.path.join(folder, "snap"))
    _, colours = games(n)
    for short, colour in colours.items():
        with open(os.path.join(folder, "snap", short + ".png"), "wb") as f:
            f.write(make_demo.snapshot(colour))
    shutil.copyfile(os.path.join(BUILD, "companions", "png2bmp", "png2bmp.exe"), os.path.join(folder, "snap", "png2bmp.exe"))
    make_demo.copy_if(os.path.join(BUILD, "art", "defgame.bmp"), os.path.join(folder, "snap", "defgame.bmp"))
    exe = os.path.join(BUILD, "benchmarks", "bench_snapshot", "snapshot_bench.exe")
    import vintor_e2e as e2e
    out = subprocess.run(["wine", exe, e2e.win_path(folder)], env=e2e.wine_env(), capture_output=True,
                         timeout=600).stdout.decode("latin-1")
    times = [float(line.split()[1]) for line in out.splitlines() if len(line.split()) == 2]
    return times


def program(n):
    import vintor_e2e as e2e
    rows, colours = games(n)
    folder = make_demo.stage(os.path.join(BUILD, "bench-program"), BUILD, ROOT, games=rows,
                             installed=[r[5] for r in rows], snapshots=colours, counters={})
    v = e2e.Vintor(folder)
    times = []
    try:
        preview = v.child(311)
        listview = v.child(305)
        if not preview or not listview:
            sys.exit("bench: the main window has no preview or no installed-games list yet")
        count = v.send(listview, e2e.LVM_GETITEMCOUNT)
        if count < n:
            sys.exit("bench: the installed-games list shows %d rows, not %d" % (count, n))
        # Click the first row so the list has the focus and the first game is shown.
        left, top, right, bottom = v.d.call("lvrect", listview, 0) or [0, 0, 0, 0]
        e2e.click(left + 40, (top + bottom) // 2)
        time.sleep(2)
        before = v.send(preview, STM_GETIMAGE, IMAGE_BITMAP, 0)
        for _ in range(n - 1):
            start = time.perf_counter()
            e2e.xdotool("key", "Down")
            while True:
                now = v.send(preview, STM_GETIMAGE, IMAGE_BITMAP, 0)
                if now != before:
                    break
                if time.perf_counter() - start > 10:
                    sys.exit("bench: no new picture within 10 s of a key")
            times.append((time.perf_counter() - start) * 1000.0)
            before = now
    finally:
        v.close()
        e2e.driver().close()
    return times


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--games", type=int, default=200)
    ap.add_argument("--mode", choices=["program", "direct"], default="program")
    a = ap.parse_args()
    if not os.environ.get("VINTOR_BENCH_INNER"):
        # One virtual display and warm wineserver for the run, as the tests have.
        script = 'source "%s/tests/session.sh" && vintor_session_start && VINTOR_BENCH_INNER=1 python3 %s' % (
            ROOT, " ".join([os.path.abspath(__file__)] + sys.argv[1:]))
        return subprocess.call(["bash", "-c", script])
    # xdotool's own start is part of every program-mode time; measure it apart.
    start = time.perf_counter()
    subprocess.run(["xdotool", "getmouselocation"], stdout=subprocess.DEVNULL, check=False)
    xdotool_ms = (time.perf_counter() - start) * 1000.0
    times = program(a.games) if a.mode == "program" else direct(a.games)
    if not times:
        print("bench: nothing measured")
        return 1
    print("%s mode, %d snapshots of 224x256: %s (one xdotool start: %.1f ms)" % (
        a.mode, a.games, summary(times), xdotool_ms))
    return 0


if __name__ == "__main__":
    sys.exit(main())
