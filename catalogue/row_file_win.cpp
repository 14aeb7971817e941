// Item data of the installed-games rows: the full path of each row's file.
#include "catalogue/row_file_win.h"
#include "shell/app_win.h"
#include <cstring>

LPARAM GetRowData(HWND list, int row) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageA(list, LVM_GETITEMA, 0, (LPARAM)&item)) return 0;
  return item.lParam;
}

void SetRowData(HWND list, int row, LPARAM data) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = data;
  SendMessageA(list, LVM_SETITEMA, 0, (LPARAM)&item);
}

LPARAM NewRowFile(const char* path) {
  if (!path || !path[0]) return 0;
  size_t n = strlen(path) + 1;
  char* copy = new char[n];
  memcpy(copy, path, n);
  return (LPARAM)copy;
}

void FreeRowFile(LPARAM file) { delete[] (char*)file; }

bool SetRowFile(HWND list, int row, const char* path) {
  if (!list || !path || !path[0] || row < 0 || row >= (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) return false;
  LPARAM copy = NewRowFile(path);
  LPARAM old = GetRowData(list, row);
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = copy;
  if (!SendMessageA(list, LVM_SETITEMA, 0, (LPARAM)&item)) {
    FreeRowFile(copy);
    return false;
  }
  FreeRowFile(old);
  return true;
}

void GetRowFile(HWND list, int row, char* out, size_t size) {
  if (!out || size == 0) return;
  out[0] = 0;
  if (row < 0) return;
  const char* path = (const char*)GetRowData(list, row);
  if (path) CopyText(out, size, path);
}

void ReleaseRowFile(const NMLISTVIEW* deleted) {
  if (!deleted || deleted->hdr.idFrom != IDC_INSTALLED_LIST) return;
  FreeRowFile(deleted->lParam);
}
