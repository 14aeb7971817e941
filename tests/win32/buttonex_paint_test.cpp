// ButtonEx painting checked pixel by pixel: buttons are rendered into a bitmap
// (WM_PRINTCLIENT, and once from the screen after a real WM_PAINT) and the
// soft outline, corners, shading lines, classic lines, content shift, pressed
// image, disabled text and focus marks are compared with the exact colours.
#include "controls/buttonex_internal_win.h"
#include "tests/testkit/testkit.h"
#include <string>
#include <vector>

namespace {

const COLORREF kMark = RGB(255, 0, 255);  // the canvas before the button draws

void Pump(int ms = 20) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG m;
    while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    Sleep(5);
  } while ((int)(end - GetTickCount()) > 0);
}

HWND Host() {
  static HWND host = NULL;
  if (host) return host;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszClassName = "BxPaintHost";
  RegisterClassA(&wc);
  host = CreateWindowExA(0, "BxPaintHost", "", WS_POPUP | WS_VISIBLE, 30, 30, 600, 300, NULL, NULL,
                         wc.hInstance, NULL);
  Pump(50);
  return host;
}

// The pixels of one rendering, as COLORREFs.
struct Shot {
  int w = 0, h = 0;
  std::vector<COLORREF> px;
  COLORREF at(int x, int y) const { return px[(size_t)y * w + x]; }
  bool Has(COLORREF c) const {
    for (COLORREF p : px) if (p == c) return true;
    return false;
  }
  // Bounding box of the pixels of one colour; false when there are none.
  bool Box(COLORREF c, RECT* r) const {
    bool any = false;
    *r = RECT{w, h, -1, -1};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (at(x, y) == c) {
          any = true;
          if (x < r->left) r->left = x;
          if (y < r->top) r->top = y;
          if (x > r->right) r->right = x;
          if (y > r->bottom) r->bottom = y;
        }
    return any;
  }
};

