// The context menu at the pointer, or for the keyboard at the selected row of
// the game list in view: the keyboard's point (-1, -1) would put it in a corner.
#include "shell/contextmenu_win.h"
#include "shell/context_menu_point.h"
#include "shell/app_win.h"
#include "catalogue/listview_win.h"
#include "controls/ownermenu_win.h"

static PixelRect ScreenRect(HWND window, RECT r) {
  MapWindowPoints(window, NULL, (POINT*)&r, 2);
  PixelRect p = {r.left, r.top, r.right, r.bottom};
  return p;
}

// The list the keys were pressed in, else the game list of the page in view.
static HWND ListInView(HWND source) {
  static const int kLists[] = {IDC_INSTALLED_LIST, IDC_SUPPORTED_LIST, IDC_OTHER_LIST};
  for (int id : kLists)
    if (source && source == GetDlgItem(g_mainWindow, id)) return source;
  for (int id : kLists) {
    HWND list = GetDlgItem(g_mainWindow, id);
    if (list && IsWindowVisible(list)) return list;
  }
  return NULL;
}

static MenuPoint KeyboardPoint(HWND window, HWND source) {
  HWND list = ListInView(source);
  RECT client = {};
  if (!list) {  // a page without a list: the corner of the window the keys were pressed in
    HWND at = source && IsWindow(source) ? source : window;
    GetClientRect(at, &client);
    PixelRect r = ScreenRect(at, client);
    return KeyboardMenuPoint(NULL, r);
  }
  GetClientRect(list, &client);
  PixelRect area = ScreenRect(list, client);
  int item = GetNextListItem(list, LVNI_SELECTED);
  RECT bounds = {};
  bounds.left = LVIR_BOUNDS;
  if (item < 0 || !SendMessageA(list, LVM_GETITEMRECT, (WPARAM)item, (LPARAM)&bounds))
    return KeyboardMenuPoint(NULL, area);
  PixelRect row = ScreenRect(list, bounds);
  return KeyboardMenuPoint(&row, area);
}

void ShowMainContextMenu(HWND window, HWND source, LPARAM packed) {
  MenuPoint p = ContextMenuPoint((long long)packed);
  if (IsKeyboardMenuPoint(p)) p = KeyboardPoint(window, source);
  ShowMenuBarPopup(window, MAKELPARAM((WORD)(short)p.x, (WORD)(short)p.y), 1);
}
