"""The real emulator in end-to-end tests: Debian's MAME behind the tests'
relaying mame.exe (tests/doubles/mame_relay), which runs it and hands back its
output and exit code as the Windows emulator would.

Tests that need it call skip_reason() and skip with that text where it is not
installed."""
import os
import signal

import vintor_e2e as e2e

REAL_MAME = os.environ.get("VINTOR_REAL_MAME", "/usr/games/mame")
RELAY = os.path.join(e2e.BUILD, "tests", "doubles", "mame_relay", "mame.exe")
MKGAMELIST = os.path.join(e2e.BUILD, "companions", "mkgamelist", "mkgamelist.exe")


def skip_reason():
    """Why a test of the real emulator cannot run here, or None."""
    if not os.access(REAL_MAME, os.X_OK):
        return "the real emulator %s is not installed (Debian's mame package)" % REAL_MAME
    if not os.path.exists(RELAY):
        return "the relaying mame.exe was not built (%s)" % RELAY
    return None


def stage(name, installed=(), with_tool=True, with_document=False, **kw):
    """An installation whose mame.exe is the relay to the real emulator,
    with mkgamelist.exe beside vintor.exe and, unless asked, no document."""
    kw.setdefault("extra_roms", False)
    folder = e2e.stage(name, installed=list(installed), snapshots={}, counters={}, **kw)
    e2e.make_demo.copy_if(RELAY, os.path.join(folder, "mame.exe"))
    if with_tool:
        e2e.make_demo.copy_if(MKGAMELIST, os.path.join(folder, "mkgamelist.exe"))
    if not with_document:
        os.remove(os.path.join(folder, "docs", "gamelist.txt"))
    return folder


def empty_archive(folder, short):
    """A ROM archive that holds no files: a valid, empty zip."""
    with open(os.path.join(folder, "roms", short + ".zip"), "wb") as f:
        f.write(b"PK\x05\x06" + bytes(18))


def running_emulators(folder=None):
    """Process ids of the real emulators that relays started in `folder` (by
    default anywhere under this build's staged installations); other test
    runs on the same machine have emulators of their own."""
    root = os.path.realpath(folder or e2e.STAGE_ROOT)
    found = []
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                argv = f.read().split(b"\0")
            cwd = os.path.realpath(os.readlink("/proc/%s/cwd" % pid))
        except OSError:
            continue
        if argv[0].decode(errors="replace") == REAL_MAME and b"-noreadconfig" in argv and \
                (cwd == root or cwd.startswith(root + os.sep)):
            found.append(int(pid))
    return found


def end_emulators(folder=None):
    """Ends the real emulators that relays started in `folder` and left
    running (a relay that is ended takes its emulator along within a few
    seconds; this is for a game that runs on while its relay lives)."""
    for pid in running_emulators(folder):
        try:
            os.kill(pid, signal.SIGTERM)
        except OSError:
            pass
