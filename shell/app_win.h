// Process-wide state set once during start-up and read everywhere.
#pragma once
#include <windows.h>
#include "shell/install_paths.h"
#include "shell/ids.h"

extern HINSTANCE g_instance;
extern HWND g_mainWindow;
extern HWND g_statusBar;
extern HMENU g_mainMenu;
extern int g_defaultWidth;   // 936 until start-up adds the frame metrics
extern int g_defaultHeight;  // 536 likewise
extern InstallPaths g_paths;

// Growth of the main window over its default size (0 until the first WM_SIZE).
extern int g_dw;
extern int g_dh;

// The two interface fonts.
extern HFONT g_normalFont;
extern HFONT g_boldFont;

// Start-up (returns the exit code) and the presence test of the emulator.
int RunVintor(HINSTANCE instance);
bool EmulatorPresent();

// Builds g_paths from the running executable's folder.
void InitInstallPaths();
