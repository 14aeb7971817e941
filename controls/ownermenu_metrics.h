// Sizes of the owner-drawn menus: item heights, widths, band rows and the
// placement of the check mark. No platform calls; the widths of texts come
// from a measuring function the caller supplies.
#pragma once
#include <cstddef>

enum { kMenuTextSize = 64 };  // 63 characters and the terminator

// Copies at most 63 characters of an item's text.
void CopyMenuText(const char* text, char out[kMenuTextSize]);

// Splits at the first tab: the label before it, the accelerator after it.
// Returns 0 (label = whole text, accelerator empty) when there is no tab.
int SplitMenuText(const char* text, char label[kMenuTextSize], char accel[kMenuTextSize]);

int MenuItemHeight(int cyMenu);       // SM_CYMENU + 2
int MenuSeparatorHeight(int cyMenu);  // half of that, rounded down
int BandFontHeight(int logPixelsY);   // 16 points at that resolution (MulDiv rounding)
int BandWidthOf(int fontHeight);      // font height + 4
int MenuItemWidth(int bandWidth, int checkWidth, int textWidth);

// Widest texts of one menu, gathered item by item.
struct MenuTextWidths {
  int label;   // widest label (or whole text of an item without a tab)
  int accel;   // widest accelerator
  int tabbed;  // widest whole text of an item with a tab
};
typedef int (*MeasureText)(const char* text, int length, void* context);
void AddMenuText(MenuTextWidths* w, const char* text, MeasureText measure, void* context);
// The larger of the widest whole tabbed text and widest label + widest accelerator.
int MenuTextWidth(const MenuTextWidths& w);

// Row of the band at which each item's slice begins: the sum of the heights above it.
void BandOffsets(const int* heights, int count, int* offsets);

// One axis of a bitmap centred in a box: cropped around its centre when the
// box is not larger than the bitmap.
struct CentredSpan {
  int offset;  // from the start of the box
  int source;  // first row or column of the bitmap used
  int length;
};
CentredSpan CentreInBox(int boxLength, int bitmapLength);
