// The snapshot converter as the preview runs it: "-Q -O <output> <input>".
#include "tests/testkit/testkit.h"
#include "tests/win32/png_files.h"
#include <windows.h>
#include <string>

using namespace testpng;

static std::string Converter() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string folder(self);
  folder.resize(folder.rfind('\\'));
  return folder + "\\companions\\png2bmp\\png2bmp.exe";
}

// Runs the converter with the given argument text; returns its exit code.
static DWORD Run(const std::string& args) {
  std::string line = "\"" + Converter() + "\" " + args;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 9999;
  DWORD code = 9998;
  if (WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

struct Bmp { int w = 0, h = 0, bits = 0; std::string data; size_t off = 0; };

static Bmp ParseBmp(const std::string& file) {
  Bmp b;
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return b;
  const BITMAPFILEHEADER* fh = (const BITMAPFILEHEADER*)file.data();
  const BITMAPINFOHEADER* ih = (const BITMAPINFOHEADER*)(file.data() + sizeof(BITMAPFILEHEADER));
  b.w = ih->biWidth; b.h = ih->biHeight; b.bits = ih->biBitCount; b.off = fh->bfOffBits; b.data = file;
  return b;
}

// Top-down pixel (x, y) of a bottom-up 24-bit bitmap.
static Rgba At(const Bmp& b, int x, int y) {
  size_t stride = ((size_t)b.w * 3 + 3) & ~(size_t)3;
  size_t i = b.off + (size_t)(b.h - 1 - y) * stride + (size_t)x * 3;
  if (i + 3 > b.data.size()) return Rgba{1, 2, 3, 0};
  return Rgba{(uint8_t)b.data[i + 2], (uint8_t)b.data[i + 1], (uint8_t)b.data[i], 255};
}

static Rgba Gradient(int x, int y) { return Rgba{(uint8_t)(x * 37), (uint8_t)(y * 53), (uint8_t)((x + y) * 11), 255}; }
static Rgba Translucent(int x, int y) {
  return Rgba{(uint8_t)(x * 37 + 20), 200, (uint8_t)(y * 53), (uint8_t)((x * 64 + y * 16) % 256)};
}
static Rgba Tiles(int x, int y) {
  int i = (x / 4 + y / 4) % 16;
  return Rgba{(uint8_t)(i * 16), (uint8_t)(255 - i * 16), (uint8_t)(i * 7), 255};
}
static Rgba TilesSeeThrough(int x, int y) {
  Rgba p = Tiles(x, y);
  p.a = (uint8_t)((x / 4) % 3 == 0 ? 0 : (x / 4) % 3 == 1 ? 128 : 255);
  return p;
}

// Transparency is composited on black.
static Rgba OnBlack(Rgba p) {
  return Rgba{(uint8_t)((p.r * p.a + 127) / 255), (uint8_t)((p.g * p.a + 127) / 255),
              (uint8_t)((p.b * p.a + 127) / 255), 255};
}

static bool Same(Rgba a, Rgba b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

TEST_CASE(round_trip_of_png_kinds_and_sizes) {
  std::string dir = FreshFolder("png2bmp_round");
  struct { Kind kind; PixelFn pixel; const char* what; } kinds[] = {
    {kRgb, Gradient, "rgb"}, {kRgba, Translucent, "rgba"},
    {kPalette, Tiles, "palette"}, {kPaletteAlpha, TilesSeeThrough, "palette+trns"},
  };
  struct { int w, h; } sizes[] = {{1, 1}, {3, 5}, {17, 2}, {224, 256}};
  for (auto& k : kinds) {
    for (auto& s : sizes) {
      std::string in = dir + "\\in.png", out = dir + "\\out.bmp";
      CHECK(WriteFileBytes(in, Png(k.kind, s.w, s.h, k.pixel)));
      DeleteFileA(out.c_str());
      DWORD code = Run("-Q -O " + out + " " + in);
      if (code != 0) { testkit::Fail(__FILE__, __LINE__, std::string(k.what) + ": exit " + std::to_string(code)); continue; }
      Bmp b = ParseBmp(ReadFileBytes(out));
      CHECK_EQ(b.w, s.w);
      CHECK_EQ(b.h, s.h);
      CHECK_EQ(b.bits, 24);
      int wrong = 0;
      for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x)
          if (!Same(At(b, x, y), OnBlack(k.pixel(x, y)))) ++wrong;
      if (wrong) testkit::Fail(__FILE__, __LINE__, std::string(k.what) + ": " + std::to_string(wrong) + " pixels differ");
      // The preview's own loader takes it, stretched.
      HBITMAP h = (HBITMAP)LoadImageA(nullptr, out.c_str(), IMAGE_BITMAP, 282, 306, LR_LOADFROMFILE);
      CHECK(h != nullptr);
      BITMAP info = {};
      if (h) GetObjectA(h, sizeof info, &info);
      CHECK_EQ((int)info.bmWidth, 282);
      CHECK_EQ((int)info.bmHeight, 306);
      if (h) DeleteObject(h);
    }
  }
  RemoveTree(dir);
}

TEST_CASE(existing_output_replaced_and_former_kept_as_bak) {
  std::string dir = FreshFolder("png2bmp_replace");
  std::string in = dir + "\\in.png", out = dir + "\\out.bmp";
  std::string former = SolidBmp(2, 2, Rgba{9, 9, 9, 255});
  CHECK(WriteFileBytes(out, former));
  CHECK(WriteFileBytes(in, Png(kRgb, 5, 4, Gradient)));
  CHECK_EQ(Run("-Q -O " + out + " " + in), (DWORD)0);
  Bmp b = ParseBmp(ReadFileBytes(out));
  CHECK_EQ(b.w, 5);
  CHECK(ReadFileBytes(out + ".bak") == former);
  CHECK(!FileThere(out + ".new"));
  // A second run replaces the .bak too.
  CHECK_EQ(Run("-Q -O " + out + " " + in), (DWORD)0);
  CHECK_EQ(ParseBmp(ReadFileBytes(out + ".bak")).w, 5);
  RemoveTree(dir);
}

TEST_CASE(damaged_or_missing_input_fails_and_leaves_output_alone) {
  std::string dir = FreshFolder("png2bmp_damaged");
  std::string out = dir + "\\out.bmp";
  std::string former = SolidBmp(3, 3, Rgba{1, 2, 3, 255});
  std::string good = Png(kRgb, 40, 30, Gradient);
  std::string badCrc = good;
  badCrc[good.size() - 20] ^= 0x55;  // inside the IDAT data
  struct { const char* name; std::string bytes; } inputs[] = {
    {"truncated.png", good.substr(0, good.size() / 2)},
    {"header_only.png", good.substr(0, 8)},
    {"empty.png", ""},
    {"text.png", "this is not a picture\r\n"},
    {"bad_crc.png", badCrc},
  };
  for (auto& input : inputs) {
    std::string in = dir + "\\" + input.name;
    CHECK(WriteFileBytes(in, input.bytes));
    CHECK(WriteFileBytes(out, former));
    DWORD code = Run("-Q -O " + out + " " + in);
    if (code == 0) testkit::Fail(__FILE__, __LINE__, std::string(input.name) + " accepted");
    CHECK(ReadFileBytes(out) == former);
    CHECK(!FileThere(out + ".bak"));
    CHECK(!FileThere(out + ".new"));
  }
  CHECK(Run("-Q -O " + out + " " + dir + "\\missing.png") != 0);
  CHECK(ReadFileBytes(out) == former);
  RemoveTree(dir);
}

TEST_CASE(paths_with_blanks_unquoted_or_quoted) {
  std::string dir = FreshFolder("png2bmp blanks");
  std::string sub = dir + "\\snap shots";
  CreateDirectoryA(sub.c_str(), nullptr);
  std::string in = sub + "\\my game.png", out = dir + "\\work file.bmp";
  CHECK(WriteFileBytes(in, Png(kRgb, 6, 7, Gradient)));
  struct { std::string args; } rows[] = {
    {"-Q -O " + out + " " + in},
    {"-Q -O \"" + out + "\" \"" + in + "\""},
    {"-O   " + out + "   " + in + "  "},
  };
  for (auto& r : rows) {
    DeleteFileA(out.c_str());
    CHECK_EQ(Run(r.args), (DWORD)0);
    CHECK_EQ(ParseBmp(ReadFileBytes(out)).w, 6);
  }
  RemoveTree(dir);
}

TEST_CASE(bad_arguments_fail) {
  std::string dir = FreshFolder("png2bmp_args");
  std::string in = dir + "\\in.png";
  CHECK(WriteFileBytes(in, Png(kRgb, 2, 2, Gradient)));
  const std::string rows[] = {"", "-Q", "-Q -O", "-Q -O " + dir + "\\out.bmp", in, "-Q " + in};
  for (auto& args : rows) {
    if (Run(args) == 0) testkit::Fail(__FILE__, __LINE__, "accepted: " + args);
  }
  CHECK(!FileThere(dir + "\\out.bmp"));
  RemoveTree(dir);
}
