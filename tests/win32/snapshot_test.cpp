// The snapshot preview in a test window: candidates, the default picture, the
// converter run through the shell, the loaded size and the release of bitmaps.
#include "tests/testkit/testkit.h"
#include "tests/win32/png_files.h"
#include "preview/snapshot_win.h"
#include "shell/app_win.h"
#include <set>
#include <string>
#include <vector>

using namespace testpng;

// Started as snap\hang.exe this program plays a converter that never ends.
static const bool g_playingHungConverter = [] {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  size_t n = strlen(self);
  if (n >= 8 && _stricmp(self + n - 8, "hang.exe") == 0) { Sleep(60000); ExitProcess(0); }
  return false;
}();

static const Rgba kRed = {200, 30, 30, 255}, kBlue = {20, 40, 220, 255}, kGreen = {30, 180, 60, 255};
static std::string g_folder, g_snap;

static std::string SelfPath() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  return self;
}

static void Solid(const std::string& path, Rgba c) {
  static Rgba colour;
  colour = c;
  CHECK(WriteFileBytes(path, Png(kRgb, 16, 12, [](int, int) { return colour; })));
}

// The test installation and window, made once.
static void Setup() {
  if (g_mainWindow) return;
  g_folder = FreshFolder("vintor_snapshot");
  g_snap = g_folder + "\\snap";
  CreateDirectoryA(g_snap.c_str(), nullptr);
  BuildInstallPaths(&g_paths, g_folder.c_str(), "vintor-eng.txt");
  std::string self = SelfPath();
  std::string converter = self.substr(0, self.rfind('\\')) + "\\companions\\png2bmp\\png2bmp.exe";
  CHECK(CopyFileA(converter.c_str(), g_paths.converter, FALSE));
  CHECK(WriteFileBytes(g_paths.defaultPicture, SolidBmp(50, 40, kGreen)));
  Solid(g_snap + "\\both.png", kRed);
  CreateDirectoryA((g_snap + "\\both").c_str(), nullptr);
  Solid(g_snap + "\\both\\0000.png", kBlue);
  CreateDirectoryA((g_snap + "\\onlyb").c_str(), nullptr);
  Solid(g_snap + "\\onlyb\\0000.png", kBlue);
  Solid(g_snap + "\\red.png", kRed);
  g_mainWindow = CreateWindowA("STATIC", "snapshot test", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, 647, 32, 283, 306, g_mainWindow,
                (HMENU)(INT_PTR)IDC_PREVIEW, GetModuleHandleA(nullptr), nullptr);
  g_dw = 160;
  g_dh = 94;
}

static HBITMAP Shown() {
  return (HBITMAP)SendDlgItemMessageA(g_mainWindow, IDC_PREVIEW, STM_GETIMAGE, IMAGE_BITMAP, 0);
}

struct Picture { int w = 0, h = 0; Rgba centre = {0, 0, 0, 0}; };

static Picture Look() {
  Picture p;
  HBITMAP b = Shown();
  BITMAP info = {};
  if (!b || !GetObjectA(b, sizeof info, &info)) return p;
  p.w = info.bmWidth;
  p.h = info.bmHeight;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = p.w;
  bi.bmiHeader.biHeight = -p.h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::string pixels((size_t)p.w * p.h * 4, '\0');
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, b, 0, p.h, &pixels[0], &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  size_t i = ((size_t)(p.h / 2) * p.w + p.w / 2) * 4;
  p.centre = Rgba{(uint8_t)pixels[i + 2], (uint8_t)pixels[i + 1], (uint8_t)pixels[i], 255};
  return p;
}

static void CheckShows(Rgba c, int w, int h, int line) {
  Picture p = Look();
  if (p.w != w || p.h != h || p.centre.r != c.r || p.centre.g != c.g || p.centre.b != c.b) {
    char what[160];
    snprintf(what, sizeof what, "shows %dx%d (%d,%d,%d), wanted %dx%d (%d,%d,%d)", p.w, p.h, p.centre.r,
             p.centre.g, p.centre.b, w, h, c.r, c.g, c.b);
    testkit::Fail(__FILE__, line, what);
  }
}
#define CHECK_SHOWS(c, w, h) CheckShows(c, w, h, __LINE__)

