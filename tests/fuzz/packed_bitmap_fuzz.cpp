// Any bytes claiming to be a packed bitmap: what the checks let through must
// really lie inside the block. The colour table of a block that "fits" is read
// entry by entry, and a "drawable" picture's last pixel byte is touched, in a
// block of the input's exact size, so a wrong yes trips the address sanitizer.
#include "preview/packed_bitmap.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<unsigned char[]> block(new unsigned char[size ? size : 1]);
  if (size) memcpy(block.get(), data, size);
  PackedBitmapHeader h;
  bool read = ReadPackedBitmapHeader(block.get(), size, &h);
  FUZZ_CHECK(read == (size >= kPackedHeaderSize));
  if (!read) return 0;

  int32_t rows = PackedBitmapRows(h.height);
  FUZZ_CHECK(rows >= 0);
  uint32_t colours = PackedBitmapColourCount(h);
  if (h.clrUsed) FUZZ_CHECK(colours == h.clrUsed);
  else if (h.bitCount <= 8) FUZZ_CHECK(colours == (1u << h.bitCount));
  else FUZZ_CHECK(colours == 0);

  // The true sizes, in a type wide enough that nothing wraps.
  // Bit-field pictures keep three colour masks between the header and the table.
  unsigned __int128 masks = h.compression == 3 ? 12 : 0;
  unsigned __int128 offset = kPackedHeaderSize + masks + (unsigned __int128)4 * colours;
  FUZZ_CHECK(PackedBitmapPixelOffset(h) == (uint64_t)offset);
  bool compressed = h.compression != 0 && h.compression != 3;
  unsigned __int128 pixels = 0;
  if (compressed) pixels = h.sizeImage;
  else if (h.width > 0 && h.bitCount)
    pixels = (((unsigned __int128)h.width * h.bitCount + 31) / 32) * 4 * (unsigned __int128)rows;

  if (PackedBitmapTableFits(h, size)) {
    FUZZ_CHECK(offset <= size);
    unsigned char entry[4];
    const size_t table = kPackedHeaderSize + (size_t)masks;
    for (uint32_t i = 0; i < colours && i < 0x10000; ++i) {
      PaletteEntryFromTable(block.get() + table + 4 * (size_t)i, entry);
      FUZZ_CHECK(entry[3] == 0 && entry[0] == block[table + 4 * (size_t)i + 2]);
    }
  }
  if (PackedBitmapDrawable(h, size)) {
    FUZZ_CHECK(pixels > 0 && offset + pixels <= size);
    FUZZ_CHECK(h.width > 0 && h.height != 0);
    volatile unsigned char last = block[(size_t)(offset + pixels - 1)];
    (void)last;
  }
  return 0;
}
