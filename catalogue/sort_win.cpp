// Sorting and search of the game lists. The sort reads each row's texts once,
// orders them in memory with the comparison of CompareListRows and writes back
// only the rows that moved, with redraw off: LVM_SORTITEMSEX with a callback that
// reads two texts per comparison takes seconds on a full catalogue.
#include "catalogue/sort_win.h"
#include "catalogue/column_order.h"
#include "catalogue/gamelist_win.h"
#include "catalogue/listview_win.h"
#include "catalogue/row_order.h"
#include "catalogue/row_file_win.h"
#include "catalogue/search_match.h"
#include "catalogue/sort_notes_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include "shell/lang_text.h"
#include <commctrl.h>
#include <map>
#include <set>
#include <string>
#include <vector>

static HWND g_sortList;
static int g_sortColumn;
static int g_sortAscending = 1;
static bool g_listsFilling;  // a rescan keeps redraw off until its rows are in

void NoteListsFilling(bool filling) { g_listsFilling = filling; }

// Played and Size of the two game lists go by number; the other-files list has neither.
static ColumnOrder OrderOfColumn(HWND list, int column) {
  return GameColumnOrder(GetDlgCtrlID(list) != IDC_OTHER_LIST, column);
}

int CALLBACK CompareListRows(LPARAM row1, LPARAM row2, LPARAM direction) {
  char a[kSortTextSize], b[kSortTextSize];
  GetListText(g_sortList, (int)row1, g_sortColumn, a, sizeof a);
  GetListText(g_sortList, (int)row2, g_sortColumn, b, sizeof b);
  return CompareColumnTexts(a, b, OrderOfColumn(g_sortList, g_sortColumn), (int)direction);
}

static int ColumnCount(HWND list) {
  HWND header = (HWND)SendMessageA(list, LVM_GETHEADER, 0, 0);
  int n = header ? (int)SendMessageA(header, HDM_GETITEMCOUNT, 0, 0) : 0;
  return n > 0 ? n : 1;
}

static const UINT kMovingStates = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED | LVIS_CUT;

// Reorders the rows of g_sortList by g_sortColumn as LVM_SORTITEMSEX with
// CompareListRows would: texts and states move with their rows.
static void SortRows(int direction) {
  HWND list = g_sortList;
  int n = GetListCount(list);
  if (n < 2) return;
  int columns = ColumnCount(list);
  std::vector<std::string> cells((size_t)n * columns);
  std::vector<std::string> keys(n);
  std::vector<UINT> states(n);
  std::vector<LPARAM> data(n);  // a row's file goes with its texts
  char text[kPathSize];
  for (int i = 0; i < n; ++i) {
    for (int c = 0; c < columns; ++c) {
      GetListText(list, i, c, text, sizeof text);
      cells[(size_t)i * columns + c] = text;
    }
    std::string& key = keys[i];
    key = g_sortColumn >= 0 && g_sortColumn < columns ? cells[(size_t)i * columns + g_sortColumn] : "";
    if (key.size() > kSortTextSize - 1) key.resize(kSortTextSize - 1);
    states[i] = (UINT)SendMessageA(list, LVM_GETITEMSTATE, (WPARAM)i, kMovingStates);
    data[i] = GetRowData(list, i);
  }
  std::vector<int> order = SortedColumnOrder(keys, OrderOfColumn(list, g_sortColumn), direction);
  bool filling = g_listsFilling;
  if (!filling) SetListRedraw(list, false);
  for (int i = 0; i < n; ++i) {
    int from = order[i];
    if (from == i) continue;
    for (int c = 0; c < columns; ++c) {
      const std::string& want = cells[(size_t)from * columns + c];
      if (want != cells[(size_t)i * columns + c]) SetListText(list, i, c, want.c_str());
    }
    if (data[from] != data[i]) SetRowData(list, i, data[from]);
    if (states[from] != states[i]) {
      LVITEMA s = {};
      s.state = states[from];
      s.stateMask = kMovingStates;
      SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)i, (LPARAM)&s);
    }
  }
  if (!filling) SetListRedraw(list, true);
}

struct StartupOrder {
  HWND list;
  std::vector<int> order;
};
static StartupOrder g_startupOrders[3];

void NoteStartupRowOrder(HWND list, const std::vector<int>& order) {
  for (StartupOrder& s : g_startupOrders) {
    if (s.list && s.list != list) continue;
    s.list = list;
    s.order = order;
    return;
  }
}

static const std::vector<int>* StartupOrderOf(HWND list) {
  for (const StartupOrder& s : g_startupOrders)
    if (list && s.list == list) return &s.order;
  return NULL;
}

