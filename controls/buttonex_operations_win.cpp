// ButtonEx: the operations callers use on a button: its text, tooltip, font,
// colours, style and cursor, the latch press, and the pens and fonts the
// library keeps for all buttons.
#include "controls/buttonex_internal_win.h"
#include <commctrl.h>
#include <string.h>

static void DeletePen(HPEN& pen) {
  if (pen) DeleteObject(pen);
  pen = NULL;
}

void ButtonExSetDefaultFont(HFONT font) { g_bx.defaultFont = font; }

// A button that has its tooltip already gets the new text in it.
static int UpdateTip(HWND button, ButtonExData* d, const char* text) {
  char* copy = ButtonExCopyToHeap(text ? text : "");
  if (!copy) return -1;
  TOOLINFOA ti;
  memset(&ti, 0, sizeof ti);
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.hwnd = button;
  ti.uId = 0;
  ti.hinst = g_bx.instance;
  ti.lpszText = copy;
  SendMessageA(d->tip, TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
  ButtonExFreeText(d->tipText);
  d->tipText = copy;
  return 0;
}

int ButtonExSetTip(HWND button, const char* text) {
  ButtonExData* d = ButtonExRecord(button);
  if (!d) return -1;
  if (d->tip && IsWindow(d->tip)) return UpdateTip(button, d, text);  // one tooltip per button
  HWND focus = GetFocus();
  HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, button, NULL,
                             g_bx.instance, NULL);
  if (!tip) return -1;
  char* copy = ButtonExCopyToHeap(text ? text : "");
  if (!copy) return -1;
  ButtonExFreeText(d->tipText);
  d->tipText = copy;
  TOOLINFOA ti;
  memset(&ti, 0, sizeof ti);
  ti.cbSize = TTTOOLINFOA_V2_SIZE;  // 44 bytes: understood by every comctl32
  ti.uFlags = TTF_SUBCLASS;
  ti.hwnd = button;
  ti.uId = 0;
  GetClientRect(button, &ti.rect);
  ti.hinst = g_bx.instance;
  ti.lpszText = d->tipText;
  SendMessageA(tip, TTM_ADDTOOLA, 0, (LPARAM)&ti);
  SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 300);
  d->tip = tip;
  if (focus && GetFocus() != focus) SetFocus(focus);
  return 0;
}

int ButtonExSetText(HWND button, const char* text) {
  ButtonExData* d = ButtonExRecord(button);
  if (!d) return -1;
  ButtonExFreeText(d->text);
  // Keep the system's copy in step, for GetWindowTextLength and readers in other processes.
  DefWindowProcA(button, WM_SETTEXT, 0, (LPARAM)text);
  int result = 0;
  if (text) {
    d->text = ButtonExCopyToHeap(text);
    if (!d->text) result = -1;
  }
  ButtonExRedraw(button);
  UpdateWindow(button);
  return result;
}

int ButtonExGetText(HWND button, char* buffer, int size) {
  ButtonExData* d = ButtonExRecord(button);
  if (!d) return 0;
  return ButtonExCopyText(buffer, size, d->text);
}

void ButtonExSetFont(HWND button, HFONT font) {
  ButtonExData* d = ButtonExRecord(button);
  if (!d) return;
  d->font = font;
  ButtonExRedraw(button);
}

HFONT ButtonExGetFont(HWND button) {
  ButtonExData* d = ButtonExRecord(button);
  return d ? d->font : NULL;
}

void ButtonExSetBkColor(HWND button, COLORREF colour) {
  ButtonExData* d = ButtonExRecord(button);
  if (!d || (d->style & BXS_SOFT) || colour == d->bkColour) return;
  HBRUSH brush = CreateSolidBrush(colour);
  if (!brush) return;
  if (d->bkBrush) DeleteObject(d->bkBrush);
  d->bkBrush = brush;
  d->bkColour = colour;
  d->bkFixed = 1;
  ButtonExRedraw(button);
}

COLORREF ButtonExGetBkColor(HWND button) {
  ButtonExData* d = ButtonExRecord(button);
  return d ? d->bkColour : 0;
}

void ButtonExSetTextColor(HWND button, COLORREF colour) {
  ButtonExData* d = ButtonExRecord(button);
  if (!d) return;
  d->textColour = colour;
  ButtonExRedraw(button);
}

COLORREF ButtonExGetTextColor(HWND button) {
  ButtonExData* d = ButtonExRecord(button);
  return d ? d->textColour : 0;
}

void ButtonExSetStyle(HWND button, DWORD style) {
  ButtonExData* d = ButtonExRecord(button);
  if (!d) return;
  SetWindowLongA(button, GWL_STYLE, (LONG)(style | WS_VISIBLE | WS_CHILD));
  d->style = style;
  ButtonExRedraw(button);
}

void ButtonExSetCursor(HWND button, HCURSOR cursor) {
  ButtonExData* d = ButtonExRecord(button);
  if (d) d->cursor = cursor;
}

void ButtonExShow(HWND button, int showCommand) {
  ShowWindow(button, showCommand);
  UpdateWindow(button);
}

void ButtonExPress(HWND button) {
  ButtonExData* d = ButtonExRecord(button);
  if (!d || !(d->style & BXS_LATCH)) return;
  HWND parent = GetParent(button);
  for (HWND w = parent ? GetWindow(parent, GW_CHILD) : NULL; w; w = GetWindow(w, GW_HWNDNEXT)) {
    ButtonExData* other = ButtonExRecord(w);
    if (other && (other->style & BXS_LATCH) && other->latched) {
      other->latched = 0;
      other->atRest = 1;
      ButtonExRedraw(w);
      break;
    }
  }
  d->atRest = 0;
  d->hot = 0;
  d->latched = 1;
  // Already latched at the release, so the click sends no WM_COMMAND.
  SendMessageA(button, WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

static BOOL CALLBACK SysColourProc(HWND window, LPARAM) {
  SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

void ButtonExSysColorsChanged(HWND parent) {
  DeletePen(g_bx.shadowPen);
  DeletePen(g_bx.highlightPen);
  ButtonExMakePens();
  // A null parent would mean every top-level window of the desktop.
  if (parent) EnumChildWindows(parent, SysColourProc, 0);
  g_bx.lastFaceColour = GetSysColor(COLOR_BTNFACE);
}

void ButtonExReleaseResources() {
  DeletePen(g_bx.shadowPen);
  DeletePen(g_bx.highlightPen);
  DeletePen(g_bx.blackPen);
  DeletePen(g_bx.whitePen);
  // The default font is the program's (or a stock font): forgotten, never deleted.
  g_bx.defaultFont = NULL;
}

void ButtonExAbout() {
  MessageBoxA(GetActiveWindow(), "ButtonEx Library Version 1.03", "Version", MB_OK);
}
