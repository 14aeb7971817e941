// The main window: class corvalisWndClass, its creation and its procedure.
#pragma once
#include <windows.h>
BOOL RegisterMainWindowClass();
HWND CreateMainWindow();
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Writes Left, Top, Right, Bottom and ShowMaximized for the window as it is now.
void SaveWindowPlacement(HWND window);
