// The arithmetic of the owner-drawn menus, kept apart so it can be checked natively.
#include "controls/ownermenu_metrics.h"
#include <cstring>

void CopyMenuText(const char* text, char out[kMenuTextSize]) {
  out[0] = 0;
  if (!text) return;
  size_t n = strnlen(text, kMenuTextSize - 1);
  memcpy(out, text, n);
  out[n] = 0;
}

int SplitMenuText(const char* text, char label[kMenuTextSize], char accel[kMenuTextSize]) {
  char whole[kMenuTextSize];
  CopyMenuText(text, whole);
  accel[0] = 0;
  char* tab = strchr(whole, '\t');
  if (!tab) {
    memcpy(label, whole, sizeof whole);
    return 0;
  }
  *tab = 0;
  memcpy(label, whole, (size_t)(tab - whole) + 1);
  CopyMenuText(tab + 1, accel);
  return 1;
}

int MenuItemHeight(int cyMenu) { return cyMenu + 2; }
int MenuSeparatorHeight(int cyMenu) { return (cyMenu + 2) / 2; }

int BandFontHeight(int logPixelsY) {
  // MulDiv(16, dpi, 72): rounded half away from zero.
  long long p = 16LL * logPixelsY;
  return (int)(p >= 0 ? (p + 36) / 72 : (p - 36) / 72);
}

int BandWidthOf(int fontHeight) { return fontHeight + 4; }

int MenuItemWidth(int bandWidth, int checkWidth, int textWidth) {
  return bandWidth + 1 + 2 * (checkWidth + 4) + textWidth;
}

static int Larger(int a, int b) { return a > b ? a : b; }

void AddMenuText(MenuTextWidths* w, const char* text, MeasureText measure, void* context) {
  char whole[kMenuTextSize], label[kMenuTextSize], accel[kMenuTextSize];
  CopyMenuText(text, whole);
  if (SplitMenuText(whole, label, accel)) {
    w->label = Larger(w->label, measure(label, (int)strlen(label), context));
    w->accel = Larger(w->accel, measure(accel, (int)strlen(accel), context));
    w->tabbed = Larger(w->tabbed, measure(whole, (int)strlen(whole), context));
  } else {
    w->label = Larger(w->label, measure(whole, (int)strlen(whole), context));
  }
}

int MenuTextWidth(const MenuTextWidths& w) { return Larger(w.tabbed, w.label + w.accel); }

void BandOffsets(const int* heights, int count, int* offsets) {
  int total = 0;
  for (int i = 0; i < count; ++i) total += heights[i];
  int remaining = total;
  for (int i = 0; i < count; ++i) {
    offsets[i] = total - remaining;
    remaining -= heights[i];
  }
}

CentredSpan CentreInBox(int boxLength, int bitmapLength) {
  CentredSpan s;
  if (boxLength > bitmapLength) {
    s.offset = (boxLength - bitmapLength) / 2;
    s.source = 0;
    s.length = bitmapLength;
  } else {
    s.offset = 0;
    s.source = (bitmapLength - boxLength) / 2;
    s.length = boxLength;
  }
  return s;
}
