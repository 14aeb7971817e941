// Stand-in until this module is built.
#include "preview/packed_bitmap_win.h"
HGLOBAL LoadBitmapResource(HINSTANCE, int) { return NULL; }
HGLOBAL DuplicatePackedBitmap(HGLOBAL) { return NULL; }
void FreePackedBitmap(HGLOBAL) {}
int PackedBitmapWidth(HGLOBAL) { return 0; }
int PackedBitmapHeight(HGLOBAL) { return 0; }
int PackedBitmapBitCount(HGLOBAL) { return 0; }
HPALETTE PackedBitmapPalette(HGLOBAL) { return NULL; }
void DrawPackedBitmap(HGLOBAL, HDC, int, int) {}
