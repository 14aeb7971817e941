// Packed bitmaps, the splash window on its own thread, and window transparency.
#include "tests/testkit/testkit.h"
#include "shell/app_win.h"
#include "preview/packed_bitmap_win.h"
#include "decor/splash_win.h"
#include "decor/transparency_win.h"
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static HINSTANCE Me() { return GetModuleHandleA(NULL); }

static bool WaitGone(HWND w, DWORD ms) {
  DWORD end = GetTickCount() + ms;
  while (IsWindow(w)) {
    if ((LONG)(end - GetTickCount()) < 0) return false;
    Sleep(10);
  }
  return true;
}

// A packed bitmap built by hand: header, `colours` table entries, then rows.
static HGLOBAL MakePacked(int width, int height, int bits, DWORD clrUsed, const std::vector<RGBQUAD>& table,
                          const std::vector<unsigned char>& pixels) {
  BITMAPINFOHEADER h = {};
  h.biSize = 40;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = (WORD)bits;
  h.biClrUsed = clrUsed;
  size_t size = 40 + 4 * table.size() + pixels.size();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  unsigned char* p = (unsigned char*)GlobalLock(block);
  memcpy(p, &h, 40);
  if (!table.empty()) memcpy(p + 40, table.data(), 4 * table.size());
  if (!pixels.empty()) memcpy(p + 40 + 4 * table.size(), pixels.data(), pixels.size());
  GlobalUnlock(block);
  return block;
}

// A 24-bit picture of one colour.
static HGLOBAL SolidPicture(int width, int height, COLORREF c) {
  int row = (width * 3 + 3) & ~3;
  std::vector<unsigned char> px((size_t)row * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned char* q = &px[(size_t)y * row + x * 3];
      q[0] = GetBValue(c); q[1] = GetGValue(c); q[2] = GetRValue(c);
    }
  return MakePacked(width, height, 24, 0, {}, px);
}

// A 32-bit top-down canvas whose pixels the test reads directly.
struct Canvas {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  DWORD* bits;
  int w, h;
  Canvas(int width, int height) : w(width), h(height) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* p = NULL;
    dc = CreateCompatibleDC(NULL);
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, NULL, 0);
    bits = (DWORD*)p;
    old = SelectObject(dc, bitmap);
    for (int i = 0; i < w * h; ++i) bits[i] = 0x00123456;
  }
  ~Canvas() { SelectObject(dc, old); DeleteObject(bitmap); DeleteDC(dc); }
  DWORD At(int x, int y) const { return bits[y * w + x] & 0xFFFFFF; }
};

// The resource compiler names resources by number, so the program finds them by id.
TEST_CASE(resources_are_found_by_number) {
  int bitmaps[] = {IDB_SPLASH, IDB_BANNER_LEFT, IDB_BANNER_MIDDLE, IDB_BANNER_RIGHT};
  for (int id : bitmaps) CHECK(FindResourceA(Me(), MAKEINTRESOURCEA(id), (LPCSTR)RT_BITMAP) != NULL);
  int icons[] = {IDI_PROGRAM, IDI_OTHER_FILE, IDI_SUPPORTED_GAME, IDI_PLAY, IDI_DELETE,
                 IDI_RESCAN, IDI_SEARCH, IDI_WEB, IDI_MAIL, IDI_TAB};
  for (int id : icons) CHECK(FindResourceA(Me(), MAKEINTRESOURCEA(id), (LPCSTR)RT_GROUP_ICON) != NULL);
  CHECK(FindResourceA(Me(), "IDD_TRANSPARENT", (LPCSTR)RT_DIALOG) != NULL);
}

