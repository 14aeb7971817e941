// How a ButtonEx button erases and paints itself: one of four looks (raised,
// pressed, flat, hover) in a soft, classic or system frame, then its content.
// Also the bitmap recolouring used when the system colours change.
#include "controls/buttonex_internal_win.h"
#include <string.h>

void ButtonExErase(HWND button, ButtonExData* d, HDC dc) {
  RECT rc;
  GetClientRect(button, &rc);
  HGDIOBJ oldBrush = SelectObject(dc, d->bkBrush);
  if (d->style & BXS_SOFT) {
    RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, 8, 8);
  } else if (d->style & BXS_HOVER) {
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, rc.left, rc.top, rc.right + 1, rc.bottom + 1);
    SelectObject(dc, oldPen);
  } else {
    Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
  }
  SelectObject(dc, oldBrush);
}

// ---------------------------------------------------------------------------
// Content: text and image, shifted by one pixel in the pressed look.

static int ImageSize(HBITMAP bitmap, HICON icon, int* w, int* h) {
  BITMAP bm;
  *w = *h = 0;
  if (bitmap) {
    if (!GetObjectA(bitmap, sizeof bm, &bm)) return 0;
    *w = bm.bmWidth;
    *h = bm.bmHeight;
    return 1;
  }
  ICONINFO info;
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  int ok = 0;
  if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bm, &bm)) {
    *w = bm.bmWidth;
    *h = bm.bmHeight;
    ok = 1;
  } else if (info.hbmMask && GetObjectA(info.hbmMask, sizeof bm, &bm)) {
    *w = bm.bmWidth;  // a monochrome icon: mask and image stacked in one bitmap
    *h = bm.bmHeight / 2;
    ok = 1;
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return ok;
}

