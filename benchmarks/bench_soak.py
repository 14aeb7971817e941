#!/usr/bin/env python3
"""Soak run: one Vintor on a 5,000-row installation works through 1,000 rescans,
then 10,000 selection changes (half the games have a PNG snapshot, so the
converter runs for every other one), then 1,000 page switches. Every 100 steps
it records what the process holds (tests/e2e/soak.py names the counters) and at
the end prints the table and each counter's growth per 1,000 steps in each phase
(the slope of a least-squares line through the phase's samples, the first tenth
of each phase left out as warm-up).

  bench_soak.py [--scale 1.0] [--rows 5000] [--csv FILE]

--scale multiplies the step counts and the sampling interval alike (0.01: 10
rescans, 100 selections and 10 page switches, sampled after each step), to try
the run out. Builds nothing: run tools/build.sh win64 (or win32) first; the
build the host runs is chosen as for the tests (VINTOR_ARCH, VINTOR_BUILD).
Starts its own virtual display and wineserver unless it already runs inside a
test session (VINTOR_BENCH_INNER).
"""
import argparse
import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

PHASES = [("rescans", 1000), ("selections", 10000), ("page switches", 1000)]


def slope(points):
    """Least-squares slope of (x, y) points; 0 for fewer than two distinct x."""
    n = len(points)
    if n < 2:
        return 0.0
    mx = sum(x for x, _ in points) / n
    my = sum(y for _, y in points) / n
    sxx = sum((x - mx) ** 2 for x, _ in points)
    return sum((x - mx) * (y - my) for x, y in points) / sxx if sxx else 0.0


def shown_counters(samples, soak):
    """The host's and the other counts always; Windows' own only where one is non-zero."""
    windows = [k for k in soak.WINDOWS_COUNTERS if any(s.get(k, 0) not in (0, -1) for _, _, s in samples)]
    return windows + soak.OTHER_COUNTERS + soak.HOST_COUNTERS, [k for k in soak.WINDOWS_COUNTERS if k not in windows]


def run(scale, rows, csv):
    import vintor_e2e as e2e
    import soak
    every = max(1, int(round(100 * scale)))
    plan = [(name, max(1, int(round(steps * scale)))) for name, steps in PHASES]
    started = time.time()
    folder = soak.stage("soak-bench", rows)
    print("staged %d games (%d with a snapshot) in %.0f s" % (rows, (rows + 1) // 2, time.time() - started))
    v = e2e.Vintor(folder, timeout=300)
    samples = []  # (phase, step within the phase, counters)
    times = {}
    try:
        s = soak.Session(v)
        s.wait_scan_done(300)
        actions = {"rescans": s.rescans, "selections": s.select, "page switches": s.switch_pages}
        for name, steps in plan:
            if name == "selections":
                s.focus_list()
            phase_start = time.time()
            samples.append((name, 0, s.counters()))
            done = 0
            while done < steps:
                k = min(every, steps - done)
                actions[name](k)
                done += k
                samples.append((name, done, s.counters()))
                if done % (every * 10) == 0:  # a sign of life on long runs
                    sys.stderr.write("%s %d/%d, %.0f s\n" % (name, done, steps, time.time() - phase_start))
            times[name] = time.time() - phase_start
            print("%s: %d in %.0f s (%.3f s each)" % (name, steps, times[name], times[name] / steps))
            sys.stdout.flush()
        missed = (s.missed_selections, s.stale_pictures, s.missed_pages)
    finally:
        v.close()
    total = time.time() - started
    print_table(samples, soak, every)
    print_growth(samples, soak, plan)
    if csv:
        keys = sorted(samples[0][2])
        with open(csv, "w") as f:
            f.write("phase,step," + ",".join(keys) + "\n")
            for name, step, c in samples:
                f.write("%s,%d,%s\n" % (name, step, ",".join(str(c.get(k, "")) for k in keys)))
    print("keys that moved no selection: %d; batches of them that left the same picture: %d; "
          "page switches that did not switch: %d" % missed)
    print("whole run: %.0f s (%.1f min), build %s" % (total, total / 60, e2e.BUILD))
    return 0


def print_table(samples, soak, every):
    keys, silent = shown_counters(samples, soak)
    if silent:
        print("read 0 here, not shown: " + ", ".join(silent))
    print("sampled every %d steps" % every)
    print("%-14s %6s " % ("phase", "step") + " ".join("%15s" % k for k in keys))
    for name, step, c in samples:
        print("%-14s %6d " % (name, step) + " ".join("%15s" % c.get(k, "") for k in keys))


def print_growth(samples, soak, plan):
    keys, _ = shown_counters(samples, soak)
    print("growth per 1,000 steps (least-squares slope, first tenth of each phase left out)")
    print("%-14s " % "phase" + " ".join("%15s" % k for k in keys))
    for name, steps in plan:
        phase = [(step, c) for n, step, c in samples if n == name and step >= steps / 10.0]
        cells = []
        for k in keys:
            points = [(step, c[k]) for step, c in phase if c.get(k, -1) != -1]
            cells.append("%15.1f" % (slope(points) * 1000))
        print("%-14s " % name + " ".join(cells))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--scale", type=float, default=1.0)
    ap.add_argument("--rows", type=int, default=5000)
    ap.add_argument("--csv", default="")
    a = ap.parse_args()
    if not os.environ.get("VINTOR_BENCH_INNER"):
        # One virtual display and warm wineserver for the run, as the tests have.
        script = ('source "%s/tests/session.sh" && vintor_session_start && '
                  'VINTOR_BUILD="${VINTOR_BUILD:-%s/build/$VINTOR_ARCH}" VINTOR_BENCH_INNER=1 python3 %s' % (
                      ROOT, ROOT, " ".join([os.path.abspath(__file__)] + sys.argv[1:])))
        return subprocess.call(["bash", "-c", script])
    try:
        return run(a.scale, a.rows, a.csv)
    finally:
        import vintor_e2e as e2e
        if e2e._driver:
            e2e._driver.close()


if __name__ == "__main__":
    sys.exit(main())