TEST_CASE(packed_copy_equals_resource_bytes_and_duplicates) {
  HRSRC r = FindResourceA(Me(), MAKEINTRESOURCEA(IDB_SPLASH), (LPCSTR)RT_BITMAP);
  DWORD size = SizeofResource(Me(), r);
  const void* bytes = LockResource(LoadResource(Me(), r));
  HGLOBAL copy = LoadBitmapResource(Me(), IDB_SPLASH);
  CHECK(copy != NULL);
  CHECK_EQ((DWORD)GlobalSize(copy), size);
  CHECK(memcmp(GlobalLock(copy), bytes, size) == 0);
  GlobalUnlock(copy);
  CHECK_EQ(PackedBitmapWidth(copy), 320);
  CHECK_EQ(PackedBitmapHeight(copy), 240);
  CHECK_EQ(PackedBitmapBitCount(copy), 24);
  CHECK(PackedBitmapPalette(copy) == NULL);
  // Every operation leaves the block unlocked.
  CHECK_EQ((int)(GlobalFlags(copy) & GMEM_LOCKCOUNT), 0);

  HGLOBAL twin = DuplicatePackedBitmap(copy);
  CHECK(twin != NULL && twin != copy);
  CHECK_EQ(GlobalSize(twin), GlobalSize(copy));
  CHECK(memcmp(GlobalLock(twin), bytes, size) == 0);
  GlobalUnlock(twin);
  FreePackedBitmap(copy);
  CHECK_EQ(PackedBitmapWidth(twin), 320);
  FreePackedBitmap(twin);

  CHECK(LoadBitmapResource(Me(), 9999) == NULL);
  CHECK(DuplicatePackedBitmap(NULL) == NULL);
  CHECK_EQ(PackedBitmapWidth(NULL) + PackedBitmapHeight(NULL) + PackedBitmapBitCount(NULL), 0);
  CHECK(PackedBitmapPalette(NULL) == NULL);
  FreePackedBitmap(NULL);
  DrawPackedBitmap(NULL, NULL, 0, 0);
}

TEST_CASE(palette_of_an_8_bit_picture) {
  struct { DWORD clrUsed; size_t tableEntries; int expected; } rows[] = {{16, 16, 16}, {0, 256, 256}};
  for (auto& row : rows) {
    std::vector<RGBQUAD> table(row.tableEntries);
    for (size_t i = 0; i < table.size(); ++i) table[i] = {(BYTE)i, (BYTE)(i * 3), (BYTE)(255 - i), 0x77};
    HGLOBAL block = MakePacked(4, 4, 8, row.clrUsed, table, std::vector<unsigned char>(16, 1));
    HPALETTE pal = PackedBitmapPalette(block);
    CHECK(pal != NULL);
    PALETTEENTRY e[256] = {};
    CHECK_EQ((int)GetPaletteEntries(pal, 0, 256, e), row.expected);
    for (int i = 0; i < row.expected; ++i) {
      CHECK_EQ((int)e[i].peRed, 255 - i);
      CHECK_EQ((int)e[i].peGreen, (i * 3) & 0xFF);
      CHECK_EQ((int)e[i].peBlue, i);
      CHECK_EQ((int)e[i].peFlags, 0);
    }
    DeleteObject(pal);
    FreePackedBitmap(block);
  }
  // A colour table that would run past the block gives no palette.
  HGLOBAL shortBlock = MakePacked(4, 4, 8, 0, std::vector<RGBQUAD>(16), {});
  CHECK(PackedBitmapPalette(shortBlock) == NULL);
  FreePackedBitmap(shortBlock);
}

