// The ROM folder scan, which rebuilds the three game lists.
#pragma once
#include <windows.h>
// Rebuilds the three lists. On the user-interface thread it runs to the end
// before returning (start-up); on any other thread it does the file work there
// and hands the rows to the user-interface thread, which fills the lists.
void ScanRomFolder();
// The start-up scan: ScanRomFolder on this thread, with the rows put in in the
// order of the first sort, so that SortListsAtStartup finds them in place.
void ScanRomFolderInStartupOrder();
// Commands 504 and 521: a rescan on a worker thread. While one runs, a new
// request is remembered and one more scan follows the running one.
void StartRescanThread();
// True from the start of a scan until its rows are in the lists.
bool ScanInProgress();
// WM_APP_SCAN_RESULT of the main window: results handed over by a scan thread.
LRESULT HandleScanMessage(WPARAM wParam, LPARAM lParam);
// The call a scan thread posts its result with (PostMessageA; null puts that
// back). Tests put in one that fails, as a full message queue makes it.
typedef BOOL(WINAPI* ScanResultPost)(HWND, UINT, WPARAM, LPARAM);
void SetScanResultPost(ScanResultPost post);
