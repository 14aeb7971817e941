// Start-up in its fixed order, then the message loop.
#include "shell/app_win.h"
#include "shell/mainwnd_win.h"
#include "shell/placement.h"
#include "shell/settings_win.h"
#include "shell/statusbar_win.h"
#include "shell/fonts_win.h"
#include "shell/menubar_win.h"
#include "shell/window_behaviour_win.h"
#include "shell/controls_win.h"
#include "shell/tabpages_win.h"
#include "shell/gameinfo_win.h"
#include "shell/startup_marks.h"
#include "launch/options_win.h"
#include "preview/packed_bitmap_win.h"
#include "preview/advice_win.h"
#include "catalogue/document_offer_win.h"
#include "preview/snapshot_win.h"
#include "decor/splash_win.h"
#include "decor/transparency_win.h"
#include <commctrl.h>
#include <cstdio>

HINSTANCE g_instance;
HWND g_mainWindow;
HWND g_statusBar;
HMENU g_mainMenu;
int g_defaultWidth = 936;
int g_defaultHeight = 536;
InstallPaths g_paths;
int g_dw;
int g_dh;
HFONT g_normalFont;
HFONT g_boldFont;

static unsigned ShortenPath(const char* longPath, char* out, unsigned outSize) {
  return GetShortPathNameA(longPath, out, outSize);
}

void InitInstallPaths() {
  char module[kPathSize] = "";
  GetModuleFileNameA(NULL, module, sizeof module);
  module[sizeof module - 1] = 0;
  char folder[kPathSize];
  ProgramFolderOf(module, folder, sizeof folder);
  // The language file's path is needed to read the manual's name from it.
  char languageFile[kPathSize];
  CopyText(languageFile, sizeof languageFile, folder);
  AppendText(languageFile, sizeof languageFile, "\\lang\\default.lng");
  char manualName[kPathSize];
  GetPrivateProfileStringA("LANGUAGE", "4", "vintor-eng.txt", manualName, sizeof manualName, languageFile);
  BuildInstallPaths(&g_paths, folder, manualName);
  ShortenInstallPaths(&g_paths, ShortenPath);
}

bool EmulatorPresent() {
  FILE* f = fopen(g_paths.emulator, "r");
  if (!f) return false;
  fclose(f);
  return true;
}

static int ReadIntForPlacement(const char* key, int defaultValue, void*) {
  return ReadSettingsInt(key, defaultValue);
}

static BYTE StoredTransparency() {
  return (BYTE)(ReadSettingsInt("Transparent", 95) & 0xFF);
}

static HWND StartSplashScreen() {
  HWND splash = NULL;
  HGLOBAL picture = LoadBitmapResource(g_instance, IDB_SPLASH);
  if (picture) {
    splash = CreateSplashScreen(g_instance, picture, 0);
    if (!splash) MessageBoxA(NULL, "Splash error!", "SPLASHTEST", MB_ICONERROR);
    FreePackedBitmap(picture);
  }
  SetSplashTextColour(splash, RGB(128, 128, 128), FALSE);
  SetSplashText(splash, GetLanguageString(8));
  if (splash) ApplyWindowTransparency(splash, StoredTransparency());
  return splash;
}

static void ComputeDefaultWindowSize() {
  RECT bar = {};
  GetWindowRect(g_statusBar, &bar);
  FrameMetrics m;
  m.cxDrag = GetSystemMetrics(SM_CXDRAG);
  m.cxEdge = GetSystemMetrics(SM_CXEDGE);
  m.cxBorder = GetSystemMetrics(SM_CXBORDER);
  m.cxFrame = GetSystemMetrics(SM_CXFRAME);
  m.cxFocusBorder = GetSystemMetrics(SM_CXFOCUSBORDER);
  m.cyDrag = GetSystemMetrics(SM_CYDRAG);
  m.cyBorder = GetSystemMetrics(SM_CYBORDER);
  m.cyFocusBorder = GetSystemMetrics(SM_CYFOCUSBORDER);
  m.cyFrame = GetSystemMetrics(SM_CYFRAME);
  m.cyCaption = GetSystemMetrics(SM_CYCAPTION);
  m.cyMenu = GetSystemMetrics(SM_CYMENU);
  ComputeDefaultSize(m, bar.bottom - bar.top, &g_defaultWidth, &g_defaultHeight);
}

static void PlaceMainWindow() {
  Placement p = ComputeStartPlacement(g_defaultWidth, g_defaultHeight, GetSystemMetrics(SM_CXSCREEN),
                                      GetSystemMetrics(SM_CYSCREEN), ReadIntForPlacement, NULL);
  SetWindowPos(g_mainWindow, HWND_BOTTOM, p.x, p.y, p.width, p.height, 0);
}

static int RunMessageLoop(HACCEL accelerators) {
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    if (TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return (int)msg.wParam;
}

int RunVintor(HINSTANCE instance) {
  MarkStartup("process start to entry");
  InitCommonControls();
  InitInstallPaths();
  g_instance = instance;
  if (!RegisterMainWindowClass()) return 0;
  HoldPreviewReloads(true);
  HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  g_mainWindow = CreateMainWindow();
  if (!g_mainWindow) return 0;
  CreateStatusBar(g_mainWindow, GetLanguageString(7), 5);
  ApplyWindowTransparency(g_mainWindow, StoredTransparency());
  CreateFonts();
  MarkStartup("main window, status bar, fonts");
  HWND splash = StartSplashScreen();
  MarkStartup("splash screen up");
  BuildMenuBar();
  MarkStartup("menu bar");
  ComputeDefaultWindowSize();
  PlaceMainWindow();
  ApplyOntop();
  MarkStartup("placement, always on top");
  CreateMainControls();
  LoadEmulatorOptions();
  EnablePlayDeleteByCount();
  MarkStartup("emulator options");
  ShowWindow(g_mainWindow, ReadSettingsInt("ShowMaximized", 0) ? SW_MAXIMIZE : SW_SHOW);
  MarkStartup("show window");
  UpdateSelectedGameInfo();
  HoldPreviewReloads(false);
  MarkStartup("game info, first snapshot");
  SetForegroundWindow(g_mainWindow);
  CloseSplashScreen(splash);
  MarkStartup("splash closed");
  if (!EmulatorPresent()) ShowAdviceDialog();
  PostDocumentOffer();
  MarkStartup("message loop");
  return RunMessageLoop(accelerators);
}
