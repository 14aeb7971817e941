// List-view cell access shared by the scan, sort, search, commands and launches.
#include "catalogue/listview_win.h"
#include "shell/app_win.h"

void GetListText(HWND list, int item, int column, char* buffer, int size) {
  if (!buffer || size <= 0) return;
  buffer[0] = 0;
  LVITEMA lv = {};
  lv.iSubItem = column;
  lv.pszText = buffer;
  lv.cchTextMax = size;
  SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)item, (LPARAM)&lv);
  buffer[size - 1] = 0;
}

void SetListText(HWND list, int item, int column, const char* text) {
  LVITEMA lv = {};
  lv.iSubItem = column;
  lv.pszText = (LPSTR)text;
  SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)item, (LPARAM)&lv);
}

int GetListCount(HWND list) {
  return (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
}

int GetNextListItem(HWND list, UINT flags) {
  return (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(flags, 0));
}

HWND MainList(int id) {
  return GetDlgItem(g_mainWindow, id);
}