// The rows of g_sortList are in sorted order already (`order` as in
// NoteStartupRowOrder), but their states are still where they were set by
// index: move them as SortRows does, touching only rows that have a state or
// receive one. False when the list does not hold those rows.
static bool MoveStatesOfSortedRows(const std::vector<int>& order) {
  HWND list = g_sortList;
  int n = GetListCount(list);
  if ((int)order.size() != n) return false;
  if (n < 2) return true;
  std::map<int, UINT> states;  // only rows with a state
  static const UINT kFlags[] = {LVNI_SELECTED, LVNI_FOCUSED, LVNI_DROPHILITED, LVNI_CUT};
  for (UINT flag : kFlags) {
    int i = -1;
    while ((i = (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)i, MAKELPARAM(flag, 0))) >= 0 && i < n) {
      UINT state = (UINT)SendMessageA(list, LVM_GETITEMSTATE, (WPARAM)i, kMovingStates);
      if (state) states[i] = state;
    }
  }
  std::vector<int> position(n);
  for (int i = 0; i < n; ++i) position[order[i]] = i;
  std::set<int> touched;
  for (const auto& s : states) {
    touched.insert(s.first);
    touched.insert(position[s.first]);
  }
  auto stateOf = [&](int i) {
    auto it = states.find(i);
    return it == states.end() ? 0u : it->second;
  };
  bool filling = g_listsFilling;
  if (!filling) SetListRedraw(list, false);
  for (int i : touched) {  // in ascending order, as SortRows goes
    int from = order[i];
    if (from == i || stateOf(from) == stateOf(i)) continue;
    LVITEMA s = {};
    s.state = stateOf(from);
    s.stateMask = kMovingStates;
    SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)i, (LPARAM)&s);
  }
  if (!filling) SetListRedraw(list, true);
  return true;
}

void SortListByColumn(HWND list, int column) {
  g_sortList = list;
  g_sortColumn = column;
  SortRows(g_sortAscending);
  g_sortAscending = g_sortAscending == 0 ? 1 : 0;
}

void SortListsAtStartup() {
  g_sortColumn = 0;
  static const int kLists[] = {IDC_SUPPORTED_LIST, IDC_INSTALLED_LIST, IDC_OTHER_LIST};
  for (int id : kLists) {
    g_sortList = MainList(id);
    const std::vector<int>* order = StartupOrderOf(g_sortList);
    if (!order || !MoveStatesOfSortedRows(*order)) SortRows(1);
  }
  for (StartupOrder& s : g_startupOrders) {
    s.list = NULL;
    s.order.clear();
  }
}

// ------------------------------------------------------------------ search

INT_PTR ShowSearchDialog() {
  return DialogBoxParamA(g_instance, "IDD_SEARCH", g_mainWindow, SearchDialogProc, 0);
}

static void SetDialogText(HWND dialog, int id, int key) {
  SetDlgItemTextA(dialog, id, GetLanguageString(key));
}

static BOOL OnSearchInit(HWND dialog) {
  SetWindowTextA(dialog, GetLanguageString(94));
  SetDialogText(dialog, IDOK, 94);
  SetDialogText(dialog, IDCANCEL, 95);
  SetDialogText(dialog, IDC_SEARCH_GROUP, 96);
  SetFocus(GetDlgItem(dialog, IDC_SEARCH_TEXT));
  return TRUE;
}

static HWND SearchedList() {
  HWND tabs = GetDlgItem(g_mainWindow, IDC_TABS);
  int page = tabs ? (int)SendMessageA(tabs, TCM_GETCURSEL, 0, 0) : 0;
  if (page == 1) return MainList(IDC_SUPPORTED_LIST);
  if (page == 2) return MainList(IDC_OTHER_LIST);
  return MainList(IDC_INSTALLED_LIST);
}

static void SetRowSelected(HWND list, int row, bool selected) {
  LVITEMA s = {};
  s.state = selected ? LVIS_SELECTED : 0;
  s.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED;
  SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)row, (LPARAM)&s);
}

// Selects the rows whose name or short name holds `needle`; returns the
// number of games found, a game that matches twice counted once.
static int SelectMatchingRows(HWND list, const char* needle) {
  int n = GetListCount(list);
  int games = 0;
  std::vector<char> found(n > 0 ? n : 0);
  char text[kPathSize];
  bool filling = g_listsFilling;
  if (!filling) SetListRedraw(list, false);
  for (int i = 0; i < n; ++i) {
    GetListText(list, i, 0, text, sizeof text);
    bool match = TextContainsFolded(text, needle);
    SetRowSelected(list, i, match);
    if (match) found[i] = 1, ++games;
  }
  // A list without a column 6 (the other-files list) has no short names to search.
  int shortNames = ColumnCount(list) > 6 ? n : 0;
  for (int i = 0; i < shortNames; ++i) {
    GetListText(list, i, 6, text, sizeof text);
    if (!TextContainsFolded(text, needle)) continue;
    SetRowSelected(list, i, true);
    if (!found[i]) found[i] = 1, ++games;
  }
  if (!filling) SetListRedraw(list, true);
  return games;
}

static void OnSearchOk(HWND dialog) {
  HWND list = SearchedList();
  char needle[kPathSize] = "";
  GetDlgItemTextA(dialog, IDC_SEARCH_TEXT, needle, sizeof needle);
  int games = SelectMatchingRows(list, needle);
  EndDialog(dialog, 1);
  char caption[1024], format[1024], message[1024];
  CopyText(caption, sizeof caption, GetLanguageString(102));
  CopyText(format, sizeof format, GetLanguageString(101));
  FormatWithInteger(message, sizeof message, format, games);
  MessageBoxA(g_mainWindow, message, caption, MB_ICONINFORMATION);
  SetFocus(list);
}

static INT_PTR OnSearchCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDOK: OnSearchOk(dialog); break;
    case IDCANCEL: EndDialog(dialog, 0); break;
  }
  return TRUE;
}

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnSearchInit(dialog);
    case WM_COMMAND:    return OnSearchCommand(dialog, wParam);
  }
  return FALSE;
}
