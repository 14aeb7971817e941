// The command handler (WM_COMMAND of the main window).
#pragma once
#include <windows.h>
void HandleCommand(HWND window, int id, HWND control, int code);
