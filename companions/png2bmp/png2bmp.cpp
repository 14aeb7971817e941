// png2bmp: turns one PNG snapshot into a 24-bit bottom-up Windows bitmap for the
// preview. Called as "png2bmp -Q -O <output> <input>"; no window, no input.
//
// The caller passes both paths unquoted (normally 8.3 forms without blanks). So
// that long paths with blanks still work, the text after -O is split at the first
// blank where the rest names an existing file and the left part lies in an
// existing folder; without such a blank the output is the first word and the
// input the rest. Quoted paths are accepted as well.
//
// Decoding is the platform's (WIC). Transparent pixels are composited on black,
// the colour of an arcade screen. The output is written to output + ".new" and
// then moved into place; a former output is left as output + ".bak" (the caller
// deletes it). On any failure the output is not touched (unless it could not be
// put back, then it is output + ".bak.new") and the exit code is:
// 1 bad arguments, 2 input missing or not decodable, 3 output not writable.
#include "companions/common/replace_file_win.h"
#include <windows.h>
#include <wincodec.h>
#include <cstdio>
#include <cstring>
#include <cstdlib>

enum { kArgSize = 1024, kMaxSide = 16384 };
static const unsigned kMaxBytes = 256u * 1024u * 1024u;

enum { kOk = 0, kBadArgs = 1, kBadInput = 2, kBadOutput = 3 };

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

static const char* SkipBlanks(const char* s) {
  while (*s && IsBlank(*s)) ++s;
  return s;
}

// Copies at most n characters of s into out (always terminated); false if cut.
static bool CopyPart(char* out, size_t outSize, const char* s, size_t n) {
  if (n >= outSize) return false;
  memcpy(out, s, n);
  out[n] = 0;
  return true;
}

// Trims blanks at both ends and a pair of enclosing quotes.
static bool CopyTrimmed(char* out, size_t outSize, const char* s) {
  s = SkipBlanks(s);
  size_t n = strlen(s);
  while (n > 0 && IsBlank(s[n - 1])) --n;
  if (n >= 2 && s[0] == '"' && s[n - 1] == '"') { ++s; n -= 2; }
  return CopyPart(out, outSize, s, n);
}