static std::string Backup() { return std::string(g_paths.previewFile) + ".bak"; }

TEST_CASE(candidate_a_wins_over_b_and_no_bak_is_left) {
  Setup();
  ShowGameSnapshot("both");
  CHECK_SHOWS(kRed, 282, 306);
  CHECK(!FileThere(Backup()));
  ShowGameSnapshot("both");  // the second run has a former output to back up
  CHECK_SHOWS(kRed, 282, 306);
  CHECK(!FileThere(Backup()));
}

TEST_CASE(only_candidate_b) {
  Setup();
  ShowGameSnapshot("onlyb");
  CHECK_SHOWS(kBlue, 282, 306);
}

TEST_CASE(neither_gives_default_picture_without_bak_deletion) {
  Setup();
  CHECK(WriteFileBytes(Backup(), "left by someone"));
  ShowGameSnapshot("nosnap");
  CHECK_SHOWS(kGreen, 282, 306);
  CHECK(ReadFileBytes(g_paths.previewFile) == ReadFileBytes(g_paths.defaultPicture));
  CHECK(FileThere(Backup()));
  DeleteFileA(Backup().c_str());
  ShowGameSnapshot(nullptr);
  CHECK_SHOWS(kGreen, 282, 306);
}

TEST_CASE(resize_reloads_the_work_file_at_the_new_size) {
  Setup();
  ShowGameSnapshot("nosnap");
  struct { int dw, dh, w, h; } rows[] = {{400, 300, 402, 512}, {161, 95, 282, 307}, {0, 0, 202, 212}, {160, 94, 282, 306}};
  for (auto& r : rows) {
    g_dw = r.dw;
    g_dh = r.dh;
    ReloadPreviewPicture();
    CHECK_SHOWS(kGreen, r.w, r.h);
  }
}

// Start-up holds the reloads of its resizes: only the last size is loaded, once,
// and not at all when a snapshot was shown after them.
TEST_CASE(held_reloads_load_once_at_release) {
  Setup();
  ShowGameSnapshot("nosnap");
  HoldPreviewReloads(true);
  g_dw = 400;
  g_dh = 300;
  ReloadPreviewPicture();
  CHECK_SHOWS(kGreen, 282, 306);  // held
  ShowGameSnapshot("red");        // loads, at the new size: nothing is owed now
  CHECK_SHOWS(kRed, 402, 512);
  CHECK(WriteFileBytes(g_paths.previewFile, ReadFileBytes(g_paths.defaultPicture)));
  HoldPreviewReloads(false);
  CHECK_SHOWS(kRed, 402, 512);
  HoldPreviewReloads(true);
  g_dw = 0;
  g_dh = 0;
  ReloadPreviewPicture();
  g_dw = 160;
  g_dh = 94;
  ReloadPreviewPicture();
  CHECK_SHOWS(kRed, 402, 512);    // held
  HoldPreviewReloads(false);      // the owed reload, at the size of the last resize
  CHECK_SHOWS(kGreen, 282, 306);
  g_dw = 161;
  g_dh = 95;
  ReloadPreviewPicture();         // released: reloads at once again
  CHECK_SHOWS(kGreen, 282, 307);
  g_dw = 160;
  g_dh = 94;
}

TEST_CASE(missing_converter_or_default_keeps_previous_picture) {
  Setup();
  std::string aside = std::string(g_paths.converter) + ".aside";
  ShowGameSnapshot("red");
  CHECK_SHOWS(kRed, 282, 306);
  CHECK(MoveFileA(g_paths.converter, aside.c_str()));
  ShowGameSnapshot("onlyb");
  CHECK_SHOWS(kRed, 282, 306);
  CHECK(MoveFileA(aside.c_str(), g_paths.converter));
  std::string picture = std::string(g_paths.defaultPicture) + ".aside";
  CHECK(MoveFileA(g_paths.defaultPicture, picture.c_str()));
  ShowGameSnapshot("nosnap");
  CHECK_SHOWS(kRed, 282, 306);
  CHECK(MoveFileA(picture.c_str(), g_paths.defaultPicture));
}

