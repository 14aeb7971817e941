// Owner-drawn menus: conversion of a filled popup, measuring, drawing with a
// caption band, and the release of what the conversion allocated.
#include "controls/ownermenu_win.h"
#include <cstring>

static const char kSignature[] = "{44DE039E-73AC-4025-A33F-99070C4E4023}";
static const UINT kDrawFlags = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
static const int kCheckBitmap = 32760;  // OBM_CHECK

const OwnerMenuItem* OwnerMenuRecord(ULONG_PTR itemData) {
  const OwnerMenuItem* r = (const OwnerMenuItem*)itemData;
  if (!r || memcmp(r->signature, kSignature, sizeof r->signature) != 0) return NULL;
  return r;
}

static MENUITEMINFOA MenuInfo(UINT mask) {
  MENUITEMINFOA mii;
  memset(&mii, 0, sizeof mii);
  mii.cbSize = kMenuItemInfoSize;
  mii.fMask = mask;
  return mii;
}

static int MeasureOnDc(const char* text, int length, void* dc) {
  SIZE s = {0, 0};
  if (length > 0) GetTextExtentPoint32A((HDC)dc, text, length, &s);
  return s.cx;
}

typedef BOOL(WINAPI* GradientFillFn)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

static void SetVertex(TRIVERTEX* v, LONG x, LONG y, COLORREF c) {
  v->x = x;
  v->y = y;
  v->Red = (COLOR16)(GetRValue(c) << 8);
  v->Green = (COLOR16)(GetGValue(c) << 8);
  v->Blue = (COLOR16)(GetBValue(c) << 8);
  v->Alpha = 0;
}

// Loaded at run time: the band is optional where msimg32 is missing.
static BOOL PaintGradient(HDC dc, int width, int height) {
  HMODULE lib = LoadLibraryA("msimg32.dll");
  if (!lib) return FALSE;
  GradientFillFn fill = (GradientFillFn)(void*)GetProcAddress(lib, "GradientFill");
  if (!fill) {
    FreeLibrary(lib);
    return FALSE;
  }
  TRIVERTEX v[2];
  SetVertex(&v[0], 0, 0, GetSysColor(COLOR_GRADIENTACTIVECAPTION));
  SetVertex(&v[1], width, height, GetSysColor(COLOR_ACTIVECAPTION));
  GRADIENT_RECT r = {0, 1};
  fill(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_V);
  FreeLibrary(lib);
  return TRUE;
}

