// A gallery of every ButtonEx look and state, for a person to look at: each
// button is put into its state, painted for real (WM_PAINT), copied from the
// screen into one picture with a label, and the picture is saved as
// screenshots/buttonex_gallery.bmp beside the test.
#include "controls/buttonex_internal_win.h"
#include "shell/ids.h"
#include "tests/testkit/testkit.h"
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kCellW = 140, kCellH = 70, kLabelH = 24, kColumns = 5;

void Pump(int ms = 20) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG m;
    while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    Sleep(2);
  } while ((int)(end - GetTickCount()) > 0);
}

HICON ProgramIcon(int id, const char* name, LPCSTR fallback) {
  HINSTANCE self = GetModuleHandleA(NULL);
  HICON icon = (HICON)LoadImageA(self, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0);
  if (!icon) icon = (HICON)LoadImageA(self, name, IMAGE_ICON, 16, 16, 0);
  if (!icon) icon = (HICON)LoadImageA(NULL, fallback, IMAGE_ICON, 16, 16, LR_SHARED);
  return icon;
}

HBITMAP Striped(COLORREF a, COLORREF b) {
  HDC screen = GetDC(NULL);
  HBITMAP bm = CreateCompatibleBitmap(screen, 20, 14);
  HDC mem = CreateCompatibleDC(screen);
  ReleaseDC(NULL, screen);
  HGDIOBJ old = SelectObject(mem, bm);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 20; ++x) SetPixelV(mem, x, y, ((x + y) / 4) % 2 ? a : b);
  SelectObject(mem, old);
  DeleteDC(mem);
  return bm;
}

struct Cell {
  std::string label;
  const char* text;
  DWORD style;
  int w, h;
  std::function<void(HWND)> enter;  // puts the button into its state
  std::function<void(HWND)> leave;  // and back
};

void Nothing(HWND) {}
void Hold(HWND b) { SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)); }
void LetGo(HWND b) {
  SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(900, 900));
  SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(900, 900));
}
void Focus(HWND b) { SetFocus(b); }
void Unfocus(HWND b) { SetFocus(GetParent(b)); }
void Disable(HWND b) { EnableWindow(b, FALSE); }
void Enable(HWND b) { EnableWindow(b, TRUE); }
void FocusHold(HWND b) { SetFocus(b); Hold(b); }
void LetGoUnfocus(HWND b) { LetGo(b); Unfocus(b); }
void Light(HWND b) {
  RECT r;
  GetWindowRect(b, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
}
void Away(HWND b) {
  SetCursorPos(2, 2);
  SendMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(900, 900));
}
void LightHold(HWND b) { Light(b); Hold(b); }
void Latch(HWND b) { ButtonExPress(b); }

bool SaveBmp(const char* path, const unsigned* px, int w, int h) {
  FILE* f = fopen(path, "wb");
  if (!f) return false;
  const int row = w * 3 + ((4 - (w * 3) % 4) % 4);
  const unsigned size = 54 + (unsigned)(row * h);
  unsigned char head[54] = {'B', 'M'};
  auto put32 = [&](int at, unsigned v) { for (int i = 0; i < 4; ++i) head[at + i] = (unsigned char)(v >> (8 * i)); };
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, (unsigned)w);
  put32(22, (unsigned)h);
  head[26] = 1;
  head[28] = 24;
  put32(34, (unsigned)(row * h));
  fwrite(head, 1, sizeof head, f);
  std::vector<unsigned char> line((size_t)row, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const unsigned p = px[(size_t)y * w + x];
      line[(size_t)x * 3] = (unsigned char)(p & 255);
      line[(size_t)x * 3 + 1] = (unsigned char)((p >> 8) & 255);
      line[(size_t)x * 3 + 2] = (unsigned char)((p >> 16) & 255);
    }
    fwrite(line.data(), 1, line.size(), f);
  }
  return fclose(f) == 0;
}

}  // namespace