Shot FromDc(HDC source, int w, int h, bool fromWindow, HWND button) {
  Shot s;
  s.w = w;
  s.h = h;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = NULL;
  HDC mem = CreateCompatibleDC(NULL);
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  HBRUSH mark = CreateSolidBrush(kMark);
  RECT all = {0, 0, w, h};
  FillRect(mem, &all, mark);
  DeleteObject(mark);
  if (fromWindow) BitBlt(mem, 0, 0, w, h, source, 0, 0, SRCCOPY);
  else SendMessageA(button, WM_PRINTCLIENT, (WPARAM)mem, PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const unsigned* p = (const unsigned*)bits;
  for (int i = 0; i < w * h; ++i) s.px.push_back(RGB((p[i] >> 16) & 255, (p[i] >> 8) & 255, p[i] & 255));
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  return s;
}

Shot Render(HWND button) {
  RECT r;
  GetClientRect(button, &r);
  return FromDc(NULL, r.right, r.bottom, false, button);
}

// What WM_PAINT really put on the screen.
Shot FromScreen(HWND button) {
  InvalidateRect(button, NULL, TRUE);
  UpdateWindow(button);
  Pump(50);
  RECT r;
  GetClientRect(button, &r);
  HDC dc = GetDC(button);
  Shot s = FromDc(dc, r.right, r.bottom, true, button);
  ReleaseDC(button, dc);
  return s;
}

std::string Hex(COLORREF c) {
  char b[32];
  snprintf(b, sizeof b, "RGB(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
  return b;
}

// Every pixel of the lines, the corner pixels and the straight outline of a
// 73 x 28 soft button, in drawing order (later entries overdraw earlier).
int CheckSoftFrame(const Shot& s, ButtonExSoftCase softCase, const char* what) {
  std::vector<COLORREF> expect((size_t)s.w * s.h, CLR_INVALID);
  auto set = [&](int x, int y, COLORREF c) { if (x >= 0 && y >= 0 && x < s.w && y < s.h) expect[(size_t)y * s.w + x] = c; };
  for (int x = 4; x < s.w - 4; ++x) { set(x, 0, BX_SOFT_OUTLINE); set(x, s.h - 1, BX_SOFT_OUTLINE); }
  for (int y = 4; y < s.h - 4; ++y) { set(0, y, BX_SOFT_OUTLINE); set(s.w - 1, y, BX_SOFT_OUTLINE); }
  unsigned pens[3];
  ButtonExSoftPens(softCase, pens);
  ButtonExLine lines[8];
  const int n = ButtonExSoftLines(softCase, 0, 0, s.w, s.h, lines);
  for (int i = 0; i < n; ++i) {
    const ButtonExLine& l = lines[i];
    if (l.y1 == l.y2) for (int x = l.x1; x < l.x2; ++x) set(x, l.y1, pens[l.pen]);
    else for (int y = l.y1; y < l.y2; ++y) set(l.x1, y, pens[l.pen]);
  }
  ButtonExPixel corners[10];
  const int pressed = softCase == BX_SOFT_PRESSED || softCase == BX_SOFT_FOCUSED_PRESSED;
  const int m = ButtonExSoftPixels(pressed, 0, 0, s.w, s.h, corners);
  for (int i = 0; i < m; ++i) set(corners[i].x, corners[i].y, corners[i].light ? BX_CORNER_LIGHT : BX_CORNER);
  for (int y = 4; y < s.h - 4; ++y)  // the inside, clear of every line, is the background
    for (int x = 4; x < s.w - 4; ++x)
      if (expect[(size_t)y * s.w + x] == CLR_INVALID) set(x, y, BX_SOFT_BACKGROUND);
  int wrong = 0;
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < s.w; ++x) {
      const COLORREF e = expect[(size_t)y * s.w + x];
      if (e != CLR_INVALID && s.at(x, y) != e) {
        if (wrong < 5) printf("  %s: (%d,%d) is %s, want %s\n", what, x, y, Hex(s.at(x, y)).c_str(), Hex(e).c_str());
        ++wrong;
      }
    }
  return wrong;
}

// Classic lines: top and left in the first colour, bottom and right in the second.
int CheckClassic(const Shot& s, COLORREF topLeft, COLORREF bottomRight, const char* what) {
  int wrong = 0;
  auto want = [&](int x, int y, COLORREF c) {
    if (s.at(x, y) != c) {
      if (wrong < 5) printf("  %s: (%d,%d) is %s, want %s\n", what, x, y, Hex(s.at(x, y)).c_str(), Hex(c).c_str());
      ++wrong;
    }
  };
  for (int x = 1; x < s.w; ++x) want(x, 0, topLeft);
  for (int y = 0; y < s.h - 1; ++y) want(0, y, topLeft);
  for (int x = 0; x < s.w - 1; ++x) want(x, s.h - 1, bottomRight);
  for (int y = 1; y < s.h; ++y) want(s.w - 1, y, bottomRight);
  return wrong;
}

struct Made {
  std::vector<HWND> list;
  HWND Make(const char* text, DWORD style, int x = 10, int y = 10, int w = 73, int h = 28) {
    HWND b = ButtonExCreate(text, style | WS_VISIBLE, x, y, w, h, Host(), 700 + (int)list.size());
    list.push_back(b);
    return b;
  }
  ~Made() { for (HWND b : list) DestroyWindow(b); }
};

// Holds a plain button down with the pointer inside, as a real press would.
void Press(HWND b) { SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)); }
// Lets it go outside, so that no click is sent.
void LetGo(HWND b) {
  SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 500));
  SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
}

HICON SolidIcon(COLORREF colour) {
  HDC screen = GetDC(NULL);
  HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, NULL);
  HDC mem = CreateCompatibleDC(screen);
  ReleaseDC(NULL, screen);
  RECT r = {0, 0, 16, 16};
  HGDIOBJ old = SelectObject(mem, image);
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(mem, &r, brush);
  DeleteObject(brush);
  SelectObject(mem, mask);
  FillRect(mem, &r, (HBRUSH)GetStockObject(BLACK_BRUSH));  // opaque everywhere
  SelectObject(mem, old);
  DeleteDC(mem);
  ICONINFO ii = {TRUE, 0, 0, mask, image};
  HICON icon = CreateIconIndirect(&ii);
  DeleteObject(image);
  DeleteObject(mask);
  return icon;
}

HBITMAP SolidBitmap(COLORREF colour, int w, int h) {
  HDC screen = GetDC(NULL);
  HBITMAP bm = CreateCompatibleBitmap(screen, w, h);
  HDC mem = CreateCompatibleDC(screen);
  ReleaseDC(NULL, screen);
  HGDIOBJ old = SelectObject(mem, bm);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r = {0, 0, w, h};
  FillRect(mem, &r, brush);
  DeleteObject(brush);
  SelectObject(mem, old);
  DeleteDC(mem);
  return bm;
}

}  // namespace

