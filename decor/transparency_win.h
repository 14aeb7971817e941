// Window transparency: the layered-window level and its dialog.
#pragma once
#include <windows.h>
int ApplyWindowTransparency(HWND window, BYTE level);
INT_PTR ShowTransparencyDialog();