TEST_CASE(gallery_of_every_look_and_state) {
  HICON play = ProgramIcon(IDI_PLAY, "IDI_PLAY", (LPCSTR)IDI_INFORMATION);
  HICON rescan = ProgramIcon(IDI_RESCAN, "IDI_RESCAN", (LPCSTR)IDI_WARNING);
  HBITMAP normal = Striped(RGB(0, 120, 215), RGB(255, 255, 255));
  HBITMAP pressed = Striped(RGB(220, 60, 40), RGB(255, 255, 255));

  const DWORD kSoft = WS_TABSTOP | BXS_SOFT | BXS_FOCUSRECT;  // the program's text button
  const DWORD kSoftIcon = BXS_SOFT | BXS_ICON;                // and its icon buttons
  std::vector<Cell> cells;
  auto states = [&](const char* name, const char* text, DWORD style, int w = 73, int h = 28) {
    cells.push_back({std::string(name) + " raised", text, style, w, h, Nothing, Nothing});
    cells.push_back({std::string(name) + " pressed", text, style, w, h, Hold, LetGo});
    cells.push_back({std::string(name) + " focused", text, style, w, h, Focus, Unfocus});
    cells.push_back({std::string(name) + " focus+pressed", text, style, w, h, FocusHold, LetGoUnfocus});
    cells.push_back({std::string(name) + " disabled", text, style, w, h, Disable, Enable});
  };
  states("soft", "&Save", kSoft);
  states("soft icon", "Play", kSoftIcon);
  states("icon only", NULL, kSoftIcon);
  states("classic", "&Classic", BXS_FOCUSRECT | BXS_ICON);
  states("stark", "S&tark", BXS_STARK | BXS_FOCUSRECT);
  states("system", "S&ystem", BXS_SYSFRAME | BXS_FOCUSRECT);
  cells.push_back({"hover resting", "Hover", BXS_HOVER, 73, 28, Nothing, Nothing});
  cells.push_back({"hover lit", "Hover", BXS_HOVER, 73, 28, Light, Away});
  cells.push_back({"hover held", "Hover", BXS_HOVER, 73, 28, LightHold, [](HWND b) { LetGo(b); Away(b); }});
  cells.push_back({"soft hover rest", "Hover", BXS_HOVER | BXS_SOFT, 73, 28, Nothing, Nothing});
  cells.push_back({"soft hover lit", "Hover", BXS_HOVER | BXS_SOFT, 73, 28, Light, Away});
  cells.push_back({"hover disabled", "Hover", BXS_HOVER, 73, 28, Disable, Enable});
  cells.push_back({"soft, no focus style", "&Save", BXS_SOFT, 73, 28, Focus, Unfocus});
  cells.push_back({"latch resting", "Latch", BXS_LATCH, 73, 28, Nothing, Nothing});
  cells.push_back({"latch lit", "Latch", BXS_LATCH, 73, 28, Light, Away});
  cells.push_back({"latch latched", "Latch", BXS_LATCH, 73, 28, Latch, Nothing});
  cells.push_back({"soft latch latched", "Latch", BXS_LATCH | BXS_SOFT, 73, 28, Latch, Nothing});
  cells.push_back({"bitmap", "Map", BXS_SOFT | BXS_BITMAP, 73, 28, Nothing, Nothing});
  cells.push_back({"bitmap pressed", "Map", BXS_SOFT | BXS_BITMAP, 73, 28, Hold, LetGo});
  cells.push_back({"image left", "Scan", BXS_SOFT | BXS_ICON, 100, 46, Nothing, Nothing});
  cells.push_back({"TEXTFIRST", "Scan", BXS_SOFT | BXS_ICON | BXS_TEXTFIRST, 100, 46, Nothing, Nothing});
  cells.push_back({"TEXTTOP", "Scan", BXS_SOFT | BXS_ICON | BXS_TEXTTOP, 100, 46, Nothing, Nothing});
  cells.push_back({"IMAGETOP", "Scan", BXS_SOFT | BXS_ICON | BXS_IMAGETOP, 100, 46, Nothing, Nothing});
  cells.push_back({"IMAGEONLY", "Scan", BXS_SOFT | BXS_ICON | BXS_IMAGEONLY, 100, 46, Nothing, Nothing});
  cells.push_back({"classic TEXTTOP", "Scan", BXS_ICON | BXS_TEXTTOP, 100, 46, Nothing, Nothing});

  const int rows = ((int)cells.size() + kColumns - 1) / kColumns;
  const int W = kColumns * kCellW, H = rows * kCellH;

  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  wc.lpszClassName = "BxGallery";
  RegisterClassA(&wc);
  HWND host = CreateWindowExA(0, "BxGallery", "ButtonEx gallery", WS_POPUP | WS_VISIBLE, 0, 0, W, H, NULL,
                              NULL, wc.hInstance, NULL);
  SetForegroundWindow(host);
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  ButtonExSetDefaultFont(font);

  std::vector<HWND> buttons;
  for (size_t i = 0; i < cells.size(); ++i) {
    const Cell& c = cells[i];
    const int x = (int)(i % kColumns) * kCellW + (kCellW - c.w) / 2;
    const int y = (int)(i / kColumns) * kCellH + (kCellH - kLabelH - c.h) / 2 + 2;
    HWND b = ButtonExCreate(c.text, c.style | WS_VISIBLE, x, y, c.w, c.h, host, 2000 + (int)i);
    CHECK(b != NULL);
    if (c.style & BXS_ICON) SendMessageA(b, BM_SETIMAGE, IMAGE_ICON, (LPARAM)(c.w > 73 ? rescan : play));
    if (c.style & BXS_BITMAP) {
      SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)normal);
      SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)pressed);
    }
    ButtonExSetTip(b, c.label.c_str());
    buttons.push_back(b);
  }
  SetFocus(host);
  Pump(200);

  // The picture: the host's face colour, each button copied from the screen in its state.
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = W;
  bi.bmiHeader.biHeight = -H;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = NULL;
  HDC mem = CreateCompatibleDC(NULL);
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
  HGDIOBJ oldBitmap = SelectObject(mem, dib);
  RECT all = {0, 0, W, H};
  FillRect(mem, &all, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ oldFont = SelectObject(mem, font);
  SetBkMode(mem, TRANSPARENT);
  int copied = 0;
  for (size_t i = 0; i < cells.size(); ++i) {
    HWND b = buttons[i];
    cells[i].enter(b);
    InvalidateRect(b, NULL, TRUE);
    UpdateWindow(b);
    Pump(15);
    RECT r;
    GetWindowRect(b, &r);
    MapWindowPoints(NULL, host, (POINT*)&r, 2);
    HDC dc = GetDC(b);
    if (BitBlt(mem, r.left, r.top, r.right - r.left, r.bottom - r.top, dc, 0, 0, SRCCOPY)) ++copied;
    ReleaseDC(b, dc);
    cells[i].leave(b);
    UpdateWindow(b);
    RECT label = {(int)(i % kColumns) * kCellW, (int)(i / kColumns + 1) * kCellH - kLabelH,
                  (int)(i % kColumns + 1) * kCellW, (int)(i / kColumns + 1) * kCellH - 4};
    SetTextColor(mem, RGB(0, 0, 0));
    DrawTextA(mem, cells[i].label.c_str(), -1, &label, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
  CHECK_EQ(copied, (int)cells.size());
  GdiFlush();

  // A few fixed pixels, so that the picture is known to show what it claims.
  const unsigned* px = (const unsigned*)bits;
  auto at = [&](HWND b, int x, int y) {
    RECT r;
    GetWindowRect(b, &r);
    MapWindowPoints(NULL, host, (POINT*)&r, 2);
    const unsigned p = px[(size_t)(r.top + y) * W + r.left + x];
    return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
  };
  CHECK_EQ(at(buttons[0], 36, 0), BX_SOFT_OUTLINE);
  CHECK_EQ(at(buttons[0], 1, 0), BX_CORNER);
  CHECK_EQ(at(buttons[2], 36, 1), RGB(193, 224, 235));  // focused raised: the bluish top line
  CHECK_EQ(at(buttons[3], 36, 1), RGB(153, 163, 212));  // focused pressed
  CHECK_EQ(at(buttons[1], 36, 1), RGB(214, 208, 197));  // pressed: shading along the top

  CreateDirectoryA("screenshots", NULL);
  CHECK(SaveBmp("screenshots\\buttonex_gallery.bmp", px, W, H));
  printf("  gallery: %d cells, %d x %d, screenshots\\buttonex_gallery.bmp\n", (int)cells.size(), W, H);

  SelectObject(mem, oldFont);
  SelectObject(mem, oldBitmap);
  DeleteObject(dib);
  DeleteDC(mem);
  DestroyWindow(host);
  ButtonExSetDefaultFont(NULL);
  DeleteObject(font);
  DeleteObject(normal);
  DeleteObject(pressed);
}
