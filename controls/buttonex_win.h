// ButtonEx: the program's own button control (class "ButtonExClass").
#pragma once
#include <windows.h>
#include "controls/buttonex_layout.h"  // the BXS_ style bits

#define BXM_SETBKCOLOR (WM_APP + 0x200)
#define BXM_GETBKCOLOR (WM_APP + 0x201)

// The default font of new buttons is this one; the program sets its normal
// font here before creating its first button.
void ButtonExSetDefaultFont(HFONT font);

int ButtonExRegister();
HWND ButtonExCreate(const char* text, DWORD style, int x, int y, int width, int height, HWND parent, int id);
int ButtonExIsButton(HWND window);
int ButtonExSetTip(HWND button, const char* text);
int ButtonExSetText(HWND button, const char* text);
int ButtonExGetText(HWND button, char* buffer, int size);
void ButtonExSetFont(HWND button, HFONT font);
HFONT ButtonExGetFont(HWND button);
void ButtonExSetBkColor(HWND button, COLORREF colour);
COLORREF ButtonExGetBkColor(HWND button);
void ButtonExSetTextColor(HWND button, COLORREF colour);
COLORREF ButtonExGetTextColor(HWND button);
void ButtonExSetStyle(HWND button, DWORD style);
void ButtonExSetCursor(HWND button, HCURSOR cursor);
void ButtonExShow(HWND button, int showCommand);
void ButtonExPress(HWND button);
void ButtonExSysColorsChanged(HWND parent);
void ButtonExReleaseResources();
void ButtonExAbout();
void ButtonExRecolorBitmap(HBITMAP bitmap, COLORREF from, COLORREF to);
HBITMAP ButtonExLoadRecolored(int resourceId, COLORREF from, COLORREF to);
