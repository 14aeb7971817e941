// Packed bitmaps in movable memory: each operation locks the block only for
// its own duration, and checks the header against the block's real size.
#include "preview/packed_bitmap_win.h"
#include "preview/packed_bitmap.h"
#include <cstddef>
#include <cstring>

namespace {
// Locks a block for one operation and unlocks it when the operation ends.
struct Locked {
  HGLOBAL block;
  const unsigned char* bytes;
  size_t size;
  explicit Locked(HGLOBAL b) : block(b), bytes(NULL), size(0) {
    if (!block) return;
    bytes = (const unsigned char*)GlobalLock(block);
    if (bytes) size = GlobalSize(block);
  }
  ~Locked() { if (bytes) GlobalUnlock(block); }
  bool Header(PackedBitmapHeader* h) const { return bytes && ReadPackedBitmapHeader(bytes, size, h); }
};

HGLOBAL CopyIntoNewBlock(const void* source, SIZE_T size) {
  if (!source || size == 0) return NULL;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return NULL;
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    return NULL;
  }
  memcpy(target, source, size);
  GlobalUnlock(block);
  return block;
}
}  // namespace

HGLOBAL LoadBitmapResource(HINSTANCE instance, int resourceId) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), (LPCSTR)RT_BITMAP);
  if (!found) return NULL;
  DWORD size = SizeofResource(instance, found);
  HGLOBAL loaded = LoadResource(instance, found);
  if (!loaded || size == 0) return NULL;
  return CopyIntoNewBlock(LockResource(loaded), size);
}

HGLOBAL DuplicatePackedBitmap(HGLOBAL block) {
  Locked source(block);
  return source.bytes ? CopyIntoNewBlock(source.bytes, source.size) : NULL;
}

void FreePackedBitmap(HGLOBAL block) {
  if (block) GlobalFree(block);
}

int PackedBitmapWidth(HGLOBAL block) {
  PackedBitmapHeader h;
  return Locked(block).Header(&h) ? h.width : 0;
}

int PackedBitmapHeight(HGLOBAL block) {
  PackedBitmapHeader h;
  return Locked(block).Header(&h) ? PackedBitmapRows(h.height) : 0;
}

int PackedBitmapBitCount(HGLOBAL block) {
  PackedBitmapHeader h;
  return Locked(block).Header(&h) ? h.bitCount : 0;
}

HPALETTE PackedBitmapPalette(HGLOBAL block) {
  Locked source(block);
  PackedBitmapHeader h;
  if (!source.Header(&h)) return NULL;
  uint32_t count = PackedBitmapColourCount(h);
  // A table that runs past the block, or more entries than a palette holds, gives none.
  if (count == 0 || count > 0xFFFF || !PackedBitmapTableFits(h, source.size)) return NULL;
  LOGPALETTE* palette = (LOGPALETTE*)GlobalAlloc(GPTR, 4 * count + 8);
  if (!palette) return NULL;
  palette->palVersion = 0x300;
  palette->palNumEntries = (WORD)count;
  const unsigned char* table = source.bytes + kPackedHeaderSize;
  unsigned char* entries = (unsigned char*)palette + offsetof(LOGPALETTE, palPalEntry);
  for (uint32_t i = 0; i < count; ++i) PaletteEntryFromTable(table + 4 * i, entries + 4 * i);
  HPALETTE result = CreatePalette(palette);
  GlobalFree(palette);
  return result;
}

void DrawPackedBitmap(HGLOBAL block, HDC dc, int x, int y) {
  Locked source(block);
  PackedBitmapHeader h;
  if (!source.Header(&h) || !PackedBitmapDrawable(h, source.size)) return;
  // Top-down pictures draw upright too: the header's sign tells the platform the row order.
  DWORD rows = (DWORD)PackedBitmapRows(h.height);
  SetDIBitsToDevice(dc, x, y, (DWORD)h.width, rows, 0, 0, 0, rows,
                    source.bytes + PackedBitmapPixelOffset(h), (const BITMAPINFO*)source.bytes, DIB_RGB_COLORS);
}