static HFONT CreateBandFont(int height) {
  LOGFONTA lf;
  memset(&lf, 0, sizeof lf);
  lf.lfHeight = -height;
  lf.lfEscapement = 900;
  lf.lfOrientation = 900;
  lf.lfWeight = 600;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfQuality = ANTIALIASED_QUALITY;
  strncpy(lf.lfFaceName, "Microsoft Sans Serif", LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

// The band bitmap, or null when neither the gradient nor the caption could be drawn.
static HBITMAP CreateBand(HDC screen, int width, int height, const char* caption, int fontHeight) {
  HFONT font = CreateBandFont(fontHeight);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP band = CreateCompatibleBitmap(screen, width, height);
  if (!mem || !band) {
    if (band) DeleteObject(band);
    if (mem) DeleteDC(mem);
    if (font) DeleteObject(font);
    return NULL;
  }
  HGDIOBJ oldBitmap = SelectObject(mem, band);
  BitBlt(mem, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  BOOL gradient = PaintGradient(mem, width, height);
  HGDIOBJ oldFont = font ? SelectObject(mem, font) : NULL;
  SetBkMode(mem, TRANSPARENT);
  COLORREF oldColour = SetTextColor(mem, GetSysColor(COLOR_HIGHLIGHTTEXT));
  const char* text = caption ? caption : "";
  BOOL written = font && TextOutA(mem, 2, height - 4, text, (int)strlen(text));
  if (oldFont) SelectObject(mem, oldFont);
  SetTextColor(mem, oldColour);
  SetBkMode(mem, OPAQUE);
  if (font) DeleteObject(font);
  SelectObject(mem, oldBitmap);
  DeleteDC(mem);
  if (!gradient && !written) {
    DeleteObject(band);
    return NULL;
  }
  return band;
}

int MakeOwnerDrawnMenu(HMENU menu, const char* caption) {
  int check = GetSystemMetrics(SM_CXMENUCHECK);
  int cyMenu = GetSystemMetrics(SM_CYMENU);
  int count = GetMenuItemCount(menu);
  if (count <= 0) return 0;
  OwnerMenuItem* items =
      (OwnerMenuItem*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(OwnerMenuItem) * (SIZE_T)count);
  if (!items) return 0;

  HDC screen = GetDC(NULL);
  HGDIOBJ oldFont = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
  MenuTextWidths widths = {0, 0, 0};
  int total = 0;
  for (int i = 0; i < count; ++i) {
    OwnerMenuItem* r = &items[i];
    memcpy(r->signature, kSignature, sizeof r->signature);
    MENUITEMINFOA mii = MenuInfo(MIIM_TYPE);
    mii.dwTypeData = r->text;
    mii.cch = sizeof r->text;
    GetMenuItemInfoA(menu, (UINT)i, TRUE, &mii);
    r->text[sizeof r->text - 1] = 0;
    r->typeBefore = mii.fType;
    r->itemHeight = (mii.fType & MFT_SEPARATOR) ? MenuSeparatorHeight(cyMenu) : MenuItemHeight(cyMenu);
    total += r->itemHeight;
    if (!(mii.fType & MFT_SEPARATOR)) AddMenuText(&widths, r->text, MeasureOnDc, screen);
  }
  SelectObject(screen, oldFont);
  int textWidth = MenuTextWidth(widths);

  int fontHeight = BandFontHeight(GetDeviceCaps(screen, LOGPIXELSY));
  int bandWidth = BandWidthOf(fontHeight);
  HBITMAP band = CreateBand(screen, bandWidth, total, caption, fontHeight);
  ReleaseDC(NULL, screen);
  if (!band) bandWidth = 0;

  int remaining = total;
  for (int i = 0; i < count; ++i) {
    OwnerMenuItem* r = &items[i];
    r->band = band;
    r->bandWidth = bandWidth;
    r->bandOffset = total - remaining;
    remaining -= r->itemHeight;
    r->itemWidth = MenuItemWidth(bandWidth, check, textWidth);
    r->reportedWidth = (r->typeBefore & MFT_SEPARATOR) ? 0 : r->itemWidth;
    MENUITEMINFOA mii = MenuInfo(MIIM_TYPE | MIIM_DATA);
    mii.fType = MFT_OWNERDRAW;
    mii.dwItemData = (ULONG_PTR)r;
    SetMenuItemInfoA(menu, (UINT)i, TRUE, &mii);
  }
  return 1;
}

// The three tests shared by measuring and drawing.
static const OwnerMenuItem* OurItem(WPARAM wParam, UINT ctlType, ULONG_PTR data) {
  if (wParam != 0 || ctlType != ODT_MENU) return NULL;
  return OwnerMenuRecord(data);
}

BOOL MeasureMenuItem(WPARAM wParam, MEASUREITEMSTRUCT* item) {
  if (!item) return FALSE;
  const OwnerMenuItem* r = OurItem(wParam, item->CtlType, item->itemData);
  if (!r) return FALSE;
  item->itemHeight = (UINT)r->itemHeight;
  item->itemWidth = (UINT)r->reportedWidth;
  return TRUE;
}

// Label alone, then the accelerator right-aligned K pixels in from the edge.
static void DrawItemText(HDC dc, RECT* rect, const OwnerMenuItem* r, int check) {
  char label[kMenuTextSize], accel[kMenuTextSize];
  if (SplitMenuText(r->text, label, accel)) {
    DrawTextExA(dc, label, (int)strlen(label), rect, kDrawFlags, NULL);
    rect->right -= check;
    DrawTextExA(dc, accel, (int)strlen(accel), rect, kDrawFlags | DT_RIGHT, NULL);
    rect->right += check;
  } else {
    DrawTextExA(dc, label, (int)strlen(label), rect, kDrawFlags, NULL);
  }
}

static void DrawCheckMark(HDC dc, const RECT& item, int bandWidth, int check, COLORREF background) {
  HBITMAP mark = LoadBitmapA(NULL, MAKEINTRESOURCEA(kCheckBitmap));
  if (!mark) return;
  BITMAP bm;
  memset(&bm, 0, sizeof bm);
  GetObjectA(mark, sizeof bm, &bm);
  CentredSpan x = CentreInBox(check, bm.bmWidth);
  CentredSpan y = CentreInBox(item.bottom - item.top, bm.bmHeight);
  HDC mem = CreateCompatibleDC(dc);
  if (mem) {
    HGDIOBJ old = SelectObject(mem, mark);
    // Set pixels of the monochrome mark take the background colour, the mark the text colour.
    COLORREF oldBack = SetBkColor(dc, background);
    BitBlt(dc, item.left + bandWidth + 2 + x.offset, item.top + y.offset, x.length, y.length, mem, x.source,
           y.source, SRCCOPY);
    SetBkColor(dc, oldBack);
    SelectObject(mem, old);
    DeleteDC(mem);
  }
  DeleteObject(mark);
}

static void CopyBandSlice(HDC dc, const RECT& item, const OwnerMenuItem* r) {
  if (!r->band || r->bandWidth <= 0) return;
  HDC mem = CreateCompatibleDC(NULL);
  if (!mem) return;
  HGDIOBJ old = SelectObject(mem, r->band);
  BitBlt(dc, item.left, item.top, r->bandWidth, item.bottom - item.top, mem, 0, r->bandOffset, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

BOOL DrawMenuItem(WPARAM wParam, DRAWITEMSTRUCT* item) {
  if (!item) return FALSE;
  const OwnerMenuItem* r = OurItem(wParam, item->CtlType, item->itemData);
  if (!r) return FALSE;
  HDC dc = item->hDC;
  int check = GetSystemMetrics(SM_CXMENUCHECK);
  CopyBandSlice(dc, item->rcItem, r);

  RECT rect = item->rcItem;
  rect.left += r->bandWidth;
  bool selected = (item->itemState & ODS_SELECTED) != 0;
  bool grayed = (item->itemState & ODS_GRAYED) != 0;

  if (r->typeBefore & MFT_SEPARATOR) {
    rect.top += (rect.bottom - rect.top) / 2 - 1;
    DrawEdge(dc, &rect, EDGE_ETCHED, BF_TOP);
    return TRUE;
  }

  COLORREF background = GetSysColor(selected ? COLOR_ACTIVECAPTION : COLOR_MENU);
  COLORREF text = GetSysColor(COLOR_MENUTEXT);
  if (selected) text = GetSysColor(grayed ? COLOR_MENU : COLOR_HIGHLIGHTTEXT);
  SetTextColor(dc, text);
  SetBkColor(dc, background);
  SetBkMode(dc, OPAQUE);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);

  rect.left += check + 3;
  rect.top += 1;
  if (grayed && !selected) {
    OffsetRect(&rect, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    SetBkMode(dc, OPAQUE);
    DrawItemText(dc, &rect, r, check);
    OffsetRect(&rect, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    SetBkMode(dc, TRANSPARENT);
    DrawItemText(dc, &rect, r, check);
    SetBkMode(dc, OPAQUE);
  } else {
    DrawItemText(dc, &rect, r, check);
  }

  UINT state = GetMenuState((HMENU)item->hwndItem, item->itemID, MF_BYCOMMAND);
  if (state != (UINT)-1 && (state & MF_CHECKED)) DrawCheckMark(dc, item->rcItem, r->bandWidth, check, background);
  return TRUE;
}

void FreeOwnerDrawnMenus(HWND window) {
  if (!IsWindow(window)) return;
  HMENU bar = GetMenu(window);
  int count = GetMenuItemCount(bar);
  for (int i = 0; i < count; ++i) {
    HMENU popup = GetSubMenu(bar, i);
    if (!popup) continue;
    MENUITEMINFOA mii = MenuInfo(MIIM_TYPE | MIIM_DATA);
    if (!GetMenuItemInfoA(popup, 0, TRUE, &mii)) continue;
    if (mii.fType != MFT_OWNERDRAW) continue;
    OwnerMenuItem* block = (OwnerMenuItem*)OwnerMenuRecord(mii.dwItemData);
    if (!block) continue;
    // Clear every item's data first, so a late paint or a second call finds nothing to use.
    int items = GetMenuItemCount(popup);
    for (int k = 0; k < items; ++k) {
      MENUITEMINFOA clear = MenuInfo(MIIM_DATA);
      SetMenuItemInfoA(popup, (UINT)k, TRUE, &clear);
    }
    if (block->band) DeleteObject(block->band);
    HeapFree(GetProcessHeap(), 0, block);
  }
}

void ShowMenuBarPopup(HWND window, LPARAM packedPoint, int position) {
  if (!IsWindow(window)) return;
  HMENU popup = GetSubMenu(GetMenu(window), position);
  if (!popup) return;
  // Signed words: a monitor left of or above the primary one has negative coordinates.
  int x = (short)LOWORD(packedPoint);
  int y = (short)HIWORD(packedPoint);
  TrackPopupMenuEx(popup, TPM_RIGHTBUTTON, x, y, window, NULL);
}

HMENU FindMenuOfCommand(HMENU menu, UINT command) {
  if (!menu) return NULL;
  enum { kQueueSize = 64 };
  HMENU queue[kQueueSize];
  int head = 0, count = 0;
  queue[0] = menu;
  count = 1;
  while (count > 0) {
    HMENU m = queue[head];
    head = (head + 1) % kQueueSize;
    --count;
    for (int pos = GetMenuItemCount(m) - 1; pos >= 0; --pos) {
      if (GetMenuItemID(m, pos) == command) return m;
      HMENU sub = GetSubMenu(m, pos);
      // A full queue drops further submenus instead of overwriting queued ones.
      if (sub && count < kQueueSize) {
        queue[(head + count) % kQueueSize] = sub;
        ++count;
      }
    }
  }
  return NULL;
}

void ToggleMenuCheck(HWND window, UINT command) {
  HMENU menu = FindMenuOfCommand(GetMenu(window), command);
  if (!menu) return;
  UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
  CheckMenuItem(menu, command, MF_BYCOMMAND | ((state & MF_CHECKED) ? MF_UNCHECKED : MF_CHECKED));
}

void ToggleMenuEnabled(HWND window, UINT command) {
  HMENU menu = FindMenuOfCommand(GetMenu(window), command);
  if (!menu) return;
  UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
  EnableMenuItem(menu, command, MF_BYCOMMAND | ((state & MF_GRAYED) ? MF_ENABLED : MF_GRAYED));
}
