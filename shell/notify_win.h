// WM_NOTIFY of the main window: tab change, list keys, clicks, activation, sorts,
// and the release of a deleted installed-games row's file.
#pragma once
#include <windows.h>
#include <commctrl.h>
LRESULT HandleMainNotify(HWND window, NMHDR* header);
