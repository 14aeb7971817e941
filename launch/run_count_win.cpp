// Counter files and the counter cells of both game lists. The cells are found
// by the game's short name, never by a row index kept from the start: a rescan
// may have rebuilt the lists since.
#include "launch/run_count_win.h"
#include "launch/compose.h"
#include "catalogue/game_lists_win.h"
#include "catalogue/listview_win.h"
#include "catalogue/scan_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_afterScan;  // games whose cells a running rescan may overwrite
UINT_PTR g_afterScanTimer;

int StoredRuns(const char* path) { return (int)GetPrivateProfileIntA("OPTIONS", "Runs", 0, path); }

void SetCells(const char* shortName, int count) {
  char text[16];
  snprintf(text, sizeof text, "%d", count);
  HWND installed = MainList(IDC_INSTALLED_LIST);
  for (int i = GetListCount(installed) - 1; i >= 0; --i) {
    char name[kPathSize];
    GetListText(installed, i, 6, name, sizeof name);
    if (lstrcmpiA(name, shortName) == 0) SetListText(installed, i, 1, text);
  }
  int row = FindDocumentRow(shortName);
  if (row >= 0) SetListText(MainList(IDC_SUPPORTED_LIST), row, 1, text);
}

void CALLBACK ShowAfterScan(HWND, UINT, UINT_PTR id, DWORD) {
  if (ScanInProgress()) return;
  KillTimer(NULL, id);
  g_afterScanTimer = 0;
  std::vector<std::string> names;
  names.swap(g_afterScan);
  for (const std::string& name : names) {
    char path[kPathSize];
    if (CounterFilePath(g_paths.counterFolder, name.c_str(), path, sizeof path)) SetCells(name.c_str(), StoredRuns(path));
  }
}

}  // namespace

int RaiseRunCounter(const char* shortName, bool* raised) {
  *raised = false;
  char path[kPathSize];
  if (!CounterFilePath(g_paths.counterFolder, shortName, path, sizeof path)) return 0;
  int before = StoredRuns(path);
  WriteSettingsInt("OPTIONS", "Runs", NextRunCount(before), path);
  int after = StoredRuns(path);
  *raised = after != before;
  return after;
}

int TakeBackRunCounter(const char* shortName) {
  char path[kPathSize];
  if (!CounterFilePath(g_paths.counterFolder, shortName, path, sizeof path)) return 0;
  WriteSettingsInt("OPTIONS", "Runs", PreviousRunCount(StoredRuns(path)), path);
  return StoredRuns(path);
}

void ShowRunCount(const char* shortName, int count) {
  if (!shortName || !shortName[0]) return;
  SetCells(shortName, count);
  if (!ScanInProgress()) return;
  for (const std::string& name : g_afterScan)
    if (lstrcmpiA(name.c_str(), shortName) == 0) return;
  g_afterScan.push_back(shortName);
  if (!g_afterScanTimer) g_afterScanTimer = SetTimer(NULL, 0, 250, ShowAfterScan);
}
