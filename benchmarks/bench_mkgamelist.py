#!/usr/bin/env python3
"""Benchmark of mkgamelist.exe under Wine: the emulator's full 0.251 -listxml
output (269 MB, from ../shared/data/listxml, unpacked once into the build
folder) converted from a saved file, and the first half and quarter of it for
the growth; then the whole run through the real emulator: the tests' relaying
mame.exe (tests/doubles/mame_relay) starts the host's /usr/games/mame
-listxml, whose output the tool reads through the pipe, and the tool's check
of the option switches (-showusage) after it. Prints the time (wall and CPU)
and the peak memory of the tool's process: its whole resident set as Linux
sees it (Wine's own libraries included) and the anonymous part of it (the heap
and stacks: what the program itself holds), sampled every 20 ms; for the run
through the emulator also the emulator's own peak resident set. A run on a
tiny list gives Wine's share.

Usage: benchmarks/bench_mkgamelist.py [--build BUILD] [--fractions 0.25,0.5,1] [--no-emulator]
Needs a Wine prefix, as tools/test.sh sets up (run it through tests/session.sh,
or with WINEPREFIX set). Targets: under 15 s and under 64 MB for the full file.
"""
import argparse
import lzma
import os
import re
import resource
import shutil
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
TINY = (b'<?xml version="1.0"?>\n<mame build="tiny">\n\t<machine name="one">\n'
        b'\t\t<description>One</description>\n\t</machine>\n</mame>\n')


def shared_listxml():
    for c in (os.environ.get("VINTOR_SHARED", ""), os.path.join(ROOT, "..", "shared")):
        path = os.path.join(c, "data", "listxml", "mame-0.251-listxml.xml.xz")
        if c and os.path.exists(path):
            return path
    return None


def unpacked(xz, folder):
    """The full output, unpacked once; then a cut of it per fraction."""
    full = os.path.join(folder, "mame-0.251-listxml.xml")
    if not os.path.exists(full) or os.path.getmtime(full) < os.path.getmtime(xz):
        with lzma.open(xz, "rb") as src, open(full + ".part", "wb") as dst:
            shutil.copyfileobj(src, dst, 1 << 20)
        os.replace(full + ".part", full)
    return full


def cut(full, fraction, folder):
    """The first `fraction` of the machines (cut at a machine's start), closed."""
    if fraction >= 1:
        return full
    path = os.path.join(folder, "listxml-%d.xml" % int(fraction * 100))
    if os.path.exists(path):
        return path
    limit = int(os.path.getsize(full) * fraction)
    with open(full, "rb") as src, open(path, "wb") as dst:
        written = 0
        for line in src:
            if written >= limit and line.startswith(b"\t<machine "):
                break
            dst.write(line)
            written += len(line)
        dst.write(b"</mame>\n")
    return path


def process_memory(pattern):
    """Peak resident and anonymous kB of the processes whose command line matches."""
    rss = anon = 0
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                if pattern not in f.read():
                    continue
            with open("/proc/%s/status" % pid) as f:
                status = f.read()
        except OSError:
            continue
        hwm = re.search(r"VmHWM:\s+(\d+)", status)
        ra = re.search(r"RssAnon:\s+(\d+)", status)
        rss = max(rss, int(hwm.group(1)) if hwm else 0)
        anon = max(anon, int(ra.group(1)) if ra else 0)
    return rss, anon


