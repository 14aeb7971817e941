// ButtonEx: the program's own push button ("ButtonExClass"). Registration,
// creation and the window procedure, which hands each message to a handler:
// the button's life, size, focus, colours and images here, mouse and keyboard
// in buttonex_input_win.cpp, painting in buttonex_paint_win.cpp, the
// operations callers use in buttonex_operations_win.cpp.
#include "controls/buttonex_internal_win.h"
#include <commctrl.h>
#include <string.h>

static const char kClassName[] = "ButtonExClass";

static HFONT DefaultFont() {
  return g_bx.defaultFont ? g_bx.defaultFont : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
}

// ---------------------------------------------------------------------------
// Messages

static LRESULT OnCreate(HWND button, const CREATESTRUCTA* cs) {
  ButtonExData* d = (ButtonExData*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ButtonExData));
  if (!d) return -1;
  const DWORD given = (DWORD)cs->style;
  if (!(given & (BXS_IMAGEONLY | BXS_IMAGEONLY2)) && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
    d->text = ButtonExCopyToHeap(cs->lpszName);
  d->width = cs->cx;
  d->height = cs->cy;
  d->font = DefaultFont();
  d->bkColour = GetSysColor(COLOR_BTNFACE);
  d->bkBrush = CreateSolidBrush(d->bkColour);
  d->textColour = RGB(0, 0, 0);
  d->atRest = 1;
  g_bx.lastFaceColour = d->bkColour;
  d->style = ButtonExAdjustStyle(given);
  SetWindowLongA(button, GWL_STYLE, (LONG)d->style);
  SetWindowLongPtrA(button, 0, (LONG_PTR)d);
  if (d->style & BXS_SOFT) {
    DeleteObject(d->bkBrush);
    d->bkColour = RGB(243, 243, 239);
    d->bkBrush = CreateSolidBrush(d->bkColour);
    d->bkFixed = 1;
  }
  // The border was already taken out of the client area; give it back.
  if ((given & WS_BORDER) && !(d->style & WS_BORDER))
    SetWindowPos(button, NULL, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

static LRESULT OnDestroy(HWND button, ButtonExData* d) {
  if (d->bkBrush) DeleteObject(d->bkBrush);
  ButtonExFreeText(d->text);
  ButtonExFreeText(d->tipText);
  SetWindowLongPtrA(button, 0, 0);
  HeapFree(GetProcessHeap(), 0, d);
  return 0;
}

static LRESULT OnSize(HWND button, ButtonExData* d, LPARAM lParam) {
  ButtonExRedraw(button);
  SendMessageA(button, WM_NCPAINT, 1, 0);
  d->width = LOWORD(lParam);
  d->height = HIWORD(lParam);
  return 0;
}

static LRESULT OnFocus(HWND button, ButtonExData* d, int focused) {
  d->focused = focused;
  ButtonExRedraw(button);
  UpdateWindow(button);
  return 0;
}

static LRESULT OnEnable(HWND button, ButtonExData* d, WPARAM wParam) {
  d->disabled = (wParam == 0);
  ButtonExRedraw(button);
  return 0;
}

static LRESULT OnGetText(HWND button, WPARAM wParam, LPARAM lParam) {
  ButtonExGetText(button, (char*)lParam, (int)(wParam > 0x7FFFFFFF ? 0x7FFFFFFF : wParam));
  return 0;  // the caller reads the buffer, not the count
}

static LRESULT OnPaint(HWND button, ButtonExData* d) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(button, &ps);
  if (dc) ButtonExPaintTo(button, d, dc);
  EndPaint(button, &ps);
  return 0;
}

// Lets a button be drawn into any context (off-screen rendering, tests).
static LRESULT OnPrintClient(HWND button, ButtonExData* d, WPARAM wParam, LPARAM lParam) {
  HDC dc = (HDC)wParam;
  if (!dc) return 0;
  if (lParam & PRF_ERASEBKGND) ButtonExErase(button, d, dc);
  if (lParam & PRF_CLIENT) ButtonExPaintTo(button, d, dc);
  return 0;
}

static LRESULT OnSysColorChange(HWND button, ButtonExData* d) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  if (!d->bkFixed) {
    if (d->bkBrush) DeleteObject(d->bkBrush);
    d->bkColour = face;
    d->bkBrush = CreateSolidBrush(face);
  }
  if (!(d->style & BXS_KEEPCOLORS)) {
    if (d->bitmap) ButtonExRecolorBitmap(d->bitmap, g_bx.lastFaceColour, face);
    if (d->pressedBitmap) ButtonExRecolorBitmap(d->pressedBitmap, g_bx.lastFaceColour, face);
  }
  ButtonExRedraw(button);
  return 0;
}

