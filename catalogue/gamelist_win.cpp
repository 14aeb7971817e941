// The game list document into the supported-games list (302), with redraw off
// while the rows go in: inside a list view that redraws, each row costs a paint.
#include "catalogue/gamelist_win.h"
#include "catalogue/listview_win.h"
#include "shell/app_win.h"
#include <commctrl.h>
#include <cstdio>

int InsertListRow(HWND list, int index, const char* const* texts, int columns, LPARAM data) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE | (data ? LVIF_PARAM : 0);
  item.iItem = index;
  item.lParam = data;
  item.pszText = (LPSTR)(texts[0] ? texts[0] : "");
  int at = (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
  if (at < 0) return -1;
  for (int c = 1; c < columns; ++c)  // a new row's cells are empty already
    if (texts[c] && texts[c][0]) SetListText(list, at, c, texts[c]);
  return at;
}

void DocumentRowTexts(const DocumentRow& row, const char* counter, const char* size, const char* texts[8]) {
  texts[0] = row.name;
  texts[1] = counter;
  texts[2] = row.status[0];
  texts[3] = row.status[1];
  texts[4] = row.status[2];
  texts[5] = row.status[3];
  texts[6] = row.shortField;
  texts[7] = size;
}

struct LoadContext {
  HWND list;
  int next;
};

static void InsertDocumentRow(const DocumentRow& row, void* context) {
  LoadContext* c = (LoadContext*)context;
  const char* texts[8];
  DocumentRowTexts(row, "0", NULL, texts);  // column 7 stays empty
  InsertListRow(c->list, c->next++, texts, 7);
}

void LoadGameListDocument() {
  HWND list = GetDlgItem(g_mainWindow, IDC_SUPPORTED_LIST);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  FILE* f = fopen(g_paths.gameListDocument, "r");
  if (!f) return;
  SetListRedraw(list, false);
  LoadContext c = {list, GetListCount(list)};
  ReadGameListTable(f, InsertDocumentRow, &c);
  fclose(f);
  SetListRedraw(list, true);
}
