// What the ButtonEx window procedure and its painting share: the per-button
// record and the library's process-wide state. Not for users of the control.
#pragma once
#include "controls/buttonex_win.h"

struct ButtonExData {
  int width;
  int height;
  char* text;         // owned; may hold '&' before the mnemonic letter
  char* tipText;      // owned
  DWORD style;
  COLORREF textColour;
  COLORREF bkColour;
  HBRUSH bkBrush;     // owned
  int bkFixed;
  HCURSOR cursor;
  HFONT font;         // not owned
  HBITMAP bitmap;     // images are not owned
  HBITMAP pressedBitmap;
  HICON icon;
  HICON pressedIcon;
  int hot;
  int atRest;
  int latched;
  int pressed;
  int focused;
  int disabled;
  HWND tip;           // the tooltip made by ButtonExSetTip, not owned
};

// One copy for all buttons: they all live on the one user-interface thread.
struct ButtonExShared {
  int registered;
  HINSTANCE instance;
  HPEN shadowPen, highlightPen, blackPen, whitePen;
  HFONT defaultFont;
  COLORREF lastFaceColour;
  // One mouse, so one press state for every button.
  int pressedInside, buttonDown, lastShownInside;
};
extern ButtonExShared g_bx;

ButtonExData* ButtonExRecord(HWND button);  // null for other classes
void ButtonExMakePens();                     // creates whichever pen is missing

// Painting (buttonex_paint_win.cpp).
void ButtonExErase(HWND button, ButtonExData* data, HDC dc);
void ButtonExPaintTo(HWND button, ButtonExData* data, HDC dc);