TEST_CASE(soft_frame_in_every_case) {
  Made m;
  HWND b = m.Make(NULL, BXS_SOFT | BXS_FOCUSRECT);
  SetFocus(Host());
  CHECK_EQ(CheckSoftFrame(Render(b), BX_SOFT_RAISED, "raised"), 0);
  Press(b);
  CHECK_EQ(CheckSoftFrame(Render(b), BX_SOFT_PRESSED, "pressed"), 0);
  LetGo(b);
  SetFocus(b);
  CHECK_EQ(CheckSoftFrame(Render(b), BX_SOFT_FOCUSED_RAISED, "focused raised"), 0);
  Press(b);
  CHECK_EQ(CheckSoftFrame(Render(b), BX_SOFT_FOCUSED_PRESSED, "focused pressed"), 0);
  LetGo(b);
  // Without BXS_FOCUSRECT the focus does not show.
  HWND plain = m.Make(NULL, BXS_SOFT, 100, 10);
  SetFocus(plain);
  CHECK_EQ(CheckSoftFrame(Render(plain), BX_SOFT_RAISED, "focused, no focus style"), 0);
}

TEST_CASE(soft_frame_on_screen_after_wm_paint) {
  Made m;
  HWND b = m.Make(NULL, BXS_SOFT, 200, 100);
  SetFocus(Host());
  const Shot s = FromScreen(b);
  CHECK_EQ(CheckSoftFrame(s, BX_SOFT_RAISED, "screen"), 0);
  CHECK_EQ(s.at(36, 0), BX_SOFT_OUTLINE);
  CHECK_EQ(s.at(1, 0), BX_CORNER);
  CHECK_EQ(s.at(71, 27), BX_CORNER);
  CHECK_EQ(s.at(2, 1), BX_CORNER_LIGHT);
}

TEST_CASE(soft_focus_is_never_a_dotted_rectangle) {
  Made m;
  HWND b = m.Make("Save", BXS_SOFT | BXS_FOCUSRECT);
  SetFocus(b);
  const Shot s = Render(b);
  for (int x = 5; x < 68; ++x) CHECK_EQ(s.at(x, 4), BX_SOFT_BACKGROUND);
}

TEST_CASE(classic_frames_raised_pressed_stark_and_hover) {
  Made m;
  const COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW);
  HWND classic = m.Make(NULL, 0);
  HWND stark = m.Make(NULL, BXS_STARK, 100, 10);
  CHECK_EQ(CheckClassic(Render(classic), hi, sh, "classic raised"), 0);
  CHECK_EQ(CheckClassic(Render(stark), RGB(255, 255, 255), RGB(0, 0, 0), "stark raised"), 0);
  Press(classic);
  CHECK_EQ(CheckClassic(Render(classic), sh, hi, "classic pressed"), 0);
  LetGo(classic);
  Press(stark);
  CHECK_EQ(CheckClassic(Render(stark), RGB(0, 0, 0), RGB(255, 255, 255), "stark pressed"), 0);
  LetGo(stark);
  const Shot inside = Render(classic);
  CHECK_EQ(inside.at(36, 14), GetSysColor(COLOR_BTNFACE));

  // Hover buttons: flat at rest (no frame at all), classic lines when lit, also when soft.
  HWND hover = m.Make(NULL, BXS_HOVER, 200, 10);
  HWND softHover = m.Make(NULL, BXS_HOVER | BXS_SOFT, 300, 10);
  const Shot flat = Render(hover);
  for (int i = 0; i < flat.w * flat.h; ++i) CHECK_EQ(flat.px[i], GetSysColor(COLOR_BTNFACE));
  ButtonExRecord(hover)->hot = 1;
  ButtonExRecord(hover)->atRest = 0;
  ButtonExRecord(softHover)->hot = 1;
  ButtonExRecord(softHover)->atRest = 0;
  CHECK_EQ(CheckClassic(Render(hover), hi, sh, "hover lit"), 0);
  CHECK_EQ(CheckClassic(Render(softHover), hi, sh, "soft hover lit"), 0);

  // A latched button shows the pressed look; a lit latching one the raised look.
  HWND latch = m.Make(NULL, BXS_LATCH, 400, 10);
  CHECK(Render(latch).at(36, 0) == GetSysColor(COLOR_BTNFACE));  // resting: flat
  ButtonExPress(latch);
  CHECK_EQ(CheckClassic(Render(latch), sh, hi, "latched"), 0);
}

