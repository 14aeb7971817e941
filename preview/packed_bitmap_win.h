// Packed device-independent bitmaps in movable memory blocks.
// Every operation on a null block returns 0 (or a null handle) and does nothing.
#pragma once
#include <windows.h>
// A copy of bitmap resource `resourceId`, or null when it or the memory is missing.
HGLOBAL LoadBitmapResource(HINSTANCE instance, int resourceId);
HGLOBAL DuplicatePackedBitmap(HGLOBAL block);
void FreePackedBitmap(HGLOBAL block);
int PackedBitmapWidth(HGLOBAL block);
int PackedBitmapHeight(HGLOBAL block);   // rows, whatever their direction
int PackedBitmapBitCount(HGLOBAL block);
// A palette of the colour table (the caller deletes it), or null without one.
HPALETTE PackedBitmapPalette(HGLOBAL block);
// Draws unscaled with the top-left corner at (x, y); the palette is the caller's business.
void DrawPackedBitmap(HGLOBAL block, HDC dc, int x, int y);
