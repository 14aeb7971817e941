// The three game lists: their creation with styles, icons and columns, the
// counters in the status bar, and a game's row in the supported-games list.
#include "catalogue/game_lists_win.h"
#include "catalogue/document_lookup.h"
#include "catalogue/listview_win.h"
#include "catalogue/short_name.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include "shell/statusbar_win.h"
#include <commctrl.h>
#include <cstdio>

struct ColumnSpec {
  int index;
  int heading;
  int width;
};

static const ColumnSpec kGameColumns[] = {
    {0, 24, 225}, {1, 25, 50}, {2, 26, 50}, {3, 27, 50}, {4, 28, 50}, {5, 29, 50}, {6, 30, 100}, {7, 72, 100},
};
// Inserted at 1, 2, 3, 3: in the empty, growing list that is columns 0 to 3.
static const ColumnSpec kOtherColumns[] = {{1, 31, 150}, {2, 32, 150}, {3, 91, 400}, {3, 33, 400}};

HWND CreateGameList(HWND parent, int id) {
  DWORD style = WS_CHILD | LVS_REPORT | LVS_SHOWSELALWAYS;
  if (id == IDC_INSTALLED_LIST) style |= WS_VISIBLE;
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, NULL, style, 25, 115, 500, 311, parent,
                              (HMENU)(INT_PTR)id, g_instance, NULL);
  if (!list) return NULL;
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x10021);
  int icon = id == IDC_SUPPORTED_LIST ? IDI_SUPPORTED_GAME : id == IDC_INSTALLED_LIST ? IDI_PROGRAM : IDI_OTHER_FILE;
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 7, 0);
  HICON h = (HICON)LoadImageA(g_instance, MAKEINTRESOURCEA(icon), IMAGE_ICON, 16, 16, 0);
  if (images && h) ImageList_AddIcon(images, h);
  if (h) DestroyIcon(h);
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)images);
  const ColumnSpec* columns = id == IDC_OTHER_LIST ? kOtherColumns : kGameColumns;
  int count = id == IDC_OTHER_LIST ? 4 : 8;
  for (int i = 0; i < count; ++i) {
    char heading[kPathSize];
    CopyText(heading, sizeof heading, GetLanguageString(columns[i].heading));
    LVCOLUMNA c = {};
    c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    c.fmt = LVCFMT_LEFT;
    c.cx = columns[i].width;
    c.pszText = heading;
    c.iSubItem = i;
    SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)columns[i].index, (LPARAM)&c);
  }
  return list;
}

int FindDocumentRow(const char* shortName) {
  HWND list = MainList(IDC_SUPPORTED_LIST);
  for (int i = GetListCount(list) - 1; i >= 0; --i) {
    char field[kPathSize], name[kPathSize];
    GetListText(list, i, 6, field, sizeof field);
    ShortNameFromDocumentField(field, name, sizeof name);
    if (FoldLower(name) == FoldLower(shortName)) return i;
  }
  return -1;
}

static void SetCounterPart(int part, int before, int count, int after) {
  char head[kPathSize], tail[kPathSize], text[kPathSize];
  CopyText(head, sizeof head, GetLanguageString(before));
  CopyText(tail, sizeof tail, GetLanguageString(after));
  snprintf(text, sizeof text, "%s%d%s", head, count, tail);
  SetStatusText(text, part);
}

void UpdateListCounters() {
  SetCounterPart(1, 43, GetListCount(MainList(IDC_INSTALLED_LIST)), 44);
  SetCounterPart(2, 45, GetListCount(MainList(IDC_SUPPORTED_LIST)), 44);
  SetCounterPart(3, 46, GetListCount(MainList(IDC_OTHER_LIST)), 47);
}
