// ButtonEx: the program's own push button ("ButtonExClass"). Registration,
// creation, the per-button record, mouse and keyboard behaviour, notification,
// tooltips and the operations around the class. Painting is in
// buttonex_paint_win.cpp, the arithmetic in buttonex_layout.cpp.
#include "controls/buttonex_internal_win.h"
#include <commctrl.h>
#include <string.h>

ButtonExShared g_bx;

static const char kClassName[] = "ButtonExClass";

// ---------------------------------------------------------------------------
// Small helpers

static char* CopyToHeap(const char* text) {
  if (!text) return NULL;
  const size_t n = strlen(text);
  char* copy = (char*)HeapAlloc(GetProcessHeap(), 0, n + 1);
  if (copy) memcpy(copy, text, n + 1);
  return copy;
}

static void FreeText(char*& text) {
  if (text) HeapFree(GetProcessHeap(), 0, text);
  text = NULL;
}

static HFONT DefaultFont() {
  return g_bx.defaultFont ? g_bx.defaultFont : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
}

static void Redraw(HWND button) { InvalidateRect(button, NULL, TRUE); }

ButtonExData* ButtonExRecord(HWND button) {
  if (!ButtonExIsButton(button)) return NULL;
  return (ButtonExData*)GetWindowLongPtrA(button, 0);
}

void ButtonExMakePens() {
  if (!g_bx.shadowPen) g_bx.shadowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  if (!g_bx.highlightPen) g_bx.highlightPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  if (!g_bx.blackPen) g_bx.blackPen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  if (!g_bx.whitePen) g_bx.whitePen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
}

static void DeletePen(HPEN& pen) {
  if (pen) DeleteObject(pen);
  pen = NULL;
}

static void Notify(HWND button) {
  const int id = GetDlgCtrlID(button);
  SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM((WORD)id, 0), (LPARAM)button);
}