static void DrawContent(HWND button, ButtonExData* d, HDC dc, int shift) {
  const int hasText = d->text && d->text[0];
  SIZE size = {0, 0};
  HGDIOBJ oldFont = NULL;
  if (hasText) {
    oldFont = SelectObject(dc, d->font);
    char copy[BX_MEASURE_CHARS];
    const int n = ButtonExStripPrefix(d->text, copy, sizeof copy);
    GetTextExtentPoint32A(dc, copy, n, &size);
  }
  const UINT state = d->disabled ? DSS_DISABLED : DSS_NORMAL;

  HBITMAP bitmap = ((d->style & BXS_BITMAP) && d->bitmap) ? d->bitmap : NULL;
  HICON icon = (!bitmap && (d->style & BXS_ICON) && d->icon) ? d->icon : NULL;
  int w = 0, h = 0;
  const int hasImage = (bitmap || icon) && ImageSize(bitmap, icon, &w, &h);
  const ButtonExPlace at =
      ButtonExPlaceContent(d->style, d->width, d->height, hasText, size.cx, size.cy, hasImage, w, h);

  if (hasImage && bitmap) {
    HBITMAP shown = (shift && d->pressedBitmap) ? d->pressedBitmap : bitmap;
    DrawStateA(dc, NULL, NULL, (LPARAM)shown, 0, at.imageX + shift, at.imageY + shift, 0, 0,
               DST_BITMAP | state);
  } else if (hasImage) {
    HICON shown = (shift && d->pressedIcon) ? d->pressedIcon : icon;
    DrawStateA(dc, NULL, NULL, (LPARAM)shown, 0, at.imageX + shift, at.imageY + shift, w, h,
               DST_ICON | state);
  }

  if (hasText) {
    SetBkColor(dc, d->bkColour);
    SetTextColor(dc, d->disabled ? RGB(128, 128, 128) : d->textColour);
    DrawStateA(dc, NULL, NULL, (LPARAM)d->text, (WPARAM)strlen(d->text), at.textX + shift,
               at.textY + shift, 0, 0, DST_PREFIXTEXT | state);
    SelectObject(dc, oldFont);
  }

  // The whole client area, not the update region: a partial repaint must not
  // draw the dotted rectangle somewhere inside the button.
  if ((d->style & BXS_FOCUSRECT) && !(d->style & BXS_SOFT) && d->focused) {
    RECT focus;
    GetClientRect(button, &focus);
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

// ---------------------------------------------------------------------------
// Frames

// Outline, shading and softened corners; the three shading pens are handed
// back to be deleted once the look has put its own pen back.
static void SoftFrame(HDC dc, const RECT& rc, ButtonExSoftCase softCase, HPEN shading[3]) {
  HPEN outline = CreatePen(PS_SOLID, 1, BX_SOFT_OUTLINE);
  if (outline) SelectObject(dc, outline);
  RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, 6, 6);

  unsigned colours[3];
  ButtonExSoftPens(softCase, colours);
  for (int i = 0; i < 3; ++i) shading[i] = CreatePen(PS_SOLID, 1, colours[i]);
  ButtonExLine lines[8];
  const int count = ButtonExSoftLines(softCase, rc.left, rc.top, rc.right, rc.bottom, lines);
  for (int i = 0; i < count; ++i) {
    if (shading[lines[i].pen]) SelectObject(dc, shading[lines[i].pen]);
    MoveToEx(dc, lines[i].x1, lines[i].y1, NULL);
    LineTo(dc, lines[i].x2, lines[i].y2);
  }
  if (outline) {
    if (GetCurrentObject(dc, OBJ_PEN) == outline) SelectObject(dc, g_bx.blackPen);
    DeleteObject(outline);
  }

  const int pressed = softCase == BX_SOFT_PRESSED || softCase == BX_SOFT_FOCUSED_PRESSED;
  ButtonExPixel pixels[10];
  const int n = ButtonExSoftPixels(pressed, rc.left, rc.top, rc.right, rc.bottom, pixels);
  for (int i = 0; i < n; ++i)
    SetPixelV(dc, pixels[i].x, pixels[i].y, pixels[i].light ? BX_CORNER_LIGHT : BX_CORNER);
}

// The raised and the pressed looks differ only in which way the frame faces.
static void FramedLook(HWND button, ButtonExData* d, HDC dc, int pressed) {
  RECT rc;
  GetClientRect(button, &rc);
  if (d->style & BXS_SYSFRAME) {
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    DrawContent(button, d, dc, pressed);
    return;
  }
  MoveToEx(dc, rc.right - 1, 0, NULL);
  HGDIOBJ oldPen = SelectObject(dc, g_bx.blackPen);
  HGDIOBJ oldBrush = SelectObject(dc, d->bkBrush);
  HPEN shading[3] = {NULL, NULL, NULL};
  if (d->style & BXS_SOFT) {
    const int focusLook = (d->style & BXS_FOCUSRECT) && d->focused;
    const ButtonExSoftCase softCase = pressed ? (focusLook ? BX_SOFT_FOCUSED_PRESSED : BX_SOFT_PRESSED)
                                              : (focusLook ? BX_SOFT_FOCUSED_RAISED : BX_SOFT_RAISED);
    SoftFrame(dc, rc, softCase, shading);
  } else {
    const int stark = (d->style & BXS_STARK) != 0;
    HPEN light = stark ? g_bx.whitePen : g_bx.highlightPen;
    HPEN dark = stark ? g_bx.blackPen : g_bx.shadowPen;
    SelectObject(dc, pressed ? dark : light);
    LineTo(dc, 0, 0);
    LineTo(dc, 0, rc.bottom - 1);
    SelectObject(dc, pressed ? light : dark);
    LineTo(dc, rc.right - 1, rc.bottom - 1);
    LineTo(dc, rc.right - 1, rc.top);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  for (HPEN pen : shading)
    if (pen) DeleteObject(pen);
  DrawContent(button, d, dc, pressed);
}

// Under the mouse a flat button shows the classic raised lines, soft or not.
static void HoverLook(HWND button, ButtonExData* d, HDC dc) {
  RECT rc;
  GetClientRect(button, &rc);
  MoveToEx(dc, rc.right - 1, 0, NULL);
  HGDIOBJ oldPen = SelectObject(dc, g_bx.blackPen);
  HGDIOBJ oldBrush = SelectObject(dc, d->bkBrush);
  const int stark = (d->style & BXS_STARK) != 0;
  SelectObject(dc, stark ? g_bx.whitePen : g_bx.highlightPen);
  LineTo(dc, 0, 0);
  LineTo(dc, 0, rc.bottom - 1);
  SelectObject(dc, stark ? g_bx.blackPen : g_bx.shadowPen);
  LineTo(dc, rc.right - 1, rc.bottom - 1);
  LineTo(dc, rc.right - 1, rc.top);
  DrawContent(button, d, dc, 0);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void ButtonExPaintTo(HWND button, ButtonExData* d, HDC dc) {
  ButtonExMakePens();
  // A plain button is pressed only while it is the one held with the pointer inside.
  const int pressedInside = g_bx.pressedInside && d->pressed;
  switch (ButtonExChooseLook(d->style, d->hot, d->atRest, d->latched, pressedInside)) {
    case BX_LOOK_RAISED:  FramedLook(button, d, dc, 0); break;
    case BX_LOOK_PRESSED: FramedLook(button, d, dc, 1); break;
    case BX_LOOK_FLAT:    DrawContent(button, d, dc, 0); break;
    case BX_LOOK_HOVER:   HoverLook(button, d, dc); break;
  }
}

// ---------------------------------------------------------------------------
// Recolouring

void ButtonExRecolorBitmap(HBITMAP bitmap, COLORREF from, COLORREF to) {
  if (!bitmap) return;
  HDC screen = GetDC(NULL);
  HDC mem = CreateCompatibleDC(screen);
  ReleaseDC(NULL, screen);
  if (!mem) return;
  HGDIOBJ old = SelectObject(mem, bitmap);
  BITMAP bm;
  if (old && GetObjectA(bitmap, sizeof bm, &bm)) {
    for (int x = 0; x < bm.bmWidth; ++x)
      for (int y = 0; y < bm.bmHeight; ++y)
        if (GetPixel(mem, x, y) == from) SetPixelV(mem, x, y, to);
  }
  if (old) SelectObject(mem, old);
  DeleteDC(mem);
}

HBITMAP ButtonExLoadRecolored(int resourceId, COLORREF from, COLORREF to) {
  HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA((WORD)resourceId));
  if (!bitmap) return NULL;
  ButtonExRecolorBitmap(bitmap, from, to);
  return bitmap;
}