static LRESULT OnSetCursor(HWND button, ButtonExData* d, WPARAM wParam, LPARAM lParam) {
  if (!d->cursor) return DefWindowProcA(button, WM_SETCURSOR, wParam, lParam);
  SetCursor(d->cursor);
  return TRUE;
}

// The first image of a kind is the normal one, every later one the pressed one.
static LRESULT OnSetImage(ButtonExData* d, WPARAM kind, LPARAM image) {
  if (kind == IMAGE_BITMAP) {
    if (!d->bitmap) d->bitmap = (HBITMAP)image;
    else d->pressedBitmap = (HBITMAP)image;
  } else if (kind == IMAGE_ICON) {
    if (!d->icon) d->icon = (HICON)image;
    else d->pressedIcon = (HICON)image;
  }
  return 0;
}

// Forgets the images of a kind; they belong to the caller.
static LRESULT OnGetImage(ButtonExData* d, WPARAM kind) {
  if (kind == IMAGE_BITMAP) d->bitmap = d->pressedBitmap = NULL;
  else if (kind == IMAGE_ICON) d->icon = d->pressedIcon = NULL;
  return 0;
}

static LRESULT CALLBACK ButtonExProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CREATE) return OnCreate(w, (const CREATESTRUCTA*)lp);
  ButtonExData* d = (ButtonExData*)GetWindowLongPtrA(w, 0);
  if (!d) return DefWindowProcA(w, msg, wp, lp);
  switch (msg) {
    case WM_DESTROY:       return OnDestroy(w, d);
    case WM_SIZE:          return OnSize(w, d, lp);
    case WM_SETFOCUS:      return OnFocus(w, d, 1);
    case WM_KILLFOCUS:     return OnFocus(w, d, 0);
    case WM_ENABLE:        return OnEnable(w, d, wp);
    case WM_SETTEXT:       return ButtonExSetText(w, (const char*)lp);
    case WM_GETTEXT:       return OnGetText(w, wp, lp);
    case WM_SETFONT:       ButtonExSetFont(w, (HFONT)wp); return 0;
    case WM_GETFONT:       return (LRESULT)d->font;
    case WM_PAINT:         return OnPaint(w, d);
    case WM_PRINTCLIENT:   return OnPrintClient(w, d, wp, lp);
    case WM_ERASEBKGND:    ButtonExErase(w, d, (HDC)wp); return 1;
    case WM_SYSCOLORCHANGE: return OnSysColorChange(w, d);
    case WM_SETCURSOR:     return OnSetCursor(w, d, wp, lp);
    case BM_SETIMAGE:      return OnSetImage(d, wp, lp);
    case BM_GETIMAGE:      return OnGetImage(d, wp);
    case WM_KEYUP:         return ButtonExOnKeyUp(w, d, wp, lp);
    case WM_SYSKEYDOWN:    return ButtonExOnSysKeyDown(w, wp, lp);
    case WM_SYSKEYUP:      return ButtonExOnSysKeyUp(w, wp);
    case WM_SYSCHAR:       return 0;
    case WM_MOUSEMOVE:     return ButtonExOnMouseMove(w, d, lp);
    case WM_LBUTTONDOWN:   return ButtonExOnLButtonDown(w, d);
    case WM_LBUTTONUP:     return ButtonExOnLButtonUp(w, d);
    case BXM_SETBKCOLOR:   ButtonExSetBkColor(w, (COLORREF)lp); return 0;
    case BXM_GETBKCOLOR:   return (LRESULT)d->bkColour;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

// ---------------------------------------------------------------------------
// Registration and creation

int ButtonExRegister() {
  if (g_bx.registered) return 1;
  g_bx.instance = GetModuleHandleA(NULL);
  WNDCLASSA wc;
  memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = ButtonExProc;
  wc.cbWndExtra = sizeof(void*);
  wc.hInstance = g_bx.instance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc)) return 0;  // the flag stays clear: the next creation tries again
  ButtonExMakePens();
  g_bx.registered = 1;
  if (!g_bx.defaultFont) g_bx.defaultFont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
  INITCOMMONCONTROLSEX icc;
  icc.dwSize = sizeof icc;
  icc.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&icc);
  return 1;
}

HWND ButtonExCreate(const char* text, DWORD style, int x, int y, int width, int height, HWND parent, int id) {
  g_bx.instance = GetModuleHandleA(NULL);
  if (!g_bx.registered && !ButtonExRegister()) return NULL;
  if (!parent) return NULL;
  HWND button = CreateWindowExA(0, kClassName, text, style | WS_CHILD, x, y, width, height, parent,
                                (HMENU)(INT_PTR)id, g_bx.instance, NULL);
  if (!button) return NULL;
  if (style & BXS_SOFT) {
    ButtonExData* d = ButtonExRecord(button);
    if (d) d->textColour = RGB(40, 50, 90);
    ButtonExRedraw(button);
  }
  return button;
}