TEST_CASE(draw_is_unscaled_at_the_point_and_upright) {
  HGLOBAL splash = LoadBitmapResource(Me(), IDB_SPLASH);
  Canvas c(400, 300);
  DrawPackedBitmap(splash, c.dc, 5, 7);
  GdiFlush();
  CHECK_EQ(c.At(4, 7), (DWORD)0x123456);
  CHECK_EQ(c.At(5, 6), (DWORD)0x123456);
  CHECK(c.At(5, 7) != 0x123456);
  CHECK(c.At(5 + 319, 7 + 239) != 0x123456);
  CHECK_EQ(c.At(5 + 320, 7 + 239), (DWORD)0x123456);
  CHECK_EQ(c.At(5 + 319, 7 + 240), (DWORD)0x123456);
  FreePackedBitmap(splash);

  // 2 x 2: red above, blue below; stored bottom-up and top-down.
  const unsigned char red[3] = {0, 0, 255}, blue[3] = {255, 0, 0};
  for (int topDown = 0; topDown < 2; ++topDown) {
    std::vector<unsigned char> px(16, 0);
    const unsigned char* first = topDown ? red : blue;
    const unsigned char* second = topDown ? blue : red;
    for (int x = 0; x < 2; ++x) { memcpy(&px[x * 3], first, 3); memcpy(&px[8 + x * 3], second, 3); }
    HGLOBAL b = MakePacked(2, topDown ? -2 : 2, 24, 0, {}, px);
    Canvas small(4, 4);
    DrawPackedBitmap(b, small.dc, 1, 1);
    GdiFlush();
    CHECK_EQ(small.At(1, 1), (DWORD)0xFF0000);
    CHECK_EQ(small.At(2, 2), (DWORD)0x0000FF);
    FreePackedBitmap(b);
  }
  // Rows missing from the block: nothing is drawn rather than reading past its end.
  HGLOBAL cut = MakePacked(100, 100, 24, 0, {}, std::vector<unsigned char>(1000, 0));
  Canvas c2(100, 100);
  DrawPackedBitmap(cut, c2.dc, 0, 0);
  GdiFlush();
  CHECK_EQ(c2.At(0, 99), (DWORD)0x123456);
  FreePackedBitmap(cut);
}