// Space, Return and the mnemonic press the button as a mouse click at (10, 10).
static void SimulatedClick(HWND button) {
  SendMessageA(button, WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
  Sleep(100);
  SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

static BOOL CALLBACK ReleaseLatchProc(HWND window, LPARAM) {
  ButtonExData* d = ButtonExRecord(window);
  if (d && (d->style & BXS_LATCH)) {
    d->latched = 0;
    d->atRest = 1;
    Redraw(window);
  }
  return TRUE;
}

// Every latching button among the parent's descendants comes up.
static void ReleaseLatchGroup(HWND button) {
  HWND parent = GetParent(button);
  if (parent) EnumChildWindows(parent, ReleaseLatchProc, 0);
  else ReleaseLatchProc(button, 0);
}

// ---------------------------------------------------------------------------
// Mouse

static void PressStateSet(int on) {
  g_bx.pressedInside = g_bx.buttonDown = g_bx.lastShownInside = on;
}

static int CursorOver(HWND button) {
  POINT pt;
  RECT wr;
  if (!GetCursorPos(&pt) || !GetWindowRect(button, &wr)) return 0;
  return PtInRect(&wr, pt) ? 1 : 0;
}

// The end every release shares, whatever the behaviour.
static void FinishRelease(HWND button, ButtonExData* d, int over, int notify) {
  PressStateSet(0);
  if (over && d->pressed) {
    HWND before = SetFocus(button);
    if (before && before != button) SendMessageA(before, WM_KILLFOCUS, 0, 0);
  }
  Redraw(button);
  UpdateWindow(button);
  if (notify) {
    Notify(button);
    // The parent may have destroyed the button while it handled the click.
    d = ButtonExRecord(button);
    if (!d) return;
  }
  d->pressed = 0;
}

static LRESULT OnLButtonDown(HWND button, ButtonExData* d) {
  PressStateSet(1);
  if (ButtonExBehaviourOf(d->style) == BX_PLAIN) {
    SetCapture(button);
  } else {
    d->atRest = 0;  // the capture taken on entry stays
    d->hot = 0;
  }
  d->pressed = 1;
  if (!d->latched) Redraw(button);
  UpdateWindow(button);
  return 0;
}

static void PlainMouseMove(HWND button, ButtonExData* d, LPARAM lParam) {
  if (!g_bx.buttonDown) return;
  g_bx.pressedInside = ButtonExPointerInside(LOWORD(lParam), HIWORD(lParam), d->width, d->height,
                                             g_bx.pressedInside);
  if (g_bx.pressedInside != g_bx.lastShownInside) {
    Redraw(button);
    g_bx.lastShownInside = g_bx.pressedInside;
  }
}

static void HoverMouseMove(HWND button, ButtonExData* d) {
  if (!d->hot && d->atRest) {
    SetCapture(button);
    d->hot = 1;
    d->atRest = 0;
    Redraw(button);
  } else if (!CursorOver(button)) {
    ReleaseCapture();
    d->hot = 0;
    if (!d->latched) d->atRest = 1;
    d->pressed = 0;
    Redraw(button);
  }
}

static LRESULT OnMouseMove(HWND button, ButtonExData* d, LPARAM lParam) {
  if (ButtonExBehaviourOf(d->style) == BX_PLAIN) PlainMouseMove(button, d, lParam);
  else HoverMouseMove(button, d);
  return 0;
}

static LRESULT OnLButtonUp(HWND button, ButtonExData* d) {
  int over = 1;
  int notify = 0;
  switch (ButtonExBehaviourOf(d->style)) {
    case BX_PLAIN:
      over = CursorOver(button);
      ReleaseCapture();
      // A release that this button never saw go down is no click.
      notify = g_bx.pressedInside && d->pressed;
      break;
    case BX_HOVERING:
      notify = !d->hot && d->pressed;
      d->atRest = 0;
      d->hot = 1;
      break;
    case BX_LATCHING:
      if (d->pressed) {
        if (!d->latched) {
          ReleaseLatchGroup(button);
          notify = !d->hot;
        }
        d->atRest = 0;
        d->latched = 1;
      }
      break;
  }
  FinishRelease(button, d, over, notify);
  return 0;
}

// ---------------------------------------------------------------------------
// Keyboard

static LRESULT OnKeyUp(HWND button, ButtonExData* d, WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_TAB && (d->style & BX_WS_TABSTOP)) {
    HWND parent = GetParent(button);
    HWND next = parent ? GetNextDlgTabItem(parent, button, FALSE) : NULL;
    if (next) SetFocus(next);
    else if (parent) SendMessageA(parent, WM_KEYUP, wParam, lParam);
  } else if (wParam == VK_SPACE || wParam == VK_RETURN) {
    SimulatedClick(button);
  }
  return 0;
}

static BOOL CALLBACK MnemonicProc(HWND window, LPARAM key) {
  ButtonExData* d = ButtonExRecord(window);
  // A disabled or hidden button cannot be clicked, not even by its letter.
  if (d && d->text && ButtonExMnemonic(d->text) == (int)key && IsWindowEnabled(window) &&
      IsWindowVisible(window)) {
    SetFocus(window);
    SimulatedClick(window);
  }
  return TRUE;
}

// Alt held with a key: every button whose text has '&' before that key is clicked.
static LRESULT OnSysKeyUp(HWND button, WPARAM wParam) {
  if (wParam == 0 || wParam > 0xFF) return 0;
  HWND parent = GetParent(button);
  if (parent) EnumChildWindows(parent, MnemonicProc, (LPARAM)wParam);
  else MnemonicProc(button, (LPARAM)wParam);
  return 0;
}

static LRESULT OnSysKeyDown(HWND button, WPARAM wParam, LPARAM lParam) {
  if (wParam != VK_F4) return 0;
  ReleaseCapture();  // so that Alt+F4 reaches the top-level window
  return DefWindowProcA(button, WM_SYSKEYDOWN, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Messages

static LRESULT OnCreate(HWND button, const CREATESTRUCTA* cs) {
  ButtonExData* d = (ButtonExData*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ButtonExData));
  if (!d) return -1;
  const DWORD given = (DWORD)cs->style;
  if (!(given & (BXS_IMAGEONLY | BXS_IMAGEONLY2)) && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
    d->text = CopyToHeap(cs->lpszName);
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
  FreeText(d->text);
  FreeText(d->tipText);
  SetWindowLongPtrA(button, 0, 0);
  HeapFree(GetProcessHeap(), 0, d);
  return 0;
}

static LRESULT OnSize(HWND button, ButtonExData* d, LPARAM lParam) {
  Redraw(button);
  SendMessageA(button, WM_NCPAINT, 1, 0);
  d->width = LOWORD(lParam);
  d->height = HIWORD(lParam);
  return 0;
}

static LRESULT OnFocus(HWND button, ButtonExData* d, int focused) {
  d->focused = focused;
  Redraw(button);
  UpdateWindow(button);
  return 0;
}

static LRESULT OnEnable(HWND button, ButtonExData* d, WPARAM wParam) {
  d->disabled = (wParam == 0);
  Redraw(button);
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
  Redraw(button);
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
    case WM_KEYUP:         return OnKeyUp(w, d, wp, lp);
    case WM_SYSKEYDOWN:    return OnSysKeyDown(w, wp, lp);
    case WM_SYSKEYUP:      return OnSysKeyUp(w, wp);
    case WM_SYSCHAR:       return 0;
    case WM_MOUSEMOVE:     return OnMouseMove(w, d, lp);
    case WM_LBUTTONDOWN:   return OnLButtonDown(w, d);
    case WM_LBUTTONUP:     return OnLButtonUp(w, d);
    case BXM_SETBKCOLOR:   ButtonExSetBkColor(w, (COLORREF)lp); return 0;
    case BXM_GETBKCOLOR:   return (LRESULT)d->bkColour;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

// ---------------------------------------------------------------------------
// Operations

void ButtonExSetDefaultFont(HFONT font) { g_bx.defaultFont = font; }

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
    Redraw(button);
  }
  return button;
}

int ButtonExIsButton(HWND window) {
  if (!window) return 0;
  char name[14] = "";
  if (!GetClassNameA(window, name, sizeof name)) return 0;
  return ButtonExClassMatches(name);
}

// A button that has its tooltip already gets the new text in it.
static int UpdateTip(HWND button, ButtonExData* d, const char* text) {
  char* copy = CopyToHeap(text ? text : "");
  if (!copy) return -1;
  TOOLINFOA ti;
  memset(&ti, 0, sizeof ti);
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.hwnd = button;
  ti.uId = 0;
  ti.hinst = g_bx.instance;
  ti.lpszText = copy;
  SendMessageA(d->tip, TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
  FreeText(d->tipText);
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
  char* copy = CopyToHeap(text ? text : "");
  if (!copy) return -1;
  FreeText(d->tipText);
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
  FreeText(d->text);
  // Keep the system's copy in step, for GetWindowTextLength and readers in other processes.
  DefWindowProcA(button, WM_SETTEXT, 0, (LPARAM)text);
  int result = 0;
  if (text) {
    d->text = CopyToHeap(text);
    if (!d->text) result = -1;
  }
  Redraw(button);
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
  Redraw(button);
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
  Redraw(button);
}

COLORREF ButtonExGetBkColor(HWND button) {
  ButtonExData* d = ButtonExRecord(button);
  return d ? d->bkColour : 0;
}

void ButtonExSetTextColor(HWND button, COLORREF colour) {
  ButtonExData* d = ButtonExRecord(button);
  if (!d) return;
  d->textColour = colour;
  Redraw(button);
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
  Redraw(button);
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
      Redraw(w);
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
