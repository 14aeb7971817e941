// The rows of a scan into the three lists, with redraw off: at once at
// start-up, in time slices for a rescan. At start-up the rows go in in the
// order of the first sort, which the sort is then told.
#include "catalogue/scan_internal_win.h"
#include "catalogue/game_lists_win.h"
#include "catalogue/gamelist_win.h"
#include "catalogue/listview_win.h"
#include "catalogue/row_file_win.h"
#include "catalogue/row_order.h"
#include "catalogue/sort_notes_win.h"
#include "shell/app_win.h"
#include "shell/startup_marks.h"
#include <commctrl.h>
#include <string>
#include <vector>

static void EnableControl(int id, BOOL on) {
  HWND w = GetDlgItem(g_mainWindow, id);
  if (w) EnableWindow(w, on);
}

void DisableScanButtons() {
  EnableControl(CMD_PLAY, FALSE);
  EnableControl(CMD_RESCAN, FALSE);
  EnableControl(CMD_DELETE, FALSE);
}

static const char* CounterOf(const ScanResult* r, size_t row) {
  int e = r->lastEntry[row];
  return e < 0 ? "0" : r->installed[e].counter.c_str();
}

static const char* SizeOf(const ScanResult* r, size_t row) {
  int e = r->lastEntry[row];
  return e < 0 ? "" : r->installed[e].size.c_str();
}

// The first sort's order (column 0, ascending) of each list's rows.
static void OrderRowsForStartup(ScanResult* r) {
  std::vector<std::string> keys;
  keys.reserve(r->doc.size());
  for (const DocumentRow& d : r->doc) keys.push_back(d.name);
  r->order[0] = SortedRowOrder(keys, 1);
  keys.clear();
  for (const InstalledEntry& e : r->installed) keys.push_back(r->doc[e.docRow].name);
  r->order[1] = SortedRowOrder(keys, 1);
  keys.clear();
  for (const OtherEntry& e : r->other) keys.push_back(e.shortName);
  r->order[2] = SortedRowOrder(keys, 1);
}

// The found row that goes to position `at` of list k (0: 302, 1: 305, 2: 306).
static size_t RowAt(const ScanResult* r, int k, size_t at) {
  return r->order[k].empty() ? at : (size_t)r->order[k][at];
}

// Refilling a list with redraw off costs less inside Wine's list view than
// reading its rows back to find what changed.
static void BeginFill(ScanResult* r) {
  r->lists[0] = MainList(IDC_SUPPORTED_LIST);
  r->lists[1] = MainList(IDC_INSTALLED_LIST);
  r->lists[2] = MainList(IDC_OTHER_LIST);
  for (HWND list : r->lists) {
    SetListRedraw(list, false);
    // Emptying a full list at once takes longer than a slice may; a rescan
    // removes the rows one by one from the end instead.
    if (!r->sliced) SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  }
  r->next = 0;
  r->stage = r->sliced ? kClear : kInsert302;
  if (r->startupOrder) OrderRowsForStartup(r);
}

// One row less in the first list that still has rows; next becomes 1 when all are empty.
static void ClearOneRow(ScanResult* r) {
  for (HWND list : r->lists) {
    int n = GetListCount(list);
    if (n > 0) {
      SendMessageA(list, LVM_DELETEITEM, (WPARAM)(n - 1), 0);
      return;
    }
  }
  r->next = 1;
}

static void FillOneRow(ScanResult* r) {
  size_t at = r->next;
  switch (r->stage) {
    case kClear:
      ClearOneRow(r);
      return;
    case kInsert302: {
      size_t i = RowAt(r, 0, at);
      const char* texts[8];
      DocumentRowTexts(r->doc[i], CounterOf(r, i), SizeOf(r, i), texts);
      InsertListRow(r->lists[0], (int)at, texts, 8);
      break;
    }
    case kInsert305: {
      const InstalledEntry& e = r->installed[RowAt(r, 1, at)];
      const char* texts[8];
      DocumentRowTexts(r->doc[e.docRow], e.counter.c_str(), e.size.c_str(), texts);
      texts[6] = e.shortName.c_str();
      LPARAM file = NewRowFile(e.path.c_str());
      if (InsertListRow(r->lists[1], (int)at, texts, 8, file) < 0) FreeRowFile(file);
      break;
    }
    case kInsert306: {
      const OtherEntry& e = r->other[RowAt(r, 2, at)];
      const char* texts[4] = {e.shortName.c_str(), e.title.c_str(), e.bios.c_str(), e.path.c_str()};
      InsertListRow(r->lists[2], (int)at, texts, 4);
      break;
    }
    default:
      return;
  }
  ++r->next;
}

static size_t StageLength(const ScanResult* r) {
  switch (r->stage) {
    case kClear: return 1;
    case kInsert302: return r->doc.size();
    case kInsert305: return r->installed.size();
    case kInsert306: return r->other.size();
    default: return 0;
  }
}

static void NextStage(ScanResult* r) {
  r->next = 0;
  switch (r->stage) {
    case kClear: r->stage = kInsert302; break;
    case kInsert302: r->stage = kInsert305; break;
    case kInsert305: r->stage = kInsert306; break;
    default: r->stage = kDone; break;
  }
}

static const char* const kStageMarks[] = {"", "scan: empty the lists", "scan: rows into 302", "scan: rows into 305",
                                         "scan: rows into 306", ""};

bool FillSlice(ScanResult* r, DWORD budgetMs) {
  if (r->stage == kBegin) {
    BeginFill(r);
    if (!r->sliced) MarkStartup("scan: empty the lists");
  }
  DWORD start = GetTickCount();
  unsigned sinceCheck = 0;
  while (r->stage != kDone) {
    if (r->next >= StageLength(r)) {
      if (!r->sliced) MarkStartup(kStageMarks[r->stage]);
      NextStage(r);
      continue;
    }
    FillOneRow(r);
    if (budgetMs && ++sinceCheck >= 32) {
      sinceCheck = 0;
      if (GetTickCount() - start >= budgetMs) return false;
    }
  }
  return true;
}

static void EnableButtonsByPage() {
  EnableControl(CMD_PLAY, TRUE);
  EnableControl(CMD_RESCAN, TRUE);
  EnableControl(CMD_DELETE, TRUE);
  HWND tabs = GetDlgItem(g_mainWindow, IDC_TABS);
  int page = tabs ? (int)SendMessageA(tabs, TCM_GETCURSEL, 0, 0) : -1;
  if (page == 0) {
    BOOL any = GetListCount(MainList(IDC_INSTALLED_LIST)) > 0;
    EnableControl(CMD_DELETE, any);
    EnableControl(CMD_PLAY, any);
  } else if (page == 2) {
    EnableControl(CMD_DELETE, GetListCount(MainList(IDC_OTHER_LIST)) > 0);
  }
}

void FinishFill(ScanResult* r) {
  SetListRedraw(MainList(IDC_SUPPORTED_LIST), true);
  SetListRedraw(MainList(IDC_INSTALLED_LIST), true);
  SetListRedraw(MainList(IDC_OTHER_LIST), true);
  // A scan that could not search roms\ still leaves lists behind (emptied):
  // the buttons and counters follow them as after any other scan.
  EnableButtonsByPage();
  UpdateListCounters();
  MarkStartup("scan: redraw on, counters");
  if (r->startupOrder)
    for (int k = 0; k < 3; ++k) NoteStartupRowOrder(r->lists[k], r->order[k]);
  delete r;
}
