#!/usr/bin/env python3
"""Starts vintor.exe in a demo folder on the current (virtual) display, waits
for its window, saves a screenshot and closes the program.

Usage: demo_shot.py DEMO_FOLDER SCREENSHOT.png
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import vintor_e2e as e2e  # noqa: E402


def main():
    folder, shot = sys.argv[1], sys.argv[2]
    v = e2e.Vintor(folder)
    try:
        time.sleep(2.5)  # let the first snapshot and the splash settle
        # Pick a game that has a snapshot, as a user would, so the preview shows a picture.
        rect = v.d.call("lvrect", v.child(305), 2)
        if rect:
            e2e.click((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)
            time.sleep(1.5)
        # Select a game with a snapshot so that the picture shows something real.
        subprocess.run(["import", "-window", "root", shot], check=False, env=e2e.wine_env())
    finally:
        v.close()
        e2e.driver().close()
    if not os.path.exists(shot):
        print("the screenshot could not be taken", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
