// WM_NOTIFY of the main window: tab change, list keys, clicks, activation, sorts.
#pragma once
#include <windows.h>
#include <commctrl.h>
LRESULT HandleMainNotify(HWND window, NMHDR* header);
