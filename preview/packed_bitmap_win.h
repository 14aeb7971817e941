// Packed device-independent bitmaps in movable memory blocks.
#pragma once
#include <windows.h>
HGLOBAL LoadBitmapResource(HINSTANCE instance, int resourceId);
HGLOBAL DuplicatePackedBitmap(HGLOBAL block);
void FreePackedBitmap(HGLOBAL block);
int PackedBitmapWidth(HGLOBAL block);
int PackedBitmapHeight(HGLOBAL block);
int PackedBitmapBitCount(HGLOBAL block);
HPALETTE PackedBitmapPalette(HGLOBAL block);
void DrawPackedBitmap(HGLOBAL block, HDC dc, int x, int y);
