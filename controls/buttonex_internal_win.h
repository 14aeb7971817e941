// What the parts of ButtonEx share: the per-button record, the library's
// process-wide state and the handlers the window procedure hands messages to.
// Not for users of the control.
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

// The record and the shared helpers (buttonex_record_win.cpp).
ButtonExData* ButtonExRecord(HWND button);  // null for other classes
void ButtonExMakePens();                     // creates whichever pen is missing
char* ButtonExCopyToHeap(const char* text);  // null for null, or when the heap has no room
void ButtonExFreeText(char*& text);          // frees a heap copy and forgets it
void ButtonExRedraw(HWND button);            // the whole button, background included

// Mouse and keyboard (buttonex_input_win.cpp).
LRESULT ButtonExOnLButtonDown(HWND button, ButtonExData* data);
LRESULT ButtonExOnMouseMove(HWND button, ButtonExData* data, LPARAM lParam);
LRESULT ButtonExOnLButtonUp(HWND button, ButtonExData* data);
LRESULT ButtonExOnKeyUp(HWND button, ButtonExData* data, WPARAM wParam, LPARAM lParam);
LRESULT ButtonExOnSysKeyUp(HWND button, WPARAM wParam);
LRESULT ButtonExOnSysKeyDown(HWND button, WPARAM wParam, LPARAM lParam);

// Painting (buttonex_paint_win.cpp).
void ButtonExErase(HWND button, ButtonExData* data, HDC dc);
void ButtonExPaintTo(HWND button, ButtonExData* data, HDC dc);
