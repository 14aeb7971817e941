// Layout rules of a packed device-independent bitmap (header, colour table,
// pixel rows in one block), kept apart from the memory and drawing calls.
#pragma once
#include <cstddef>
#include <cstdint>

enum { kPackedHeaderSize = 40, kRgbCompression = 0, kBitFieldsCompression = 3 };

struct PackedBitmapHeader {
  int32_t width;        // biWidth, offset 4
  int32_t height;       // biHeight, offset 8; negative means top-down rows
  uint16_t bitCount;    // biBitCount, offset 14
  uint32_t compression; // biCompression, offset 16
  uint32_t sizeImage;   // biSizeImage, offset 20
  uint32_t clrUsed;     // biClrUsed, offset 32
};

// Reads the header fields (little-endian) from the first 40 bytes of a block.
// False when the block is shorter than a header.
bool ReadPackedBitmapHeader(const void* bytes, size_t size, PackedBitmapHeader* out);

// Entries in the colour table: biClrUsed when set, else 2^bitCount for 8 bits
// or fewer, else none.
uint32_t PackedBitmapColourCount(const PackedBitmapHeader& h);

// Rows counted without their direction; never overflows for INT32_MIN.
int32_t PackedBitmapRows(int32_t height);

// Offset of the pixel rows: the header, the colour masks of a bit-field
// picture and the colour table.
uint64_t PackedBitmapPixelOffset(const PackedBitmapHeader& h);

// Bytes the pixel rows take: padded rows times rows for uncompressed pictures,
// biSizeImage for compressed ones; 0 when the header makes no sense.
uint64_t PackedBitmapPixelBytes(const PackedBitmapHeader& h);

// True when the colour table lies wholly inside a block of `blockSize` bytes.
bool PackedBitmapTableFits(const PackedBitmapHeader& h, size_t blockSize);

// True when the colour table and the pixel rows lie inside the block, so that
// the picture can be handed to the platform without reading past its end.
bool PackedBitmapDrawable(const PackedBitmapHeader& h, size_t blockSize);

// A colour-table entry (blue, green, red, reserved) as a palette entry
// (red, green, blue, flags 0).
void PaletteEntryFromTable(const unsigned char tableEntry[4], unsigned char paletteEntry[4]);
