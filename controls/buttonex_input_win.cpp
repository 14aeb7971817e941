// ButtonEx: mouse and keyboard. The plain, hovering and latching behaviours of
// a press and release, the click notification, Tab, Space and Return, and the
// Alt mnemonics. The window procedure (buttonex_win.cpp) hands these on.
#include "controls/buttonex_internal_win.h"

static void Notify(HWND button) {
  const int id = GetDlgCtrlID(button);
  SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM((WORD)id, 0), (LPARAM)button);
}

// Space, Return and the mnemonic press the button as a mouse click at (10, 10).
static void SimulatedClick(HWND button) {
  SendMessageA(button, WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
  Sleep(100);
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

static BOOL CALLBACK ReleaseLatchProc(HWND window, LPARAM) {
  ButtonExData* d = ButtonExRecord(window);
  if (d && (d->style & BXS_LATCH)) {
    d->latched = 0;
    d->atRest = 1;
    ButtonExRedraw(window);
  }
  return TRUE;
}

// Every latching button among the parent's descendants comes up.
static void ReleaseLatchGroup(HWND button) {
  HWND parent = GetParent(button);
  if (parent) EnumChildWindows(parent, ReleaseLatchProc, 0);
  else ReleaseLatchProc(button, 0);
}

// ---------------------------------------------------------------------------
// Mouse

static void PressStateSet(int on) {
  g_bx.pressedInside = g_bx.buttonDown = g_bx.lastShownInside = on;
}

static int CursorOver(HWND button) {
  POINT pt;
  RECT wr;
  if (!GetCursorPos(&pt) || !GetWindowRect(button, &wr)) return 0;
  return PtInRect(&wr, pt) ? 1 : 0;
}

// The end every release shares, whatever the behaviour.
static void FinishRelease(HWND button, ButtonExData* d, int over, int notify) {
  PressStateSet(0);
  if (over && d->pressed) {
    HWND before = SetFocus(button);
    if (before && before != button) SendMessageA(before, WM_KILLFOCUS, 0, 0);
  }
  ButtonExRedraw(button);
  UpdateWindow(button);
  if (notify) {
    Notify(button);
    // The parent may have destroyed the button while it handled the click.
    d = ButtonExRecord(button);
    if (!d) return;
  }
  d->pressed = 0;
}

LRESULT ButtonExOnLButtonDown(HWND button, ButtonExData* d) {
  PressStateSet(1);
  if (ButtonExBehaviourOf(d->style) == BX_PLAIN) {
    SetCapture(button);
  } else {
    d->atRest = 0;  // the capture taken on entry stays
    d->hot = 0;
  }
  d->pressed = 1;
  if (!d->latched) ButtonExRedraw(button);
  UpdateWindow(button);
  return 0;
}

static void PlainMouseMove(HWND button, ButtonExData* d, LPARAM lParam) {
  if (!g_bx.buttonDown) return;
  g_bx.pressedInside = ButtonExPointerInside(LOWORD(lParam), HIWORD(lParam), d->width, d->height,
                                             g_bx.pressedInside);
  if (g_bx.pressedInside != g_bx.lastShownInside) {
    ButtonExRedraw(button);
    g_bx.lastShownInside = g_bx.pressedInside;
  }
}

static void HoverMouseMove(HWND button, ButtonExData* d) {
  if (!d->hot && d->atRest) {
    SetCapture(button);
    d->hot = 1;
    d->atRest = 0;
    ButtonExRedraw(button);
  } else if (!CursorOver(button)) {
    ReleaseCapture();
    d->hot = 0;
    if (!d->latched) d->atRest = 1;
    d->pressed = 0;
    ButtonExRedraw(button);
  }
}

LRESULT ButtonExOnMouseMove(HWND button, ButtonExData* d, LPARAM lParam) {
  if (ButtonExBehaviourOf(d->style) == BX_PLAIN) PlainMouseMove(button, d, lParam);
  else HoverMouseMove(button, d);
  return 0;
}

LRESULT ButtonExOnLButtonUp(HWND button, ButtonExData* d) {
  int over = 1;
  int notify = 0;
  switch (ButtonExBehaviourOf(d->style)) {
    case BX_PLAIN:
      over = CursorOver(button);
      ReleaseCapture();
      // A release that this button never saw go down is no click.
      notify = g_bx.pressedInside && d->pressed;
      break;
    case BX_HOVERING:
      notify = !d->hot && d->pressed;
      d->atRest = 0;
      d->hot = 1;
      break;
    case BX_LATCHING:
      if (d->pressed) {
        if (!d->latched) {
          ReleaseLatchGroup(button);
          notify = !d->hot;
        }
        d->atRest = 0;
        d->latched = 1;
      }
      break;
  }
  FinishRelease(button, d, over, notify);
  return 0;
}

// ---------------------------------------------------------------------------
// Keyboard

LRESULT ButtonExOnKeyUp(HWND button, ButtonExData* d, WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_TAB && (d->style & BX_WS_TABSTOP)) {
    HWND parent = GetParent(button);
    HWND next = parent ? GetNextDlgTabItem(parent, button, FALSE) : NULL;
    if (next) SetFocus(next);
    else if (parent) SendMessageA(parent, WM_KEYUP, wParam, lParam);
  } else if (wParam == VK_SPACE || wParam == VK_RETURN) {
    SimulatedClick(button);
  }
  return 0;
}

static BOOL CALLBACK MnemonicProc(HWND window, LPARAM key) {
  ButtonExData* d = ButtonExRecord(window);
  // A disabled or hidden button cannot be clicked, not even by its letter.
  if (d && d->text && ButtonExMnemonic(d->text) == (int)key && IsWindowEnabled(window) &&
      IsWindowVisible(window)) {
    SetFocus(window);
    SimulatedClick(window);
  }
  return TRUE;
}

// Alt held with a key: every button whose text has '&' before that key is clicked.
LRESULT ButtonExOnSysKeyUp(HWND button, WPARAM wParam) {
  if (wParam == 0 || wParam > 0xFF) return 0;
  HWND parent = GetParent(button);
  if (parent) EnumChildWindows(parent, MnemonicProc, (LPARAM)wParam);
  else MnemonicProc(button, (LPARAM)wParam);
  return 0;
}

LRESULT ButtonExOnSysKeyDown(HWND button, WPARAM wParam, LPARAM lParam) {
  if (wParam != VK_F4) return 0;
  ReleaseCapture();  // so that Alt+F4 reaches the top-level window
  return DefWindowProcA(button, WM_SYSKEYDOWN, wParam, lParam);
}
