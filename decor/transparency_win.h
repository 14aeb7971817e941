// Window transparency: the layered-window level and its dialog.
#pragma once
#include <windows.h>
// Opacity `level` in percent: 100 leaves the window as it is (returns 100),
// 0 removes the layered style, anything else makes the window layered with
// that opacity. Returns 1 on success, 0 when the platform cannot do it.
int ApplyWindowTransparency(HWND window, BYTE level);
// The slider dialog IDD_TRANSPARENT, modal, owned by the main window: 1 after OK, 2 after Cancel.
INT_PTR ShowTransparencyDialog();
