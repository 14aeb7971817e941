// The main window's context menu: the Action popup of the menu bar.
#pragma once
#include <windows.h>

// WM_CONTEXTMENU of the main window: `source` is the window it is about
// (wParam), `packed` the point (lParam).
void ShowMainContextMenu(HWND window, HWND source, LPARAM packed);