TEST_CASE(system_frame_changes_when_pressed) {
  Made m;
  HWND b = m.Make("Sys", BXS_SYSFRAME);
  const Shot up = Render(b);
  Press(b);
  const Shot down = Render(b);
  LetGo(b);
  CHECK(up.px != down.px);
  CHECK(!up.Has(kMark));  // the frame control covers the whole button
  CHECK(!down.Has(kMark));
}

TEST_CASE(pressed_content_moves_one_pixel_right_and_down) {
  Made m;
  HWND b = m.Make("Play", BXS_SOFT);
  HWND classic = m.Make("Play", 0, 100, 10);
  for (HWND w : {b, classic}) {
    const COLORREF text = ButtonExGetTextColor(w);
    RECT up, down;
    CHECK(Render(w).Box(text, &up));
    Press(w);
    CHECK(Render(w).Box(text, &down));
    LetGo(w);
    CHECK_EQ(down.left, up.left + 1);
    CHECK_EQ(down.top, up.top + 1);
    CHECK_EQ(down.right, up.right + 1);
    CHECK_EQ(down.bottom, up.bottom + 1);
  }
}

TEST_CASE(pressed_image_replaces_the_normal_one) {
  Made m;
  HBITMAP red = SolidBitmap(RGB(255, 0, 0), 16, 16), blue = SolidBitmap(RGB(0, 0, 255), 16, 16);
  HWND b = m.Make(NULL, BXS_SOFT | BXS_BITMAP);
  SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)red);
  SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)blue);
  RECT r;
  const Shot up = Render(b);
  CHECK(up.Box(RGB(255, 0, 0), &r));
  CHECK(r.left == 28 && r.top == 6 && r.right == 43 && r.bottom == 21);  // centred, no text
  CHECK(!up.Has(RGB(0, 0, 255)));
  Press(b);
  const Shot down = Render(b);
  LetGo(b);
  CHECK(down.Box(RGB(0, 0, 255), &r));
  CHECK(r.left == 29 && r.top == 7 && r.right == 44 && r.bottom == 22);
  CHECK(!down.Has(RGB(255, 0, 0)));
  DestroyWindow(b);
  DeleteObject(red);
  DeleteObject(blue);
}

TEST_CASE(image_choice_and_layouts) {
  Made m;
  HBITMAP red = SolidBitmap(RGB(255, 0, 0), 16, 16);
  HICON green = SolidIcon(RGB(0, 255, 0));
  // Both images and both styles: the bitmap wins; a missing style bit hides the image.
  HWND both = m.Make(NULL, BXS_BITMAP | BXS_ICON);
  HWND iconOnlyStyle = m.Make(NULL, BXS_ICON, 100, 10);
  HWND noStyle = m.Make(NULL, 0, 200, 10);
  for (HWND w : {both, iconOnlyStyle, noStyle}) {
    SendMessageA(w, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)red);
    SendMessageA(w, BM_SETIMAGE, IMAGE_ICON, (LPARAM)green);
  }
  CHECK(Render(both).Has(RGB(255, 0, 0)) && !Render(both).Has(RGB(0, 255, 0)));
  RECT r;
  const Shot icon = Render(iconOnlyStyle);
  CHECK(!icon.Has(RGB(255, 0, 0)));
  CHECK(icon.Box(RGB(0, 255, 0), &r));
  CHECK(r.left == 28 && r.top == 6 && r.right == 43 && r.bottom == 21);  // no text: centred
  CHECK(!Render(noStyle).Has(RGB(255, 0, 0)) && !Render(noStyle).Has(RGB(0, 255, 0)));

  // With text: the icon's place follows the layout bits (big button, so the text fits).
  HDC dc = GetDC(Host());
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE t;
  GetTextExtentPoint32A(dc, "Scan", 4, &t);
  SelectObject(dc, oldFont);
  ReleaseDC(Host(), dc);
  struct { DWORD style; int x, y; } rows[] = {
      {0, (120 - (int)(t.cx + 26)) / 2, (60 - 16) / 2},
      {BXS_TEXTFIRST, (120 - (int)(t.cx + 26)) / 2 + t.cx + 10, (60 - 16) / 2},
      {BXS_TEXTTOP, (120 - 16) / 2, 60 - 24},
      {BXS_IMAGETOP, (120 - 16) / 2, 10},
      {BXS_IMAGEONLY | BXS_TEXTTOP, (120 - 16) / 2, (60 - 16) / 2},
  };
  for (const auto& row : rows) {
    HWND w = m.Make("Scan", BXS_SOFT | BXS_ICON | row.style, 10, 100, 120, 60);
    SendMessageA(w, BM_SETIMAGE, IMAGE_ICON, (LPARAM)green);
    CHECK(Render(w).Box(RGB(0, 255, 0), &r));
    if (r.left != row.x || r.top != row.y) printf("  style %lx: icon at %ld,%ld want %d,%d\n", row.style, r.left, r.top, row.x, row.y);
    CHECK(r.left == row.x && r.top == row.y);
    DestroyWindow(w);
  }
  for (HWND w : m.list) if (IsWindow(w)) DestroyWindow(w);
  m.list.clear();
  DestroyIcon(green);
  DeleteObject(red);
}

