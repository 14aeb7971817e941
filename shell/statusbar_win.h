// The main window's status bar (control 3000).
#pragma once
#include <windows.h>

// Creates the status bar with its five creation parts; returns success.
BOOL CreateStatusBar(HWND parent, const char* text, int partCount);
// SB_SETTEXTA with drawing flags 0.
void SetStatusText(const char* text, int part);
