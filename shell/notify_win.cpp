// WM_NOTIFY of the main window. The list notifications follow the keyboard
// focus, not the sender: a list that reports while another control has the
// focus is ignored.
#include "shell/notify_win.h"
#include "shell/app_win.h"
#include "shell/gameinfo_win.h"
#include "shell/menu_help.h"
#include "shell/tabpages_win.h"
#include "catalogue/listview_win.h"
#include "catalogue/row_file_win.h"
#include "catalogue/sort_win.h"
#include "launch/launch_win.h"

// The focus window when it is one of the two game lists, else null.
static HWND FocusedGameList() {
  HWND focus = GetFocus();
  if (!focus || GetParent(focus) != g_mainWindow) return NULL;
  int id = GetDlgCtrlID(focus);
  return (id == IDC_INSTALLED_LIST || id == IDC_SUPPORTED_LIST) ? focus : NULL;
}

static void OnTabChange(NMHDR* header) {
  if (header->idFrom != IDC_TABS) return;
  SwitchTabPage();
  UpdateSelectedGameInfo();
}

static void OnListKey(NMLVKEYDOWN* key) {
  HWND list = FocusedGameList();
  if (!list) return;
  int count = GetListCount(list);
  if (count <= 0) return;  // nothing to show in an empty list; keep what is there
  int selected = GetNextListItem(list, LVNI_FOCUSED | LVNI_SELECTED);
  ShowGameInfo(list, PredictKeyItem(selected, key->wVKey, count));
}

// NM_CLICK is shared by every common control; only a list view's carries an item.
static bool SentByListView(NMHDR* header) {
  char name[32] = "";
  GetClassNameA(header->hwndFrom, name, sizeof name);
  return lstrcmpiA(name, WC_LISTVIEWA) == 0;
}

static void OnListClick(NMITEMACTIVATE* click) {
  HWND list = FocusedGameList();
  if (list && SentByListView(&click->hdr)) ShowGameInfo(list, click->iItem);
}

// Some list views send the activation by Enter as a bare header, without the
// item fields; the activated item is always the focused one, so that is read
// from the list and the notification's item serves only when none is focused.
static void OnListActivate(NMITEMACTIVATE* activation) {
  HWND list = FocusedGameList();
  if (!list || GetDlgCtrlID(list) != IDC_INSTALLED_LIST) return;
  int item = GetNextListItem(list, LVNI_FOCUSED);
  if (item < 0 && activation->iItem < GetListCount(list)) item = activation->iItem;
  StartGame(item);
}

static void OnColumnClick(NMLISTVIEW* column) {
  SortListByColumn(column->hdr.hwndFrom, column->iSubItem);
}

LRESULT HandleMainNotify(HWND, NMHDR* header) {
  if (!header) return 0;
  switch (header->code) {
    case TCN_SELCHANGE:    OnTabChange(header); break;
    case LVN_KEYDOWN:      OnListKey((NMLVKEYDOWN*)header); break;
    case NM_CLICK:         OnListClick((NMITEMACTIVATE*)header); break;
    case LVN_ITEMACTIVATE: OnListActivate((NMITEMACTIVATE*)header); break;
    case LVN_COLUMNCLICK:  OnColumnClick((NMLISTVIEW*)header); break;
    case LVN_DELETEITEM:   ReleaseRowFile((NMLISTVIEW*)header); break;
  }
  return 0;
}
