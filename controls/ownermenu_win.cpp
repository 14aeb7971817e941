// Stand-in until this module is built.
#include "controls/ownermenu_win.h"
int MakeOwnerDrawnMenu(HMENU, const char*) { return 0; }
BOOL MeasureMenuItem(WPARAM, MEASUREITEMSTRUCT*) { return FALSE; }
BOOL DrawMenuItem(WPARAM, DRAWITEMSTRUCT*) { return FALSE; }
void FreeOwnerDrawnMenus(HWND) {}
void ShowMenuBarPopup(HWND, LPARAM, int) {}
HMENU FindMenuOfCommand(HMENU, UINT) { return NULL; }
void ToggleMenuCheck(HWND, UINT) {}
void ToggleMenuEnabled(HWND, UINT) {}
