// The three game lists, the ROM folder scan and the list counters.
#pragma once
#include <windows.h>
// Creates list view 302, 305 or 306 with its styles, image list and columns.
HWND CreateGameList(HWND parent, int id);
void ScanRomFolder();
// Commands 504 and 521: a rescan on a worker thread (at most one at a time).
void StartRescanThread();
int FindDocumentRow(const char* shortName);
void UpdateListCounters();
// WM_APP_SCAN_RESULT of the main window: results handed over by a scan thread.
LRESULT HandleScanMessage(WPARAM wParam, LPARAM lParam);