TEST_CASE(splash_window_on_its_own_thread) {
  HGLOBAL picture = LoadBitmapResource(Me(), IDB_SPLASH);
  HWND splash = CreateSplashScreen(Me(), picture, 0);
  // The window keeps its own copy: the caller's block may go at once.
  FreePackedBitmap(picture);
  CHECK(splash != NULL);
  CHECK(GetWindowThreadProcessId(splash, NULL) != GetCurrentThreadId());
  char cls[64] = "";
  GetClassNameA(splash, cls, sizeof cls);
  CHECK_STR(cls, "SplashScreenClass");
  CHECK(IsWindowVisible(splash));
  LONG style = GetWindowLongA(splash, GWL_STYLE);
  LONG wanted = WS_POPUP | WS_DISABLED | WS_BORDER | WS_THICKFRAME;
  CHECK_EQ(style & wanted, wanted);
  CHECK_EQ(style & WS_CAPTION & ~WS_BORDER, 0L);
  CHECK(GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r;
  GetWindowRect(splash, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  CHECK_EQ(w, 320 + GetSystemMetrics(SM_CXFRAME));
  CHECK_EQ(h, 240 + GetSystemMetrics(SM_CYFRAME));
  CHECK_EQ((int)r.left, (GetSystemMetrics(SM_CXSCREEN) - w) / 2);
  CHECK_EQ((int)r.top, (GetSystemMetrics(SM_CYSCREEN) - h) / 2);

  SetSplashTextColour(splash, RGB(128, 128, 128), FALSE);
  SetSplashText(splash, "Starting Vintor, please wait...");
  char text[100] = "";
  GetWindowTextA(splash, text, sizeof text);
  CHECK_STR(text, "Starting Vintor, please wait...");

  CloseSplashScreen(splash);
  CHECK(WaitGone(splash, 3000));
  // A second close, and the sending calls, return at once on a dead handle.
  DWORD t0 = GetTickCount();
  CloseSplashScreen(splash);
  SetSplashText(splash, "late");
  SetSplashTextColour(splash, 0, TRUE);
  CHECK(GetTickCount() - t0 < 200);
  CloseSplashScreen(NULL);
  SetSplashText(NULL, "x");
}

// Start-up owns a hidden main window and pumps no messages while it waits for the
// splash: showing the splash must not wait on that window.
TEST_CASE(splash_creation_does_not_wait_on_the_callers_windows) {
  HWND mine = CreateWindowExA(0, "STATIC", "busy", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL, Me(), NULL);
  HGLOBAL picture = LoadBitmapResource(Me(), IDB_SPLASH);
  DWORD t0 = GetTickCount();
  HWND splash = CreateSplashScreen(Me(), picture, 0);
  SetSplashText(splash, "x");
  DWORD took = GetTickCount() - t0;
  FreePackedBitmap(picture);
  CHECK(splash != NULL);
  CHECK(took < 1000);
  CloseSplashScreen(splash);
  CHECK(WaitGone(splash, 5000));
  DestroyWindow(mine);
}

TEST_CASE(display_time_closes_the_splash_by_itself) {
  HGLOBAL picture = SolidPicture(64, 48, RGB(0, 0, 200));
  DWORD t0 = GetTickCount();
  HWND splash = CreateSplashScreen(Me(), picture, 300);
  FreePackedBitmap(picture);
  CHECK(splash != NULL);
  CHECK(IsWindow(splash));
  CHECK(WaitGone(splash, 5000));
  CHECK(GetTickCount() - t0 >= 250);
  CloseSplashScreen(splash);
}

TEST_CASE(creation_failure_returns_null_without_hanging) {
  CHECK(CreateSplashScreen(Me(), NULL, 0) == NULL);
  // A block too short for a header makes a bare frame that paints nothing and closes.
  HGLOBAL junk = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
  HWND bare = CreateSplashScreen(Me(), junk, 0);
  GlobalFree(junk);
  SetSplashText(bare, "text");
  Sleep(50);
  CloseSplashScreen(bare);
  CHECK(WaitGone(bare, 3000));
}

// The text line is drawn over the picture, on one line, centred at the bottom.
TEST_CASE(painting_puts_the_text_line_at_the_bottom) {
  // The same blue picture as 24 bits and as 8 bits with a colour table (index 1).
  std::vector<RGBQUAD> table(16, RGBQUAD{0, 0, 0, 0});
  table[1] = RGBQUAD{200, 0, 0, 0};
  HGLOBAL pictures[] = {SolidPicture(240, 120, RGB(0, 0, 200)),
                        MakePacked(240, 120, 8, 16, table, std::vector<unsigned char>(240 * 120, 1))};
  for (HGLOBAL picture : pictures) {
    HWND splash = CreateSplashScreen(Me(), picture, 0);
    FreePackedBitmap(picture);
    SetSplashTextColour(splash, RGB(255, 255, 0), FALSE);
    SetSplashText(splash, "WWWWWWWW");
    Sleep(300);
    RECT client;
    GetClientRect(splash, &client);
    HDC dc = GetDC(splash);
    int top = 10000, bottom = -1, left = 10000, right = -1, blue = 0;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) {
        COLORREF c = GetPixel(dc, x, y);
        if (c == RGB(0, 0, 200)) ++blue;
        if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 100) {
          if (y < top) top = y;
          if (y > bottom) bottom = y;
          if (x < left) left = x;
          if (x > right) right = x;
        }
      }
    ReleaseDC(splash, dc);
    CHECK(blue > client.right * client.bottom / 2);
    CHECK(right > left);
    CHECK(bottom >= client.bottom - 4);              // touches the bottom of the client area
    CHECK(bottom - top < 20);                        // one line of the default font
    CHECK(abs((left + right) - client.right) <= 4);  // centred
    CloseSplashScreen(splash);
    CHECK(WaitGone(splash, 3000));
  }
}

// --- transparency ----------------------------------------------------------

typedef BOOL(WINAPI* GetLayeredFn)(HWND, COLORREF*, BYTE*, DWORD*);
static int Alpha(HWND w) {
  GetLayeredFn get = (GetLayeredFn)(void*)GetProcAddress(GetModuleHandleA("user32.dll"), "GetLayeredWindowAttributes");
  BYTE a = 0;
  DWORD flags = 0;
  if (!get || !get(w, NULL, &a, &flags) || !(flags & LWA_ALPHA)) return -1;
  return a;
}
static bool Layered(HWND w) { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

static HWND TestWindow() {
  return CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, NULL, NULL, Me(), NULL);
}

