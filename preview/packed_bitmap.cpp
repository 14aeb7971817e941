// Layout rules of packed bitmaps: header reads, colour count, sizes.
#include "preview/packed_bitmap.h"

static uint32_t Read32(const unsigned char* p) {
  return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

bool ReadPackedBitmapHeader(const void* bytes, size_t size, PackedBitmapHeader* out) {
  if (!bytes || !out || size < kPackedHeaderSize) return false;
  const unsigned char* p = (const unsigned char*)bytes;
  out->width = (int32_t)Read32(p + 4);
  out->height = (int32_t)Read32(p + 8);
  out->bitCount = (uint16_t)(p[14] | (p[15] << 8));
  out->compression = Read32(p + 16);
  out->sizeImage = Read32(p + 20);
  out->clrUsed = Read32(p + 32);
  return true;
}

uint32_t PackedBitmapColourCount(const PackedBitmapHeader& h) {
  if (h.clrUsed != 0) return h.clrUsed;
  if (h.bitCount <= 8) return 1u << h.bitCount;
  return 0;
}

int32_t PackedBitmapRows(int32_t height) {
  if (height >= 0) return height;
  if (height == INT32_MIN) return INT32_MAX;
  return -height;
}

uint64_t PackedBitmapPixelOffset(const PackedBitmapHeader& h) {
  // Bit-field pictures keep their three colour masks before the colour table;
  // the platform reads them, so they count as part of the block.
  const uint64_t masks = h.compression == kBitFieldsCompression ? 12 : 0;
  return kPackedHeaderSize + masks + 4ull * PackedBitmapColourCount(h);
}

uint64_t PackedBitmapPixelBytes(const PackedBitmapHeader& h) {
  if (h.compression != kRgbCompression && h.compression != kBitFieldsCompression) return h.sizeImage;
  if (h.width <= 0 || h.bitCount == 0) return 0;
  uint64_t rowBytes = (((uint64_t)h.width * h.bitCount + 31) / 32) * 4;
  uint64_t rows = (uint64_t)PackedBitmapRows(h.height);
  // A size past 64 bits makes no sense either; wrapped, it could look small.
  if (rows != 0 && rowBytes > UINT64_MAX / rows) return 0;
  return rowBytes * rows;
}

bool PackedBitmapTableFits(const PackedBitmapHeader& h, size_t blockSize) {
  return PackedBitmapPixelOffset(h) <= blockSize;
}

bool PackedBitmapDrawable(const PackedBitmapHeader& h, size_t blockSize) {
  uint64_t pixels = PackedBitmapPixelBytes(h);
  if (pixels == 0 || h.width <= 0 || h.height == 0) return false;
  const uint64_t offset = PackedBitmapPixelOffset(h);
  return offset <= blockSize && pixels <= blockSize - offset;  // a sum could wrap
}

void PaletteEntryFromTable(const unsigned char tableEntry[4], unsigned char paletteEntry[4]) {
  paletteEntry[0] = tableEntry[2];
  paletteEntry[1] = tableEntry[1];
  paletteEntry[2] = tableEntry[0];
  paletteEntry[3] = 0;
}
