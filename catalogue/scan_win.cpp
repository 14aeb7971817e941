// The ROM folder scan. The file work (document, folder search, counters, sizes,
// BIOS descriptions) runs on the scan's own thread; the rows then go into the
// lists on the user-interface thread in time slices with redraw off, because a
// message sent to a list from another thread costs about as much as a row.
#include "catalogue/scan_win.h"
#include "catalogue/gamelist_win.h"
#include "catalogue/listview_win.h"
#include "catalogue/document_lookup.h"
#include "catalogue/file_size_text.h"
#include "catalogue/ini_section.h"
#include "catalogue/row_file_win.h"
#include "catalogue/short_name.h"
#include "catalogue/row_order.h"
#include "catalogue/sort_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include "shell/statusbar_win.h"
#include "shell/lang_text.h"
#include "shell/startup_marks.h"
#include "shell/web_addresses.h"
#include <commctrl.h>
#include <commdlg.h>
#include <direct.h>
#include <process.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

// ---------------------------------------------------------------- the lists

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

// ------------------------------------------------------------ scan results

struct InstalledEntry {
  int docRow;
  std::string shortName, counter, size, path;
};

struct OtherEntry {
  std::string shortName, title, bios, path;
};

enum FillStage { kBegin, kClear, kInsert302, kInsert305, kInsert306, kDone };

// What one scan found; it lives only until its rows are in the lists.
struct ScanResult {
  std::vector<DocumentRow> doc;
  std::vector<int> lastEntry;  // per document row: the installed entry written last, or -1
  std::vector<InstalledEntry> installed;
  std::vector<OtherEntry> other;
  FillStage stage = kBegin;
  size_t next = 0;
  HWND lists[3] = {};  // 302, 305, 306: GetDlgItem per row would cost a server call each under Wine
  bool sliced = false;  // filled in slices between messages (a rescan), not at once (start-up)
  bool startupOrder = false;  // rows go in already in the order of the first sort
  std::vector<int> order[3];  // per list, when startupOrder: the row (found order) at each position
};

static void CollectDocumentRow(const DocumentRow& row, void* context) {
  ((ScanResult*)context)->doc.push_back(row);
}