TEST_CASE(apply_transparency_levels) {
  HWND w = TestWindow();
  CHECK_EQ(ApplyWindowTransparency(w, 100), 100);
  CHECK(!Layered(w));
  struct { BYTE level; int alpha; } rows[] = {{95, 242}, {30, 76}, {50, 127}, {100, 127}};
  for (auto& r : rows) {
    int result = ApplyWindowTransparency(w, r.level);
    CHECK_EQ(result, r.level == 100 ? 100 : 1);
    CHECK(Layered(w));   // 100 keeps whatever the window had
    CHECK_EQ(Alpha(w), r.alpha);
  }
  CHECK_EQ(ApplyWindowTransparency(w, 0), 1);
  CHECK(!Layered(w));
  CHECK_EQ(ApplyWindowTransparency(NULL, 95), 0);
  DestroyWindow(w);

  // The splash belongs to another thread; its style can still be set from here.
  HGLOBAL picture = SolidPicture(32, 32, 0);
  HWND splash = CreateSplashScreen(Me(), picture, 0);
  FreePackedBitmap(picture);
  CHECK_EQ(ApplyWindowTransparency(splash, 95), 1);
  CHECK_EQ(Alpha(splash), 242);
  CloseSplashScreen(splash);
  CHECK(WaitGone(splash, 3000));
}

// A scratch installation for the dialog's settings and language texts.
static std::string g_dir;
static void UseScratchInstallation(const char* settings) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  g_dir = std::string(temp) + "vintor decor test";
  CreateDirectoryA(g_dir.c_str(), NULL);
  CreateDirectoryA((g_dir + "\\lang").c_str(), NULL);
  BuildInstallPaths(&g_paths, g_dir.c_str(), "vintor-eng.txt");
  WritePrivateProfileStringA(NULL, NULL, NULL, g_paths.settingsFile);
  DeleteFileA(g_paths.settingsFile);
  if (settings) WritePrivateProfileStringA("OPTIONS", "Transparent", settings, g_paths.settingsFile);
  WritePrivateProfileStringA("INTERFACE", "100", "Transparency: %d%%", g_paths.languageFile);
}

// What the dialog looks like at one moment, read while it runs.
struct DialogView {
  std::string title;
  int slider, gauge, gaugeMin, gaugeMax, sliderMin, sliderMax, mainAlpha;
};
static DialogView View(HWND d) {
  DialogView v;
  char t[100] = "";
  GetWindowTextA(d, t, sizeof t);
  v.title = t;
  v.slider = (int)SendDlgItemMessageA(d, IDC_TRANSPARENT_SLIDER, TBM_GETPOS, 0, 0);
  v.sliderMin = (int)SendDlgItemMessageA(d, IDC_TRANSPARENT_SLIDER, TBM_GETRANGEMIN, 0, 0);
  v.sliderMax = (int)SendDlgItemMessageA(d, IDC_TRANSPARENT_SLIDER, TBM_GETRANGEMAX, 0, 0);
  v.gauge = (int)SendDlgItemMessageA(d, IDC_TRANSPARENT_GAUGE, PBM_GETPOS, 0, 0);
  v.gaugeMin = (int)SendDlgItemMessageA(d, IDC_TRANSPARENT_GAUGE, PBM_GETRANGE, TRUE, 0);
  v.gaugeMax = (int)SendDlgItemMessageA(d, IDC_TRANSPARENT_GAUGE, PBM_GETRANGE, FALSE, 0);
  v.mainAlpha = Alpha(g_mainWindow);
  return v;
}

// The script run inside the modal loop: views are taken before and after a slider move.
static int g_moveTo;
static UINT g_finish;
static std::vector<DialogView> g_views;
static HWND g_dialog;
static BOOL CALLBACK FindDialog(HWND w, LPARAM) {
  char cls[32] = "";
  GetClassNameA(w, cls, sizeof cls);
  if (strcmp(cls, "#32770") == 0) { g_dialog = w; return FALSE; }
  return TRUE;
}
static void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  g_dialog = NULL;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, 0);
  if (!g_dialog) return;
  KillTimer(NULL, timer);
  g_views.push_back(View(g_dialog));
  HWND slider = GetDlgItem(g_dialog, IDC_TRANSPARENT_SLIDER);
  SendMessageA(slider, TBM_SETPOS, TRUE, g_moveTo);
  // A line step alone changes nothing; the drag does.
  SendMessageA(g_dialog, WM_HSCROLL, MAKEWPARAM(TB_LINEDOWN, 0), (LPARAM)slider);
  g_views.push_back(View(g_dialog));
  SendMessageA(g_dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, g_moveTo), (LPARAM)slider);
  g_views.push_back(View(g_dialog));
  PostMessageA(g_dialog, WM_COMMAND, g_finish, 0);
}

