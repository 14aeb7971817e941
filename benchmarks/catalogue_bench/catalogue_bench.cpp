// Times the catalogue in a window of its own, in the order of the program's
// start-up: list 302, lists 305 and 306, the scan (which reads the document),
// the first sort and the counters; then a rescan on its thread while another thread measures
// how long the window takes to answer, and column-click sorts of list 302.
// Usage: catalogue_bench.exe INSTALLATION_FOLDER   (prints "name seconds" lines)
#include "catalogue/game_lists_win.h"
#include "catalogue/gamelist_win.h"
#include "catalogue/listview_win.h"
#include "catalogue/scan_win.h"
#include "catalogue/sort_win.h"
#include "shell/app_win.h"
#include "shell/statusbar_win.h"
#include <commctrl.h>
#include <atomic>
#include <cstdio>
#include <initializer_list>
#include <thread>

static double Now() {
  static LARGE_INTEGER f = {};
  if (!f.QuadPart) QueryPerformanceFrequency(&f);
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return (double)t.QuadPart / (double)f.QuadPart;
}

static LRESULT CALLBACK BenchProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_APP_SCAN_RESULT) return HandleScanMessage(wp, lp);
  return DefWindowProcA(w, m, wp, lp);
}

static void Report(const char* name, double seconds) {
  printf("%s %.3f\n", name, seconds);
  fflush(stdout);
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  g_instance = GetModuleHandleA(NULL);
  InitCommonControls();
  BuildInstallPaths(&g_paths, argv[1], "vintor-eng.txt");
  WNDCLASSA wc = {};
  wc.lpfnWndProc = BenchProc;
  wc.hInstance = g_instance;
  wc.lpszClassName = "CatalogueBenchClass";
  wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  RegisterClassA(&wc);
  g_mainWindow = CreateWindowExA(0, wc.lpszClassName, "bench", WS_OVERLAPPEDWINDOW, 0, 0, 936, 536, NULL, NULL,
                                 g_instance, NULL);
  CreateStatusBar(g_mainWindow, "", 5);
  double t0 = Now();
  CreateGameList(g_mainWindow, IDC_SUPPORTED_LIST);
  double t1 = Now();
  CreateGameList(g_mainWindow, IDC_INSTALLED_LIST);
  CreateGameList(g_mainWindow, IDC_OTHER_LIST);
  ScanRomFolderInStartupOrder();
  double t2 = Now();
  SortListsAtStartup();
  UpdateListCounters();
  double t3 = Now();
  Report("startup.document", t1 - t0);
  Report("startup.scan", t2 - t1);
  Report("startup.sort", t3 - t2);
  Report("startup.catalogue", t3 - t0);
  printf("rows %d %d %d\n", GetListCount(MainList(302)), GetListCount(MainList(305)), GetListCount(MainList(306)));
  for (int id : {CMD_PLAY, CMD_RESCAN, CMD_DELETE})
    CreateWindowExA(0, "button", "b", WS_CHILD | WS_VISIBLE, 600, 400 + (id - 503) * 20, 60, 18, g_mainWindow,
                    (HMENU)(INT_PTR)id, g_instance, NULL);
  ShowWindow(g_mainWindow, SW_SHOW);
  UpdateWindow(g_mainWindow);

  // Rescan: from the command to the buttons enabled again, the window answering meanwhile.
  std::atomic<bool> probing(true), probeEnded(false);
  std::atomic<long> worstMicros(0);
  std::thread probe([&] {
    while (probing) {
      double a = Now();
      DWORD_PTR r;
      SendMessageTimeoutA(g_mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
      long us = (long)((Now() - a) * 1e6);
      if (us > worstMicros) worstMicros = us;
      Sleep(5);
    }
    probeEnded = true;
  });
  double r0 = Now();
  StartRescanThread();
  MSG msg;
  while (!IsWindowEnabled(GetDlgItem(g_mainWindow, CMD_RESCAN))) {
    if (GetMessageA(&msg, NULL, 0, 0) <= 0) break;
    DispatchMessageA(&msg);
  }
  double r1 = Now();
  probing = false;
  while (!probeEnded) {  // keep answering the probe's last message
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(1);
  }
  probe.join();
  Report("rescan", r1 - r0);
  Report("rescan.worst_answer", worstMicros / 1e6);

  // Column clicks on the supported-games list, shown as on page 1.
  ShowWindow(MainList(IDC_INSTALLED_LIST), SW_HIDE);
  ShowWindow(MainList(IDC_SUPPORTED_LIST), SW_SHOW);
  while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  const int clicks[] = {6, 6, 0};
  const char* names[] = {"sort.column6_ascending", "sort.column6_descending", "sort.column0_ascending"};
  for (int i = 0; i < 3; ++i) {
    double s0 = Now();
    SortListByColumn(MainList(IDC_SUPPORTED_LIST), clicks[i]);
    UpdateWindow(MainList(IDC_SUPPORTED_LIST));
    Report(names[i], Now() - s0);
  }
  // The control's own sort with the callback, for comparison (only on small lists: it is slow).
  if (GetListCount(MainList(IDC_SUPPORTED_LIST)) <= 15000 && argc > 2) {
    double s0 = Now();
    SendMessageA(MainList(IDC_SUPPORTED_LIST), LVM_SORTITEMSEX, 1, (LPARAM)CompareListRows);
    Report("sort.lvm_sortitemsex", Now() - s0);
  }
  DestroyWindow(g_mainWindow);
  return 0;
}