static bool FileExists(const char* path) {
  DWORD a = GetFileAttributesA(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

static bool FolderOfExists(const char* path) {
  char folder[kArgSize];
  if (!CopyPart(folder, sizeof folder, path, strlen(path))) return false;
  char* cut = strrchr(folder, '\\');
  char* fwd = strrchr(folder, '/');
  if (fwd && (!cut || fwd > cut)) cut = fwd;
  if (!cut) return true;  // relative to the current folder
  if (cut == folder || cut[-1] == ':') cut[1] = 0;  // a drive's root
  else *cut = 0;
  DWORD a = GetFileAttributesA(folder);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Splits "<output> <input>" as described at the top.
static bool SplitPaths(const char* rest, char* output, char* input, size_t size) {
  rest = SkipBlanks(rest);
  if (*rest == '"') {
    const char* close = strchr(rest + 1, '"');
    if (!close) return false;
    return CopyPart(output, size, rest + 1, (size_t)(close - rest - 1)) &&
           CopyTrimmed(input, size, close + 1);
  }
  const char* firstBlank = nullptr;
  for (const char* p = rest; *p; ++p) {
    if (!IsBlank(*p)) continue;
    if (!firstBlank) firstBlank = p;
    if (!CopyPart(output, size, rest, (size_t)(p - rest))) return false;
    if (!CopyTrimmed(input, size, p)) return false;
    if (input[0] && FileExists(input) && FolderOfExists(output)) return true;
  }
  if (!firstBlank) return false;
  return CopyPart(output, size, rest, (size_t)(firstBlank - rest)) &&
         CopyTrimmed(input, size, firstBlank);
}

// The text after the program's own name.
static const char* ArgumentsOf(const char* line) {
  if (*line == '"') {
    const char* close = strchr(line + 1, '"');
    line = close ? close + 1 : line + strlen(line);
  } else {
    while (*line && !IsBlank(*line)) ++line;
  }
  return SkipBlanks(line);
}

static bool ParseArguments(const char* args, char* output, char* input, size_t size) {
  for (const char* p = SkipBlanks(args); *p; p = SkipBlanks(p)) {
    if (p[0] != '-' || !p[1]) return false;
    char option = p[1];
    if ((option == 'O' || option == 'o') && (IsBlank(p[2]) || !p[2]))
      return SplitPaths(p + 2, output, input, size) && output[0] && input[0];
    while (*p && !IsBlank(*p)) ++p;  // -Q and others: nothing to do
  }
  return false;
}

template <class T> static void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

// Decodes the input and fills a bottom-up 24-bit pixel block; caller frees it.
static unsigned char* DecodeToBgr(const char* input, UINT* width, UINT* height, UINT* stride) {
  wchar_t wide[kArgSize];
  if (!MultiByteToWideChar(CP_ACP, 0, input, -1, wide, kArgSize)) return nullptr;
  IWICImagingFactory* factory = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  unsigned char* pixels = nullptr;
  unsigned char* row = nullptr;
  UINT w = 0, h = 0;
  bool ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IWICImagingFactory, (void**)&factory)) &&
            SUCCEEDED(factory->CreateDecoderFromFilename(wide, nullptr, GENERIC_READ,
                                                         WICDecodeMetadataCacheOnDemand, &decoder)) &&
            SUCCEEDED(decoder->GetFrame(0, &frame)) &&
            SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
            SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                            nullptr, 0.0, WICBitmapPaletteTypeCustom)) &&
            SUCCEEDED(converter->GetSize(&w, &h)) && w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide;
  UINT bmpStride = (w * 3 + 3) & ~3u;
  ok = ok && (unsigned long long)bmpStride * h <= kMaxBytes;
  if (ok) {
    pixels = (unsigned char*)calloc((size_t)bmpStride * h, 1);
    row = (unsigned char*)malloc((size_t)w * 4);
    ok = pixels && row;
  }
  for (UINT y = 0; ok && y < h; ++y) {
    WICRect r = {0, (INT)y, (INT)w, 1};
    ok = SUCCEEDED(converter->CopyPixels(&r, w * 4, w * 4, row));
    unsigned char* out = pixels + (size_t)(h - 1 - y) * bmpStride;
    for (UINT x = 0; ok && x < w; ++x) {
      const unsigned char* in = row + x * 4;
      unsigned a = in[3];
      for (int c = 0; c < 3; ++c) out[x * 3 + c] = (unsigned char)((in[c] * a + 127) / 255);
    }
  }
  free(row);
  Release(converter);
  Release(frame);
  Release(decoder);
  Release(factory);
  if (!ok) { free(pixels); return nullptr; }
  *width = w; *height = h; *stride = bmpStride;
  return pixels;
}

static bool WriteAll(HANDLE f, const void* data, DWORD size) {
  DWORD written = 0;
  return WriteFile(f, data, size, &written, nullptr) && written == size;
}

static bool WriteBitmapFile(const char* path, const unsigned char* pixels, UINT w, UINT h, UINT stride) {
  DWORD imageSize = stride * h;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  fh.bfType = 0x4D42;  // "BM"
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + imageSize;
  ih.biSize = sizeof ih;
  ih.biWidth = (LONG)w;
  ih.biHeight = (LONG)h;  // positive: bottom-up
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biCompression = BI_RGB;
  ih.biSizeImage = imageSize;
  HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(f, &fh, sizeof fh) && WriteAll(f, &ih, sizeof ih) && WriteAll(f, pixels, imageSize);
  ok = CloseHandle(f) && ok;
  if (!ok) DeleteFileA(path);
  return ok;
}

static int Convert(const char* output, const char* input) {
  if (!FileExists(input)) return kBadInput;
  char fresh[kArgSize];
  if (snprintf(fresh, sizeof fresh, "%s.new", output) >= (int)sizeof fresh) return kBadOutput;
  if (FAILED(CoInitialize(nullptr))) return kBadInput;
  UINT w = 0, h = 0, stride = 0;
  unsigned char* pixels = DecodeToBgr(input, &w, &h, &stride);
  CoUninitialize();
  if (!pixels) return kBadInput;
  bool ok = WriteBitmapFile(fresh, pixels, w, h, stride);
  free(pixels);
  if (!ok) return kBadOutput;
  ReplaceResult r = ReplaceKeepingBackup(fresh, output);
  if (r == kNotReplaced || r == kFormerOutputAside) { DeleteFileA(fresh); return kBadOutput; }
  return kOk;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  char output[kArgSize], input[kArgSize];
  if (!ParseArguments(ArgumentsOf(GetCommandLineA()), output, input, kArgSize)) return kBadArgs;
  return Convert(output, input);
}