def wineserver_cpu():
    """CPU seconds used so far by the wineserver of this Wine prefix (if found)."""
    prefix = os.environ.get("WINEPREFIX", "").encode()
    total = 0.0
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/comm" % pid) as f:
                if not f.read().startswith("wineserver"):
                    continue
            with open("/proc/%s/environ" % pid, "rb") as f:
                if prefix and b"WINEPREFIX=" + prefix + b"\0" not in f.read():
                    continue
            with open("/proc/%s/stat" % pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
        except OSError:
            continue
    return total


REAL_MAME = os.environ.get("VINTOR_REAL_MAME", "/usr/games/mame")


def run(folder, input_path, emulator=False):
    """Exit code, output, wall s, CPU s, peak RSS and anonymous MB of the tool
    and peak RSS MB of the emulator. Without input_path the tool asks mame.exe."""
    exe = os.path.join(folder, "mkgamelist.exe")
    env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    server_before = wineserver_cpu()
    start = time.time()
    args = ["Z:" + input_path.replace("/", "\\")] if input_path else []
    proc = subprocess.Popen(["wine", exe] + args, cwd=folder, env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    peak = [0, 0, 0]
    done = threading.Event()

    def sample():
        while not done.is_set():
            rss, anon = process_memory(b"mkgamelist.exe")
            peak[0], peak[1] = max(peak[0], rss), max(peak[1], anon)
            if emulator:
                peak[2] = max(peak[2], process_memory(REAL_MAME.encode() + b"\0")[0])
            time.sleep(0.02)
    t = threading.Thread(target=sample)
    t.start()
    out = proc.communicate()[0].decode("cp1252", "replace")
    done.set()
    t.join()
    wall = time.time() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    cpu += wineserver_cpu() - server_before
    return proc.returncode, out, wall, cpu, peak[0] / 1024.0, peak[1] / 1024.0, peak[2] / 1024.0


def figure(out, label):
    m = re.search(label + r":\s+(\d+)", out)
    return int(m.group(1)) if m else -1


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=os.path.join(ROOT, "build", "win32"))
    ap.add_argument("--fractions", default="0.25,0.5,1")
    ap.add_argument("--no-emulator", action="store_true", help="leave out the run through the real emulator")
    a = ap.parse_args()
    a.build = os.path.abspath(a.build)
    xz = shared_listxml()
    if not xz:
        print("bench_mkgamelist: ../shared/data/listxml is absent; nothing to measure")
        return 0
    tool = os.path.join(a.build, "companions", "mkgamelist", "mkgamelist.exe")
    if not os.path.exists(tool):
        sys.exit("bench_mkgamelist: build %s first" % tool)
    work = os.path.join(a.build, "bench-mkgamelist")
    os.makedirs(work, exist_ok=True)
    folder = os.path.join(work, "install")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    shutil.copy(tool, folder)
    print("machine: %d cores, load %.1f; %s" % (os.cpu_count(), os.getloadavg()[0],
                                                 subprocess.run(["wine", "--version"], capture_output=True,
                                                                text=True).stdout.strip()))
    with open(os.path.join(work, "tiny.xml"), "wb") as f:
        f.write(TINY)
    code, out, wall, cpu, rss, anon, _ = run(folder, os.path.join(work, "tiny.xml"))
    print("%-22s %8s %8s %8s %10s %10s" % ("input", "MB", "wall s", "CPU s", "peak RSS", "peak anon"))
    print("%-22s %8.1f %8.2f %8.2f %8.1f MB %7.1f MB" % ("one machine", 0, wall, cpu, rss, anon))
    full = unpacked(xz, work)
    for fraction in [float(x) for x in a.fractions.split(",")]:
        path = cut(full, fraction, work)
        code, out, wall, cpu, rss, anon, _ = run(folder, path)
        size = os.path.getsize(path) / 1e6
        print("%-22s %8.1f %8.2f %8.2f %8.1f MB %7.1f MB  exit %d" % (
            "%d %% of 0.251" % int(fraction * 100), size, wall, cpu, rss, anon, code))
        if fraction >= 1:
            print("full run: machines read %d, rows written %d" % (
                figure(out, "Machines read"), figure(out, "Rows written")))
            print("\n".join("  " + line for line in out.splitlines()))
            verdict = "within" if wall < 15 and rss < 64 else "OUTSIDE"
            print("target (< 15 s wall, < 64 MB peak RSS): %s%s" % (
                verdict, "" if os.getloadavg()[0] < os.cpu_count() else " (the machine is busy: compare the CPU time)"))
    if not a.no_emulator:
        through_emulator(a.build, folder)
    return 0


def through_emulator(build, folder):
    """The tool's whole run as a user starts it beside a mame.exe: -listxml of
    the real emulator through the relay, the document, then -showusage."""
    relay = os.path.join(build, "tests", "doubles", "mame_relay", "mame.exe")
    if not os.access(REAL_MAME, os.X_OK) or not os.path.exists(relay):
        print("through the emulator: left out (needs %s and %s)" % (REAL_MAME, relay))
        return
    shutil.copy(relay, os.path.join(folder, "mame.exe"))
    start = time.time()
    listxml = subprocess.run([REAL_MAME, "-noreadconfig", "-listxml"], stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    alone = time.time() - start
    code, out, wall, cpu, rss, anon, mame = run(folder, None, emulator=True)
    print("\nthrough the real emulator (%s -listxml by the relay, then -showusage):" % REAL_MAME)
    print("  the emulator's -listxml alone, to /dev/null: %.2f s (exit %d)" % (alone, listxml.returncode))
    print("  the tool's whole run: %.2f s wall, %.2f s CPU of the tool and Wine, peak %.1f MB resident "
          "(%.1f MB anonymous), the emulator's peak %.1f MB; exit %d" % (wall, cpu, rss, anon, mame, code))
    print("  machines read %d, rows written %d" % (figure(out, "Machines read"), figure(out, "Rows written")))
    print("\n".join("  " + line for line in out.splitlines()))


if __name__ == "__main__":
    sys.exit(main())