// Names of the counter files that exist, so that missing ones are not opened one by one.
static std::unordered_set<std::string> ExistingCounterFiles() {
  std::unordered_set<std::string> names;
  char pattern[kPathSize];
  CopyText(pattern, sizeof pattern, g_paths.counterFolder);
  AppendText(pattern, sizeof pattern, "*.ini");
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(pattern, &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do names.insert(FoldLower(fd.cFileName));
  while (FindNextFileA(h, &fd));
  FindClose(h);
  return names;
}

static std::string ReadCounterText(const std::unordered_set<std::string>& existing, const char* shortName) {
  std::string file = FoldLower(shortName) + ".ini";
  if (!existing.count(file)) return "0";
  char path[kPathSize];
  CopyText(path, sizeof path, g_paths.counterFolder);
  AppendText(path, sizeof path, shortName);
  AppendText(path, sizeof path, ".ini");
  char text[kPathSize];
  GetPrivateProfileStringA("OPTIONS", "Runs", "0", text, sizeof text, path);
  return text;
}

// The 64-bit length that the folder search already gives: opening every
// archive only to ask its length costs a server round trip each. A folder has
// no length and shows no size.
static std::string SizeTextOf(const WIN32_FIND_DATAA& fd) {
  long long length = -1;
  if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    length = (long long)(((unsigned long long)fd.nFileSizeHigh << 32) | fd.nFileSizeLow);
  char text[32];
  FormatFileSizeTo(length, text, sizeof text);
  return text;
}

// Section BIOS of the settings file, read once per scan.
static IniSection ReadBiosSection() {
  IniSection section;
  std::vector<char> buffer(32 * 1024);
  for (;;) {
    DWORD n = GetPrivateProfileSectionA("BIOS", buffer.data(), (DWORD)buffer.size(), g_paths.settingsFile);
    if (n + 2 < buffer.size() || buffer.size() >= (64u << 20)) {
      buffer[n < buffer.size() ? n : buffer.size() - 1] = 0;
      section.Parse(buffer.data(), n);
      return section;
    }
    buffer.resize(buffer.size() * 4);
  }
}

struct ScanContext {
  DocumentLookup lookup;
  std::unordered_set<std::string> counters;
  IniSection bios;
};

static void ExamineEntry(ScanResult* r, const ScanContext& c, const WIN32_FIND_DATAA& fd) {
  const char* foundName = fd.cFileName;
  // Built from the ROM folder, never from the current folder, which other
  // commands change while a rescan runs. A path too long to hold stays empty.
  char full[kPathSize] = "";
  JoinFolderAndName(g_paths.romFolder, foundName, full, sizeof full);
  char title[kPathSize] = "";
  if (GetFileTitleA(full[0] ? full : foundName, title, sizeof title) != 0) CopyText(title, sizeof title, foundName);
  title[sizeof title - 1] = 0;
  char shortName[kPathSize];
  ShortNameFromTitle(title, shortName, sizeof shortName);
  int row = c.lookup.Find(shortName);
  if (row < 0) {
    OtherEntry e;
    e.shortName = shortName;
    e.title = title;
    e.path = full;
    char key[kPathSize];
    CopyText(key, sizeof key, shortName);
    AppendText(key, sizeof key, ".zip");
    e.bios = c.bios.Get(key, "", kPathSize - 1);
    r->other.push_back(e);
    return;
  }
  InstalledEntry e;
  e.docRow = row;
  e.shortName = shortName;
  e.counter = ReadCounterText(c.counters, shortName);
  e.size = SizeTextOf(fd);
  e.path = full;
  r->lastEntry[row] = (int)r->installed.size();
  r->installed.push_back(e);
}

// The file work of a scan; touches no control, so it can run on any thread.
static void CollectScan(ScanResult* r) {
  FILE* f = fopen(g_paths.gameListDocument, "r");
  if (f) {
    ReadGameListTable(f, CollectDocumentRow, r);
    fclose(f);
  }
  MarkStartup("scan: document parse");
  r->lastEntry.assign(r->doc.size(), -1);
  ScanContext c;
  for (size_t i = 0; i < r->doc.size(); ++i) {
    char name[kPathSize];
    ShortNameFromDocumentField(r->doc[i].shortField, name, sizeof name);
    c.lookup.Add(name, (int)i);
  }
  MarkStartup("scan: short-name table");
  if (_chdir(g_paths.romFolder) != 0) return;
  c.counters = ExistingCounterFiles();
  c.bios = ReadBiosSection();
  MarkStartup("scan: counter files, BIOS");
  char pattern[kPathSize];
  if (!JoinFolderAndName(g_paths.romFolder, "*", pattern, sizeof pattern)) return;
  WIN32_FIND_DATAA fd;
  HANDLE search = FindFirstFileA(pattern, &fd);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    fd.cFileName[sizeof fd.cFileName - 1] = 0;
    if (strcmp(fd.cFileName, ".") == 0 || strcmp(fd.cFileName, "..") == 0) continue;
    ExamineEntry(r, c, fd);
  } while (FindNextFileA(search, &fd));
  FindClose(search);
  MarkStartup("scan: folder search");
}

// ------------------------------------------------------ filling the lists

static LONG g_scanBusy;          // a scan is between its start and its filled lists
static bool g_inStartupOrder;    // the scan running on this thread is the start-up's
static bool g_rescanPending;     // a rescan was asked for while one ran
static ScanResult* g_filling;    // the result being put into the lists

bool ScanInProgress() { return g_scanBusy != 0; }
bool ScanIsFilling() { return g_filling != NULL; }