static INT_PTR RunDialog(int moveTo, UINT finish) {
  g_moveTo = moveTo;
  g_finish = finish;
  g_views.clear();
  SetTimer(NULL, 0, 30, DriveDialog);
  return ShowTransparencyDialog();
}

static int StoredSetting() { return (int)GetPrivateProfileIntA("OPTIONS", "Transparent", -1, g_paths.settingsFile); }

TEST_CASE(dialog_moves_opacity_live_cancel_restores_ok_stores) {
  g_instance = Me();
  g_mainWindow = TestWindow();
  UseScratchInstallation("80");
  ApplyWindowTransparency(g_mainWindow, 80);

  CHECK_EQ((int)RunDialog(40, IDCANCEL), IDCANCEL);
  CHECK_EQ(g_views.size(), (size_t)3);
  if (g_views.size() == 3) {
    const DialogView& first = g_views[0];
    CHECK_STR(first.title, "Transparency: 80%");
    CHECK_EQ(first.slider, 80);
    CHECK_EQ(first.gauge, 80);
    CHECK_EQ(first.sliderMin, 30);
    CHECK_EQ(first.sliderMax, 100);
    CHECK_EQ(first.gaugeMin, 30);
    CHECK_EQ(first.gaugeMax, 100);
    CHECK_STR(g_views[1].title, "Transparency: 80%");
    CHECK_EQ(g_views[1].mainAlpha, 204);
    CHECK_STR(g_views[2].title, "Transparency: 40%");
    CHECK_EQ(g_views[2].gauge, 40);
    CHECK_EQ(g_views[2].mainAlpha, 102);
  }
  // Cancel brings the stored level back and stores nothing.
  CHECK_EQ(Alpha(g_mainWindow), 204);
  CHECK_EQ(StoredSetting(), 80);

  CHECK_EQ((int)RunDialog(55, IDOK), IDOK);
  CHECK_EQ(StoredSetting(), 55);
  CHECK_EQ(Alpha(g_mainWindow), 140);

  // No key: the default 95. A stored 20 shows itself in the title; the slider clamps it.
  UseScratchInstallation(nullptr);
  RunDialog(60, IDCANCEL);
  if (!g_views.empty()) CHECK_STR(g_views[0].title, "Transparency: 95%");
  CHECK_EQ(Alpha(g_mainWindow), 242);
  UseScratchInstallation("20");
  RunDialog(60, IDCANCEL);
  if (!g_views.empty()) {
    CHECK_STR(g_views[0].title, "Transparency: 20%");
    CHECK_EQ(g_views[0].slider, 30);
  }
  CHECK_EQ(Alpha(g_mainWindow), 51);
  DestroyWindow(g_mainWindow);
  g_mainWindow = NULL;
}

// Not a check: shows the splash as start-up does and keeps it up, so that the
// end-to-end tests can look at it. Runs only when asked for by its environment.
TEST_CASE(hold_startup_splash) {
  char ms[16] = "", text[256] = "";
  if (!GetEnvironmentVariableA("VINTOR_HOLD_SPLASH_MS", ms, sizeof ms)) SKIP("only for screenshots");
  GetEnvironmentVariableA("VINTOR_HOLD_SPLASH_TEXT", text, sizeof text);
  HGLOBAL picture = LoadBitmapResource(Me(), IDB_SPLASH);
  HWND splash = CreateSplashScreen(Me(), picture, 0);
  FreePackedBitmap(picture);
  SetSplashTextColour(splash, RGB(128, 128, 128), FALSE);
  SetSplashText(splash, text);
  ApplyWindowTransparency(splash, 95);
  Sleep((DWORD)atoi(ms));
  CloseSplashScreen(splash);
  CHECK(WaitGone(splash, 5000));
}
