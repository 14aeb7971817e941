"""The menu bar and its owner-drawn popups worked with real keys and clicks:
menu help in status part 0, the Action popup as context menu, and a
screenshot of each open popup (cropped copies for a person to look at)."""
import os
import subprocess
import time
import unittest

import vintor_e2e as e2e

INSTALLED = 305
POPUP_CLASS = "#32768"
LVM_GETNEXTITEM = 0x100C


language = e2e.language


def crop(path, rect, name):
    """A copy of part of a screenshot, for looking at one popup."""
    x0, y0, x1, y1 = [max(0, v) for v in rect]
    out = os.path.join(os.path.dirname(path), name + ".png")
    subprocess.run(["convert", path, "-crop", "%dx%d+%d+%d" % (x1 - x0, y1 - y0, x0, y0), "+repage", out],
                   check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return out


class MenuTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        folder = e2e.stage("menus", settings="[OPTIONS]\r\nOntop=18\r\nMagnet=0\r\nSize=1\r\n")
        cls.v = e2e.Vintor(folder)
        time.sleep(0.5)

    @classmethod
    def tearDownClass(cls):
        cls.v.close()

    def tearDown(self):
        self.close_popups()

    def popups(self):
        pid = self.v.info()["pid"]
        return [w for w in self.v.d.call("top") if w["class"] == POPUP_CLASS and w["pid"] == pid]

    def close_popups(self):
        for _ in range(4):
            if not self.popups():
                break
            e2e.key("Escape")
            time.sleep(0.2)
        e2e.key("Escape")
        time.sleep(0.2)

    def status_becomes(self, text, what):
        e2e.wait_for(lambda: self.v.status(0) == text, 5, what="%s: status %r (is %r)" % (what, text, self.v.status(0)))

    def selected_description(self):
        """What RestoreStatusText puts back: a blank and the selected game's name."""
        lst = self.v.child(INSTALLED)
        if not lst:
            return " "
        item = self.v.send(lst, LVM_GETNEXTITEM, -1, 3)
        if item < 0:
            return " "
        return " " + self.v.rows(INSTALLED)[item][0]

    def focus_main(self):
        r = self.v.info()["rect"]
        # A click on the caption gives the window the keyboard without touching a control.
        e2e.click(r[0] + 300, r[1] + 8)
        time.sleep(0.3)

    def shoot_popup(self, name):
        time.sleep(1.2)  # screenshots lag the window state a little
        path = e2e.screenshot(name)
        boxes = [w["rect"] for w in self.popups()]
        main = self.v.info()["rect"]
        if boxes:
            l = min([b[0] for b in boxes] + [main[0]])
            t = min([b[1] for b in boxes] + [main[1]])
            r = max(b[2] for b in boxes) + 10
            b = max(b[3] for b in boxes) + 10
            crop(path, (l, t, r, b), name + "_crop")
        return path

    def test_menu_help_for_items_separators_titles_and_system_menu(self):
        self.focus_main()
        restored = self.selected_description()
        e2e.key("F10")
        self.status_becomes(restored, "File title")
        e2e.key("Down")
        e2e.wait_for(self.popups, 5, what="File popup")
        self.status_becomes(language(501), "first File item")
        self.shoot_popup("menu_file")
        e2e.key("Down")
        self.status_becomes(language(502), "second File item")
        e2e.key("Down")
        self.status_becomes(restored, "separator")
        e2e.key("Down")
        self.status_becomes(language(500), "Exit")
        # To the Action popup: 503 first, then down to the greyed 518.
        e2e.key("Right")
        self.status_becomes(language(503), "Action's first item")
        self.shoot_popup("menu_action")
        for _ in range(5):
            e2e.key("Down")
        self.status_becomes(language(518), "greyed 518, highlighted")
        self.shoot_popup("menu_action_greyed_selected")
        e2e.key("Right")
        self.status_becomes(language(518), "Games' first item (518, enabled)")
        self.shoot_popup("menu_games")
        e2e.key("Right")
        self.status_becomes(language(507), "Options' first item")
        e2e.key("Down", "Down")
        self.status_becomes(language(508), "Always on top (checked)")
        self.shoot_popup("menu_options")
        e2e.key("Right")
        self.status_becomes(language(512), "Help's first item")
        self.shoot_popup("menu_help")
        # Closing the menu puts the selected game back.
        self.close_popups()
        self.status_becomes(restored, "menu closed")

    def test_system_menu_help(self):
        self.focus_main()
        restored = self.selected_description()
        e2e.key("F10")
        self.status_becomes(restored, "File title")
        e2e.key("Left")  # from the first title to the window's system menu
        self.status_becomes(language(2030), "system menu title")
        e2e.key("Down")
        e2e.wait_for(self.popups, 5, what="system menu")
        e2e.wait_for(lambda: self.v.status(0) != language(2030), 5, what="a system menu item")
        seen = []
        for _ in range(10):  # upwards, round to the last items: Close is among them
            e2e.key("Up")
            time.sleep(0.2)
            seen.append(self.v.status(0))
            if seen[-1] == language(61536):
                break
        self.assertEqual(seen[-1], language(61536), seen)
        self.shoot_popup("menu_system")
        self.close_popups()
        self.status_becomes(restored, "menu closed")

    def test_right_click_opens_the_action_popup_at_the_point(self):
        self.focus_main()
        bar = self.v.d.call("info", self.v.child(3000))["rect"]
        x, y = (bar[0] + bar[2]) // 2, (bar[1] + bar[3]) // 2
        e2e.click(x, y, button=3)
        shown = e2e.wait_for(self.popups, 5, what="context popup")
        self.assertEqual(len(shown), 1)
        r = shown[0]["rect"]
        # Shown at the point, or pushed up where the screen ends below it.
        self.assertEqual(r[0], x)
        self.assertTrue(r[1] == y or r[3] <= y + 1, r)
        e2e.key("Down")
        self.status_becomes(language(503), "the popup is Action's")
        self.shoot_popup("menu_context")
        e2e.key("Escape")
        e2e.wait_for(lambda: not self.popups(), 5, what="popup closed")

    def click_in_list(self, x, y):
        e2e.click(x, y)
        time.sleep(0.5)

    def test_context_menu_from_the_keyboard_opens_at_the_selected_row(self):
        lst = self.v.child(INSTALLED)
        row = self.v.d.call("lvrect", lst, 2)
        # A loaded machine can take a while with the click; a click that only activated is repeated.
        for _ in range(2):
            e2e.click(row[0] + 60, (row[1] + row[3]) // 2)
            try:
                e2e.wait_for(lambda: self.v.send(lst, LVM_GETNEXTITEM, -1, 2) == 2, 3, what="row 2 selected")
                break
            except AssertionError:
                pass
        self.assertEqual(self.v.send(lst, LVM_GETNEXTITEM, -1, 2), 2)
        e2e.key("shift+F10")
        shown = e2e.wait_for(self.popups, 5, what="keyboard context popup")
        r = shown[0]["rect"]
        list_rect = self.v.d.call("info", lst)["rect"]
        # Below the start of the row, not in the screen's far corner.
        self.assertTrue(list_rect[0] <= r[0] <= list_rect[0] + 8, (r, row, list_rect))
        self.assertEqual(r[1], row[3], (r, row))
        self.shoot_popup("menu_context_keyboard")
        e2e.key("Down")
        self.status_becomes(language(503), "the popup is Action's")
        self.close_popups()

    def test_context_menu_from_the_keyboard_without_a_selection_opens_at_the_list(self):
        lst = self.v.child(INSTALLED)
        count = self.v.send(lst, e2e.LVM_GETITEMCOUNT)
        last = self.v.d.call("lvrect", lst, count - 1)
        self.click_in_list(last[0] + 60, last[3] + 20)  # below the last row: no selection
        e2e.wait_for(lambda: self.v.send(lst, LVM_GETNEXTITEM, -1, 2) == -1, 5, what="no selection")
        e2e.key("shift+F10")
        shown = e2e.wait_for(self.popups, 5, what="keyboard context popup")
        r = shown[0]["rect"]
        list_rect = self.v.d.call("info", lst)["rect"]
        # The list's client area starts inside its sunken edge.
        self.assertTrue(0 <= r[0] - list_rect[0] <= 4 and 0 <= r[1] - list_rect[1] <= 4, (r, list_rect))
        self.close_popups()

    def test_context_menu_at_negative_pointer_coordinates(self):
        # A pointer on a monitor left of the primary one: x is -40. Read as an
        # unsigned word it would be 65496 and the popup would go to the right edge.
        sw = self.v.d.call("metric", 0)
        self.v.post(self.v.hwnd, 0x007B, self.v.hwnd, (300 << 16) | (-40 & 0xFFFF))  # WM_CONTEXTMENU
        shown = e2e.wait_for(self.popups, 5, what="context popup")
        r = shown[0]["rect"]
        self.assertLess(r[0], sw // 2, r)
        self.assertLessEqual(r[0], 0, r)  # at -40, or pushed onto the screen at its left edge
        self.assertEqual(r[1], 300, r)
        self.close_popups()


if __name__ == "__main__":
    e2e.main()
