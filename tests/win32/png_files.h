// Test pictures written byte by byte: PNGs of the kinds MAME writes (with
// uncompressed deflate blocks, which every decoder must read) and plain BMPs.
#pragma once
#include <windows.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "tests/win32/test_files.h"

namespace testpng {

struct Rgba { uint8_t r, g, b, a; };
typedef Rgba (*PixelFn)(int x, int y);

enum Kind { kRgb, kRgba, kPalette, kPaletteAlpha };

inline uint32_t Crc(const uint8_t* p, size_t n, uint32_t c = 0xFFFFFFFFu) {
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return c;
}

inline void Be32(std::string& s, uint32_t v) {
  for (int i = 3; i >= 0; --i) s += (char)((v >> (8 * i)) & 0xFF);
}

inline void Chunk(std::string& png, const char* type, const std::string& data) {
  Be32(png, (uint32_t)data.size());
  std::string body = std::string(type, 4) + data;
  png += body;
  Be32(png, Crc((const uint8_t*)body.data(), body.size()) ^ 0xFFFFFFFFu);
}

inline std::string Zlib(const std::string& raw) {
  std::string z = "\x78\x01";
  size_t pos = 0;
  do {
    size_t n = raw.size() - pos;
    if (n > 65535) n = 65535;
    bool last = pos + n == raw.size();
    z += (char)(last ? 1 : 0);
    z += (char)(n & 0xFF); z += (char)(n >> 8);
    z += (char)(~n & 0xFF); z += (char)((~n >> 8) & 0xFF);
    z.append(raw, pos, n);
    pos += n;
  } while (pos < raw.size());
  uint32_t a = 1, b = 0;
  for (unsigned char ch : raw) { a = (a + ch) % 65521; b = (b + a) % 65521; }
  Be32(z, (b << 16) | a);
  return z;
}

// Palette kinds take their colours from the pixels (at most 256 distinct).
inline std::string Png(Kind kind, int w, int h, PixelFn pixel) {
  std::vector<Rgba> palette;
  std::string raw;
  for (int y = 0; y < h; ++y) {
    raw += '\0';
    for (int x = 0; x < w; ++x) {
      Rgba p = pixel(x, y);
      if (kind == kRgb) { raw += (char)p.r; raw += (char)p.g; raw += (char)p.b; continue; }
      if (kind == kRgba) { raw += (char)p.r; raw += (char)p.g; raw += (char)p.b; raw += (char)p.a; continue; }
      if (kind == kPalette) p.a = 255;
      size_t i = 0;
      while (i < palette.size() && memcmp(&palette[i], &p, sizeof p) != 0) ++i;
      if (i == palette.size()) palette.push_back(p);
      raw += (char)i;
    }
  }
  std::string ihdr;
  Be32(ihdr, (uint32_t)w); Be32(ihdr, (uint32_t)h);
  int colourType = kind == kRgb ? 2 : kind == kRgba ? 6 : 3;
  ihdr += (char)8; ihdr += (char)colourType; ihdr += std::string(3, '\0');
  std::string png = "\x89PNG\r\n\x1a\n";
  Chunk(png, "IHDR", ihdr);
  if (kind == kPalette || kind == kPaletteAlpha) {
    std::string plte, trns;
    for (Rgba& p : palette) { plte += (char)p.r; plte += (char)p.g; plte += (char)p.b; trns += (char)p.a; }
    Chunk(png, "PLTE", plte);
    if (kind == kPaletteAlpha) Chunk(png, "tRNS", trns);
  }
  Chunk(png, "IDAT", Zlib(raw));
  Chunk(png, "IEND", "");
  return png;
}

// A 24-bit bottom-up BMP of one colour.
inline std::string SolidBmp(int w, int h, Rgba c) {
  int stride = (w * 3 + 3) & ~3;
  std::string pixels((size_t)stride * h, '\0');
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      pixels[(size_t)y * stride + x * 3] = (char)c.b;
      pixels[(size_t)y * stride + x * 3 + 1] = (char)c.g;
      pixels[(size_t)y * stride + x * 3 + 2] = (char)c.r;
    }
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + (DWORD)pixels.size();
  ih.biSize = sizeof ih; ih.biWidth = w; ih.biHeight = h; ih.biPlanes = 1; ih.biBitCount = 24;
  return std::string((const char*)&fh, sizeof fh) + std::string((const char*)&ih, sizeof ih) + pixels;
}

using ::WriteFileBytes;
using ::ReadFileBytes;
using ::FileThere;
using ::RemoveTree;
using ::FreshFolder;

}  // namespace testpng
