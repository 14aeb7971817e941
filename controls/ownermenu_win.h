// Owner-drawn popup menus with a caption band down their left edge.
#pragma once
#include <windows.h>
int MakeOwnerDrawnMenu(HMENU menu, const char* caption);
BOOL MeasureMenuItem(WPARAM wParam, MEASUREITEMSTRUCT* item);
BOOL DrawMenuItem(WPARAM wParam, DRAWITEMSTRUCT* item);
void FreeOwnerDrawnMenus(HWND window);
void ShowMenuBarPopup(HWND window, LPARAM packedPoint, int position);
HMENU FindMenuOfCommand(HMENU menu, UINT command);
void ToggleMenuCheck(HWND window, UINT command);
void ToggleMenuEnabled(HWND window, UINT command);
