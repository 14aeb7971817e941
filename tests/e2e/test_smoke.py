"""Smoke test of one build: it opens on the demo installation, lists the demo's
games and closes with exit code 0. The test command also runs it against the
other architecture's build where the host can run both."""
import unittest

import vintor_e2e as e2e

SUPPORTED, INSTALLED = 302, 305


class SmokeTest(unittest.TestCase):
    def test_opens_lists_the_demo_and_closes_cleanly(self):
        v = e2e.Vintor(e2e.stage("smoke"))
        try:
            e2e.wait_for(lambda: len(v.rows(INSTALLED, 0, 0)) == len(e2e.make_demo.INSTALLED), 30,
                         what="installed games listed")
            self.assertEqual(len(v.rows(SUPPORTED, 0, 0)), len(e2e.make_demo.DEMO_GAMES))
        except BaseException:
            v.kill()
            raise
        self.assertEqual(v.close(), 0)


if __name__ == "__main__":
    e2e.main()
