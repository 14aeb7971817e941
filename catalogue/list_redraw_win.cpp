// The redraw guard of the game lists. What a list should look like once its
// redraw is on again is kept as a window property while redraw is off, so it
// follows a page switch that happens in between (a rescan fills its lists over
// many messages).
#include "catalogue/list_redraw_win.h"

static const char kShownProperty[] = "VintorListShown";
enum { kRecordedHidden = 1, kRecordedShown = 2 };  // a property of 0 reads as none

static bool HasVisibleStyle(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

static void Record(HWND list, bool shown) {
  SetPropA(list, kShownProperty, (HANDLE)(INT_PTR)(shown ? kRecordedShown : kRecordedHidden));
}

void SetListRedraw(HWND list, bool on) {
  if (!list) return;
  if (!on) {
    if (!GetPropA(list, kShownProperty)) Record(list, HasVisibleStyle(list));
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    return;
  }
  INT_PTR recorded = (INT_PTR)RemovePropA(list, kShownProperty);
  bool shown = recorded ? recorded == kRecordedShown : HasVisibleStyle(list);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  if (HasVisibleStyle(list) != shown) ShowWindow(list, shown ? SW_SHOWNA : SW_HIDE);
  if (shown) InvalidateRect(list, NULL, TRUE);
}

void ShowPageControl(HWND control, bool show) {
  if (!control) return;
  if (GetPropA(control, kShownProperty)) Record(control, show);
  ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}
