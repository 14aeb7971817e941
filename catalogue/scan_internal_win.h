// What the parts of the ROM folder scan share: the result of one scan, which
// the folder search fills on the scan's thread and the list filling empties on
// the user-interface thread. Not for users of the scan (catalogue/scan_win.h).
#pragma once
#include <windows.h>
#include "catalogue/gamelist_parse.h"
#include <string>
#include <vector>

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

// The file work (scan_search_win.cpp): the document, the folder search and
// each entry's row. Touches no control, so it can run on any thread.
void CollectScan(ScanResult* r);

// Putting the rows into the lists (scan_fill_win.cpp).
// Fills rows until the stages are done or `budgetMs` has passed (0: no limit).
// Returns true when everything is in the lists.
bool FillSlice(ScanResult* r, DWORD budgetMs);
// Redraw back on, the buttons and counters after the lists; deletes `r`.
void FinishFill(ScanResult* r);
// Play, Rescan and Delete wait for the scan's end.
void DisableScanButtons();
