// Menu help in status bar part 0 (WM_MENUSELECT).
#pragma once
#include <windows.h>
void HandleMenuSelect(WPARAM wParam, LPARAM lParam);