TEST_CASE(work_file_not_a_bitmap_shows_none) {
  Setup();
  ShowGameSnapshot("nosnap");
  CHECK(Shown() != nullptr);
  CHECK(WriteFileBytes(g_paths.previewFile, "not a bitmap"));
  ReloadPreviewPicture();
  CHECK(Shown() == nullptr);
  ShowGameSnapshot("nosnap");
  CHECK(Shown() != nullptr);
}

TEST_CASE(hanging_converter_is_given_up_after_a_bounded_wait) {
  Setup();
  ShowGameSnapshot("nosnap");
  std::string real = g_paths.converter;
  std::string hang = g_snap + "\\hang.exe";
  CHECK(CopyFileA(SelfPath().c_str(), hang.c_str(), FALSE));
  CopyText(g_paths.converter, sizeof g_paths.converter, hang.c_str());
  DWORD start = GetTickCount();
  ShowGameSnapshot("red");
  DWORD took = GetTickCount() - start;
  CopyText(g_paths.converter, sizeof g_paths.converter, real.c_str());
  CHECK(took >= 4500);
  CHECK(took < 9000);
  CHECK_SHOWS(kGreen, 282, 306);  // what the work file held
  // The hung converter was ended, so its file can go.
  bool gone = false;
  for (int i = 0; i < 50 && !gone; ++i) { gone = DeleteFileA(hang.c_str()) != 0; if (!gone) Sleep(100); }
  CHECK(gone);
}

// Every selection replaces the control's bitmap; the one it held must be freed.
TEST_CASE(bitmaps_do_not_pile_up_over_1000_selections) {
  Setup();
  ShowGameSnapshot("nosnap");
  DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  std::vector<HBITMAP> held;
  for (int i = 0; i < 1000; ++i) {
    if (i % 2) ShowGameSnapshot("nosnap");
    else ReloadPreviewPicture();
    held.push_back(Shown());
  }
  for (int i = 0; i < 10; ++i) {  // conversions take the same road
    ShowGameSnapshot("red");
    held.push_back(Shown());
  }
  // Handle values may be reused, so count distinct live ones: only the one shown now.
  std::set<HBITMAP> alive;
  for (HBITMAP b : held) if (b && GetObjectType(b) == OBJ_BITMAP) alive.insert(b);
  CHECK_EQ(alive.size(), (size_t)1);
  CHECK(alive.count(Shown()) == 1);
  DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  printf("  GDI objects (GetGuiResources, 0 = not counted here): %lu before, %lu after\n", gdiBefore, gdiAfter);
  CHECK(gdiAfter <= gdiBefore + 5);
  CHECK_SHOWS(kRed, 282, 306);
}

// Where 64 fresh handles reach: every handle left open pushes them one slot on.
static uintptr_t HandleReach() {
  HANDLE probes[64];
  uintptr_t reach = 0;
  for (HANDLE& h : probes) {
    h = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if ((uintptr_t)h > reach) reach = (uintptr_t)h;
  }
  for (HANDLE h : probes) CloseHandle(h);
  return reach;
}

TEST_CASE(converter_process_handles_are_closed) {
  Setup();
  ShowGameSnapshot("red");
  DWORD before = 0, after = 0;
  GetProcessHandleCount(GetCurrentProcess(), &before);
  uintptr_t reachBefore = HandleReach();
  for (int i = 0; i < 20; ++i) ShowGameSnapshot(i % 2 ? "red" : "onlyb");
  GetProcessHandleCount(GetCurrentProcess(), &after);
  uintptr_t reachAfter = HandleReach();
  printf("  process handles: %lu before, %lu after 20 conversions (0 = not counted here); reach %#lx, %#lx\n",
         before, after, (unsigned long)reachBefore, (unsigned long)reachAfter);
  CHECK(after <= before + 3);
  CHECK(reachAfter <= reachBefore + 3 * sizeof(HANDLE));
}
