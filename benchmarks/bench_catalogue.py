#!/usr/bin/env python3
"""Benchmark of the game catalogue under Wine: start-up work, rescan and column
sort for synthetic installations of 5,000, 15,000 and 45,000 document rows (with
10,000 archives at 45,000 rows, in proportion below), and for the real documents
in ../shared/data/gamelists with every game installed.

Usage: benchmarks/bench_catalogue.py [--build BUILD] [--sizes 5000,15000,45000] [--program]
Needs a display and a Wine prefix, as tools/test.sh sets up (run it through
tests/session.sh, or with DISPLAY and WINEPREFIX set). With --program it also
times vintor.exe itself from process start until its window answers.
"""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tools"))
from make_demo import RULE, table_row  # noqa: E402


def synthetic_document(rows, rng):
    lines = ["This is the complete list of games supported by MAME 0.250.", "", RULE,
             "| Game Name                        |Working|Colors | Sound | Flip  |    Name  |", RULE]
    games = []
    for i in range(rows):
        short = "g%06d" % i
        name = "%s %s %d" % (rng.choice(["Super", "Mega", "Final", "Hyper", "Ultra", "Street"]),
                             rng.choice(["Fighter", "Racer", "Blaster", "Quest", "Bobble", "Kong"]), rng.randint(1, 99999))
        games.append(short)
        lines.append(table_row(name, "Yes", "Yes", rng.choice(["Yes", "No", "Partial"]), "Yes", short))
    lines.append(RULE)
    return "\n".join(lines) + "\n", games


def stage(folder, document_text, installed, others, counters):
    if os.path.exists(folder):
        shutil.rmtree(folder)
    for sub in ("docs", "roms", "winis", "lang"):
        os.makedirs(os.path.join(folder, sub))
    with open(os.path.join(folder, "docs", "gamelist.txt"), "w", newline="\n", encoding="latin-1") as f:
        f.write(document_text)
    shutil.copy(os.path.join(ROOT, "lang", "default.lng"), os.path.join(folder, "lang", "default.lng"))
    for i, short in enumerate(installed):
        with open(os.path.join(folder, "roms", short + ".zip"), "wb") as f:
            f.write(b"x" * (i % 4000))
    for short in others:
        with open(os.path.join(folder, "roms", short + ".zip"), "wb") as f:
            f.write(b"b")
    bios = ["[BIOS]"] + ["%s.zip=BIOS %s" % (o, o) for o in others[:50]]
    with open(os.path.join(folder, "vintor.ini"), "w", newline="\r\n") as f:
        f.write("\n".join(bios) + "\n")
    for short in counters:
        with open(os.path.join(folder, "winis", short + ".ini"), "w", newline="\r\n") as f:
            f.write("[OPTIONS]\nRuns=7\n")


def real_documents():
    candidates = [os.environ.get("VINTOR_SHARED", ""), os.path.join(ROOT, "..", "shared"),
                  os.path.join(ROOT, "..", "..", "shared")]
    folder = next((os.path.join(c, "data", "gamelists") for c in candidates
                   if c and os.path.isdir(os.path.join(c, "data", "gamelists"))), None)
    if not folder:
        return []
    out = []
    for name in sorted(os.listdir(folder)):
        if name.endswith(".txt"):
            with open(os.path.join(folder, name), "rb") as f:
                data = f.read()
            games, rules = [], 0
            for line in data.replace(b"\r\n", b"\n").split(b"\n"):
                line = line.decode("latin-1")
                if line == RULE:
                    rules += 1
                    continue
                if rules == 2 and len(line) > 2 and line[0] == "|" and line[2] != " ":
                    games.append(line[69:78].split(" ")[0])
            out.append((name, data, games))
    return out


def run_bench(exe, folder):
    env = dict(os.environ, WINEDEBUG="-all")
    start = time.time()
    p = subprocess.run(["wine", exe, folder], capture_output=True, text=True, env=env, timeout=600)
    figures = {"process": time.time() - start}
    for line in p.stdout.splitlines():
        parts = line.split()
        if len(parts) == 2:
            try:
                figures[parts[0]] = float(parts[1])
            except ValueError:
                pass
        elif parts and parts[0] == "rows":
            figures["rows"] = " ".join(parts[1:])
    return figures


def time_program(build, folder):
    """vintor.exe from process start until its main window answers WM_NULL."""
    sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
    exe = os.path.join(build, "vintor.exe")
    shutil.copy(exe, os.path.join(folder, "vintor.exe"))
    driver = os.path.join(build, "e2edriver.exe")
    start = time.time()
    proc = subprocess.Popen(["wine", os.path.join(folder, "vintor.exe")], env=dict(os.environ, WINEDEBUG="-all"))
    answered = None
    try:
        while time.time() - start < 120:
            r = subprocess.run(["wine", driver], input="find corvalisWndClass\nquit\n", capture_output=True,
                               text=True, env=dict(os.environ, WINEDEBUG="-all"))
            if r.stdout.strip() and not r.stdout.startswith("ERR") and "0x0" not in r.stdout:
                answered = time.time() - start
                break
            time.sleep(0.05)
    finally:
        proc.terminate()
        proc.wait()
    return answered


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=os.path.join(ROOT, "build", "win32"))
    ap.add_argument("--sizes", default="5000,15000,45000")
    ap.add_argument("--program", action="store_true")
    ap.add_argument("--keep", action="store_true")
    args = ap.parse_args()
    exe = os.path.join(args.build, "benchmarks", "catalogue_bench", "catalogue_bench.exe")
    if not os.path.exists(exe):
        sys.exit("build first: bash tools/build.sh win32")
    work = tempfile.mkdtemp(prefix="vintor-bench-")
    rng = random.Random(2009)
    cases = []
    for rows in [int(s) for s in args.sizes.split(",")]:
        document, games = synthetic_document(rows, rng)
        archives = rows * 10000 // 45000
        installed = rng.sample(games, archives * 95 // 100)
        others = ["bios%05d" % i for i in range(archives - len(installed))]
        cases.append(("synthetic %d rows, %d archives" % (rows, archives), document, installed, others,
                      installed[:archives // 20]))
    for name, data, games in real_documents():
        cases.append(("%s, %d rows, all installed" % (name, len(games)), data.decode("latin-1"), games, [], games[:50]))
    keys = ["startup.document", "startup.scan", "startup.sort", "startup.catalogue", "process", "rescan",
            "rescan.worst_answer", "sort.column6_ascending", "sort.column6_descending", "sort.column0_ascending"]
    print("%-58s " % "case" + " ".join("%9s" % k.split(".")[-1][:9] for k in keys))
    for title, document, installed, others, counters in cases:
        folder = os.path.join(work, "inst")
        stage(folder, document, installed, others, counters)
        figures = run_bench(exe, "Z:" + folder.replace("/", "\\"))
        line = "%-58s " % title[:58] + " ".join("%9.3f" % figures.get(k, -1) for k in keys)
        print(line + "   lists " + str(figures.get("rows", "?")))
        if args.program:
            t = time_program(args.build, folder)
            print("    vintor.exe start to answering window: %s s" % ("%.2f" % t if t else "n/a"))
        sys.stdout.flush()
    if not args.keep:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