static void EnableControl(int id, BOOL on) {
  HWND w = GetDlgItem(g_mainWindow, id);
  if (w) EnableWindow(w, on);
}

static void DisableScanButtons() {
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
      SetRowFile(r->lists[1], InsertListRow(r->lists[1], (int)at, texts, 8), e.path.c_str());
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

// Fills rows until the stages are done or `budgetMs` has passed (0: no limit).
// Returns true when everything is in the lists.
static bool FillSlice(ScanResult* r, DWORD budgetMs) {
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

static void FinishFill(ScanResult* r) {
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

static void CALLBACK ContinueFillTimer(HWND, UINT, UINT_PTR id, DWORD);

// Slices follow each other as posted messages; when input waits, the next
// slice comes by a timer instead, because posted messages go before input.
static void ScheduleNextSlice() {
  if (HIWORD(GetQueueStatus(QS_INPUT)) != 0 && SetTimer(NULL, 0, 1, ContinueFillTimer)) return;
  if (!PostMessageA(g_mainWindow, WM_APP_SCAN_RESULT, 1, 0)) SetTimer(NULL, 0, 1, ContinueFillTimer);
}

static void FillNextSlice() {
  ScanResult* r = g_filling;
  if (!r) return;
  if (!FillSlice(r, 40)) {
    ScheduleNextSlice();
    return;
  }
  g_filling = NULL;
  FinishFill(r);
  InterlockedExchange(&g_scanBusy, 0);
  if (g_rescanPending) {
    g_rescanPending = false;
    StartRescanThread();
  }
}

static void CALLBACK ContinueFillTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(NULL, id);
  FillNextSlice();
}

// wParam 0: a scan thread's result (lParam) arrives; 1: fill the next slice.
LRESULT HandleScanMessage(WPARAM wParam, LPARAM lParam) {
  if (wParam == 0) {
    ScanResult* r = (ScanResult*)lParam;
    if (!r) return 0;
    if (g_filling) {  // cannot happen with one scan at a time; never lose the rows in the lists
      delete r;
      return 0;
    }
    r->sliced = true;
    g_filling = r;
  }
  FillNextSlice();
  return 0;
}

static bool OnUserInterfaceThread() {
  return GetWindowThreadProcessId(g_mainWindow, NULL) == GetCurrentThreadId();
}

void ScanRomFolder() {
  if (!OnUserInterfaceThread()) {
    // A scan thread: the file work here, the lists on the user-interface thread.
    InterlockedExchange(&g_scanBusy, 1);
    DisableScanButtons();
    ScanResult* r = new ScanResult;
    CollectScan(r);
    if (!PostMessageA(g_mainWindow, WM_APP_SCAN_RESULT, 0, (LPARAM)r)) {
      delete r;
      InterlockedExchange(&g_scanBusy, 0);
    }
    return;
  }
  if (g_scanBusy) {  // a rescan is under way: one more follows it
    g_rescanPending = true;
    return;
  }
  InterlockedExchange(&g_scanBusy, 1);
  DisableScanButtons();
  ScanResult* r = new ScanResult;
  r->startupOrder = g_inStartupOrder;
  CollectScan(r);
  FillSlice(r, 0);
  FinishFill(r);
  InterlockedExchange(&g_scanBusy, 0);
}

void ScanRomFolderInStartupOrder() {
  g_inStartupOrder = true;
  ScanRomFolder();
  g_inStartupOrder = false;
}

static void __cdecl RescanThread(void*) {
  ScanRomFolder();
}

void StartRescanThread() {
  if (InterlockedCompareExchange(&g_scanBusy, 1, 0) != 0) {
    g_rescanPending = true;
    return;
  }
  DisableScanButtons();
  if (_beginthread(RescanThread, 0, NULL) == (uintptr_t)-1L) {
    InterlockedExchange(&g_scanBusy, 0);
    ScanRomFolder();  // no thread to be had: scan here rather than not at all
  }
}

// ------------------------------------------------------------ lookups etc.

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
