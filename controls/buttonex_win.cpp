// Stand-in until this module is built.
#include "controls/buttonex_win.h"
void ButtonExSetDefaultFont(HFONT) {}
int ButtonExRegister() { return 0; }
HWND ButtonExCreate(const char*, DWORD, int, int, int, int, HWND, int) { return NULL; }
int ButtonExIsButton(HWND) { return 0; }
int ButtonExSetTip(HWND, const char*) { return -1; }
int ButtonExSetText(HWND, const char*) { return -1; }
int ButtonExGetText(HWND, char*, int) { return 0; }
void ButtonExSetFont(HWND, HFONT) {}
HFONT ButtonExGetFont(HWND) { return NULL; }
void ButtonExSetBkColor(HWND, COLORREF) {}
COLORREF ButtonExGetBkColor(HWND) { return 0; }
void ButtonExSetTextColor(HWND, COLORREF) {}
COLORREF ButtonExGetTextColor(HWND) { return 0; }
void ButtonExSetStyle(HWND, DWORD) {}
void ButtonExSetCursor(HWND, HCURSOR) {}
void ButtonExShow(HWND, int) {}
void ButtonExPress(HWND) {}
void ButtonExSysColorsChanged(HWND) {}
void ButtonExReleaseResources() {}
void ButtonExAbout() {}
void ButtonExRecolorBitmap(HBITMAP, COLORREF, COLORREF) {}
HBITMAP ButtonExLoadRecolored(int, COLORREF, COLORREF) { return NULL; }
