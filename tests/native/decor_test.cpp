// Packed-bitmap layout rules and the opacity arithmetic.
#include "tests/testkit/testkit.h"
#include "preview/packed_bitmap.h"
#include "decor/alpha.h"
#include <cstdint>
#include <vector>

static std::vector<unsigned char> Header(int32_t width, int32_t height, uint16_t bits, uint32_t clrUsed,
                                         uint32_t compression = 0, uint32_t sizeImage = 0) {
  std::vector<unsigned char> h(40, 0);
  auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) h[at + i] = (unsigned char)(v >> (8 * i)); };
  put32(0, 40);
  put32(4, (uint32_t)width);
  put32(8, (uint32_t)height);
  h[12] = 1;
  h[14] = (unsigned char)bits;
  h[15] = (unsigned char)(bits >> 8);
  put32(16, compression);
  put32(20, sizeImage);
  put32(32, clrUsed);
  return h;
}

TEST_CASE(header_fields_are_read_little_endian) {
  std::vector<unsigned char> h = Header(320, -240, 24, 0);
  PackedBitmapHeader out;
  CHECK(ReadPackedBitmapHeader(h.data(), h.size(), &out));
  CHECK_EQ(out.width, 320);
  CHECK_EQ(out.height, -240);
  CHECK_EQ((int)out.bitCount, 24);
  CHECK_EQ(PackedBitmapRows(out.height), 240);
  // Shorter than a header: nothing is read.
  CHECK(!ReadPackedBitmapHeader(h.data(), 39, &out));
  CHECK(!ReadPackedBitmapHeader(nullptr, 40, &out));
  CHECK_EQ(PackedBitmapRows(INT32_MIN), INT32_MAX);
}

TEST_CASE(colour_count_rule) {
  struct { uint16_t bits; uint32_t clrUsed; uint32_t count; uint64_t pixelOffset; } rows[] = {
      {24, 0, 0, 40}, {32, 0, 0, 40}, {8, 0, 256, 40 + 1024}, {8, 16, 16, 40 + 64},
      {4, 0, 16, 40 + 64}, {1, 0, 2, 48}, {24, 5, 5, 60}, {0, 0, 1, 44},
      {8, 0xFFFFFFFFu, 0xFFFFFFFFu, 40 + 4ull * 0xFFFFFFFFu},
  };
  for (auto& r : rows) {
    std::vector<unsigned char> h = Header(4, 4, r.bits, r.clrUsed);
    PackedBitmapHeader out;
    CHECK(ReadPackedBitmapHeader(h.data(), h.size(), &out));
    CHECK_EQ(PackedBitmapColourCount(out), r.count);
    CHECK_EQ(PackedBitmapPixelOffset(out), r.pixelOffset);
  }
}

// A header that promises more than the block holds is never handed on.
TEST_CASE(drawable_only_when_table_and_rows_fit) {
  struct { int32_t w, h; uint16_t bits; uint32_t clrUsed, compression, sizeImage; size_t block; bool fits; } rows[] = {
      {320, 240, 24, 0, 0, 0, 40 + 960 * 240, true},          // 24-bit rows need no padding at 320
      {320, 240, 24, 0, 0, 0, 40 + 960 * 240 - 1, false},
      {3, 2, 24, 0, 0, 0, 40 + 12 * 2, true},                  // 9 bytes padded to 12
      {3, 2, 24, 0, 0, 0, 40 + 9 * 2, false},
      {10, -10, 8, 0, 0, 0, 40 + 1024 + 12 * 10, true},        // top-down counts its rows too
      {10, 10, 8, 16, 0, 0, 40 + 64 + 120, true},
      {10, 10, 8, 16, 0, 0, 40 + 64 + 119, false},
      {0, 10, 24, 0, 0, 0, 1000, false},
      {-5, 10, 24, 0, 0, 0, 1000, false},
      {10, 10, 8, 0xFFFFFFFFu, 0, 0, 100000, false},            // a table that wraps 32-bit sizes
      {0x7FFFFFFF, 0x7FFFFFFF, 32, 0, 0, 0, 100000, false},
      {10, 10, 8, 0, 1, 300, 40 + 1024 + 300, true},           // compressed: biSizeImage counts
      {10, 10, 8, 0, 1, 0, 40 + 1024 + 300, false},
      // Found by fuzzing: bit-field pictures hold three colour masks before the pixels.
      {4, 4, 32, 0, 3, 0, 40 + 64, false},
      {4, 4, 32, 0, 3, 0, 40 + 12 + 64, true},
      // Sizes whose sum or product passes 64 bits must not wrap into a small one.
      {1431655766, 0x7FFFFFFF, 48, 0, 0, 0, 40, false},        // rows take 2^64 - 4 bytes
      {0x7FFFFFFF, 0x40000000, 0xFFFF, 0, 0, 0, 100000, false},
  };
  for (auto& r : rows) {
    std::vector<unsigned char> h = Header(r.w, r.h, r.bits, r.clrUsed, r.compression, r.sizeImage);
    PackedBitmapHeader out;
    ReadPackedBitmapHeader(h.data(), h.size(), &out);
    CHECK_EQ(PackedBitmapDrawable(out, r.block), r.fits);
  }
  std::vector<unsigned char> h = Header(4, 4, 8, 0);
  PackedBitmapHeader out;
  ReadPackedBitmapHeader(h.data(), h.size(), &out);
  CHECK(PackedBitmapTableFits(out, 40 + 1024));
  CHECK(!PackedBitmapTableFits(out, 40 + 1023));
}

TEST_CASE(palette_entry_turns_bgr_into_rgb) {
  const unsigned char table[4] = {0x10, 0x20, 0x30, 0x99};
  unsigned char entry[4] = {1, 1, 1, 1};
  PaletteEntryFromTable(table, entry);
  CHECK_EQ((int)entry[0], 0x30);
  CHECK_EQ((int)entry[1], 0x20);
  CHECK_EQ((int)entry[2], 0x10);
  CHECK_EQ((int)entry[3], 0);
}

TEST_CASE(alpha_from_level) {
  struct { int level; int alpha; } rows[] = {
      {95, 242}, {30, 76}, {50, 127}, {1, 2}, {99, 252}, {100, 255},
      // Above 100 stays opaque instead of wrapping (101 would give alpha 1).
      {101, 255}, {255, 255},
  };
  for (auto& r : rows) CHECK_EQ((int)AlphaFromLevel((unsigned char)r.level), r.alpha);
}

TEST_CASE(only_the_low_byte_of_the_setting_counts) {
  struct { int stored; int level; } rows[] = {{356, 100}, {300, 44}, {95, 95}, {256, 0}, {-1, 255}, {0, 0}};
  for (auto& r : rows) CHECK_EQ((int)TransparencyLevelFromSetting(r.stored), r.level);
}
