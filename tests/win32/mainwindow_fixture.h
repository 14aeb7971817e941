// Shared by the main-window tests: a small installation in a temporary folder
// and the main window built by the program's own start-up steps.
#pragma once
#include "shell/app_win.h"
#include "shell/mainwnd_win.h"
#include "shell/placement.h"
#include "shell/statusbar_win.h"
#include "shell/fonts_win.h"
#include "shell/settings_win.h"
#include "shell/controls_win.h"
#include "shell/tabpages_win.h"
#include "shell/window_behaviour_win.h"
#include <commctrl.h>
#include <cstdio>
#include <string>

namespace fixture {

inline void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return;
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

inline const char kLanguage[] =
    "[INTERFACE]\r\n7=Welcome\r\n9=Snapshot\r\n13=Emulator options\r\n14=&Save\r\n15=Option one\r\n"
    "34=&Play\r\n35=&Rescan\r\n36=&Delete\r\n37=Installed\r\n38=Supported\r\n39=Other files\r\n"
    "40=Options\r\n41=Windows notes\r\n42=Manual\r\n92=&Search\r\n103=Open the release page\r\n"
    "[LANGUAGE]\r\n4=vintor-eng.txt\r\n";

// A fresh installation folder under the temporary folder; returns its path.
inline std::string StageFolder(const char* name, const std::string& settings = "") {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + name;
  CreateDirectoryA(folder.c_str(), NULL);
  for (const char* sub : {"\\docs", "\\lang", "\\roms", "\\winis", "\\snap"})
    CreateDirectoryA((folder + sub).c_str(), NULL);
  WriteFile(folder + "\\lang\\default.lng", kLanguage);
  WriteFile(folder + "\\vintor.ini", settings);
  WriteFile(folder + "\\docs\\windows.txt", "Windows notes\r\nline two\r\n");
  WriteFile(folder + "\\docs\\mame.txt", "MAME notes\nlast line\n");
  WriteFile(folder + "\\docs\\vintor-eng.txt", "The manual\r\n");
  return folder;
}

inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Start-up steps 6 to 20 as far as the main window goes (no splash, no menu).
inline HWND StartMainWindow(const std::string& folder) {
  static bool registered = false;
  InitCommonControls();
  g_instance = GetModuleHandleA(NULL);
  BuildInstallPaths(&g_paths, folder.c_str(), "vintor-eng.txt");
  if (!registered) registered = RegisterMainWindowClass() != 0;
  g_mainWindow = CreateMainWindow();
  CreateStatusBar(g_mainWindow, GetLanguageString(7), 5);
  CreateFonts();
  RECT bar;
  GetWindowRect(g_statusBar, &bar);
  FrameMetrics m = {GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CXBORDER),
                    GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CXFOCUSBORDER), GetSystemMetrics(SM_CYDRAG),
                    GetSystemMetrics(SM_CYBORDER), GetSystemMetrics(SM_CYFOCUSBORDER), GetSystemMetrics(SM_CYFRAME),
                    GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU)};
  g_defaultWidth = 936;
  g_defaultHeight = 536;
  ComputeDefaultSize(m, bar.bottom - bar.top, &g_defaultWidth, &g_defaultHeight);
  SetWindowPos(g_mainWindow, HWND_BOTTOM, 20, 20, g_defaultWidth, g_defaultHeight, 0);
  ApplyOntop();
  CreateMainControls();
  EnablePlayDeleteByCount();
  ShowWindow(g_mainWindow, SW_SHOW);
  Pump();
  return g_mainWindow;
}

inline void CloseMainWindow() {
  if (g_mainWindow) DestroyWindow(g_mainWindow);
  g_mainWindow = NULL;
  g_statusBar = NULL;
  Pump();
  // WM_DESTROY posts the quit message; drop it so the next window's pump runs.
  MSG msg;
  while (PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
}

// x, y, width, height of a child in the main window's client coordinates.
struct Box { int x, y, w, h; };
inline Box ChildBox(int id) {
  HWND c = GetDlgItem(g_mainWindow, id);
  RECT r = {};
  if (!c) return {-1, -1, -1, -1};
  GetWindowRect(c, &r);
  MapWindowPoints(NULL, g_mainWindow, (POINT*)&r, 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
inline std::string Show(const Box& b) {
  return std::to_string(b.x) + "," + std::to_string(b.y) + "," + std::to_string(b.w) + "," + std::to_string(b.h);
}

inline void Resize(int width, int height) {
  SetWindowPos(g_mainWindow, NULL, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
}

}  // namespace fixture
