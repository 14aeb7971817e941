// The ROM folder scan's start and finish. The file work (document, folder
// search, counters, sizes, BIOS descriptions) runs on the scan's own thread;
// the rows then go into the lists on the user-interface thread in time slices
// with redraw off, because a message sent to a list from another thread costs
// about as much as a row. One scan at a time; a request during one is kept.
#include "catalogue/scan_win.h"
#include "catalogue/scan_internal_win.h"
#include "catalogue/sort_notes_win.h"
#include "shell/app_win.h"
#include <process.h>

static LONG g_scanBusy;          // a scan is between its start and its filled lists
static ScanResultPost g_postResult = PostMessageA;  // how a scan thread hands its result over
static bool g_inStartupOrder;    // the scan running on this thread is the start-up's
static bool g_rescanPending;     // a rescan was asked for while one ran
static ScanResult* g_filling;    // the result being put into the lists

bool ScanInProgress() { return g_scanBusy != 0; }

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
  NoteListsFilling(false);
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

enum { kResultTaken = 1 };  // HandleScanMessage's answer once a result is its own

// wParam 0: a scan thread's result (lParam) arrives; 1: fill the next slice.
LRESULT HandleScanMessage(WPARAM wParam, LPARAM lParam) {
  if (wParam == 0) {
    ScanResult* r = (ScanResult*)lParam;
    if (!r) return 0;
    if (g_filling) {  // cannot happen with one scan at a time; never lose the rows in the lists
      delete r;
      return kResultTaken;
    }
    r->sliced = true;
    g_filling = r;
    NoteListsFilling(true);
    FillNextSlice();
    return kResultTaken;
  }
  FillNextSlice();
  return 0;
}

void SetScanResultPost(ScanResultPost post) { g_postResult = post ? post : PostMessageA; }

// On a scan thread: the result goes to the user-interface thread. A post
// fails when that thread's queue is full; a sent message waits in no such
// queue, so the rows still go in and the buttons and counters come back. Only
// when the window is gone is the result dropped, and the scan is over.
static void HandOverResult(ScanResult* r) {
  if (g_postResult(g_mainWindow, WM_APP_SCAN_RESULT, 0, (LPARAM)r)) return;
  if (SendMessageA(g_mainWindow, WM_APP_SCAN_RESULT, 0, (LPARAM)r) == kResultTaken) return;
  delete r;
  InterlockedExchange(&g_scanBusy, 0);
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
    HandOverResult(r);
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