TEST_CASE(disabled_button_draws_grey_embossed_text) {
  Made m;
  HWND b = m.Make("Delete", BXS_SOFT | BXS_ICON);
  HICON green = SolidIcon(RGB(0, 255, 0));
  SendMessageA(b, BM_SETIMAGE, IMAGE_ICON, (LPARAM)green);
  CHECK(Render(b).Has(RGB(40, 50, 90)));
  CHECK(Render(b).Has(RGB(0, 255, 0)));
  EnableWindow(b, FALSE);
  const Shot s = Render(b);
  CHECK(!s.Has(RGB(40, 50, 90)));  // the text colour is gone
  CHECK(!s.Has(RGB(0, 255, 0)));   // the image is embossed too
  // Inside the frame, the content is drawn in grey by the system's embossing.
  int grey = 0, other = 0;
  for (int y = 4; y < 24; ++y)
    for (int x = 4; x < 69; ++x) {
      const COLORREF c = s.at(x, y);
      if (c == RGB(128, 128, 128) || c == GetSysColor(COLOR_BTNSHADOW)) ++grey;
      else if (c != BX_SOFT_BACKGROUND && c != GetSysColor(COLOR_BTNHIGHLIGHT)) ++other;
    }
  CHECK(grey > 20);
  CHECK_EQ(other, 0);
  printf("  disabled: %d grey pixels; shadow colour %s\n", grey, Hex(GetSysColor(COLOR_BTNSHADOW)).c_str());
  DestroyWindow(b);
  DestroyIcon(green);
}

TEST_CASE(classic_focus_rectangle_inset_by_four) {
  Made m;
  HWND b = m.Make(NULL, BXS_FOCUSRECT);
  HWND without = m.Make(NULL, 0, 100, 10);
  SetFocus(b);
  const Shot s = Render(b);
  int marked = 0;
  for (int x = 4; x < 69; ++x) if (s.at(x, 4) != GetSysColor(COLOR_BTNFACE)) ++marked;
  CHECK(marked > 20);  // the dotted line
  for (int x = 5; x < 68; ++x) CHECK_EQ(s.at(x, 3), GetSysColor(COLOR_BTNFACE));
  SetFocus(without);
  const Shot n = Render(without);
  for (int x = 4; x < 69; ++x) CHECK_EQ(n.at(x, 4), GetSysColor(COLOR_BTNFACE));
}

TEST_CASE(only_the_held_button_looks_pressed) {
  Made m;
  HWND a = m.Make(NULL, BXS_SOFT);
  HWND other = m.Make(NULL, BXS_SOFT, 100, 10);
  Press(a);
  CHECK_EQ(CheckSoftFrame(Render(other), BX_SOFT_RAISED, "other while held"), 0);
  LetGo(a);
}

TEST_CASE(long_and_prefixed_texts_paint_safely) {
  Made m;
  std::string big(1000, 'M');
  HWND b = m.Make(big.c_str(), BXS_SOFT, 10, 10, 300, 28);
  const Shot s = Render(b);
  CHECK(s.Has(RGB(40, 50, 90)));
  // "&&" measures as nothing: an empty measured text is centred.
  HWND amps = m.Make("&&", BXS_SOFT, 10, 60);
  Render(amps);
  ButtonExSetText(amps, "&");
  Render(amps);
}
