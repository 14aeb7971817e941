// The main window's controls at creation and after resizes, the status bar
// parts, the minimum tracking size, fonts, always-on-top and Magnet.
#include "tests/testkit/testkit.h"
#include "tests/win32/mainwindow_fixture.h"
#include <vector>

using namespace fixture;

static std::string s_folder;

static void Start(const std::string& settings = "") {
  s_folder = StageFolder("vintor_mw_layout", settings);
  StartMainWindow(s_folder);
}

static void ExpectBox(int id, Box want, int line) {
  if (!GetDlgItem(g_mainWindow, id)) return;  // controls of modules not built yet
  Box got = ChildBox(id);
  if (Show(got) != Show(want))
    testkit::Fail(__FILE__, line, "control " + std::to_string(id) + ": " + Show(got) + " vs " + Show(want));
}

struct Row { int id; Box box; };

// The controls at the default size (dw 160, dh 94, hx 80, hy 47, q 40, t 26).
static const Row kDefaultLayout[] = {
    {301, {10, 81, 613, 456}},  {311, {647, 32, 283, 306}},  {503, {647, 444, 137, 35}},
    {519, {647, 444, 137, 35}}, {518, {647, 444, 137, 35}},  {525, {647, 444, 137, 35}},
    {504, {794, 444, 136, 35}}, {524, {794, 444, 136, 35}},  {526, {647, 488, 137, 35}},
    {505, {794, 488, 136, 35}}, {521, {794, 488, 136, 35}},  {531, {794, 488, 136, 35}},
    {321, {480, 468, 99, 28}},  {318, {647, 354, 283, 76}},  {303, {634, 10, 308, 526}},
    {319, {38, 123, 553, 384}}, {322, {52, 150, 524, 22}},   {308, {25, 115, 580, 405}},
    {302, {25, 115, 580, 405}}, {305, {25, 115, 580, 405}},  {306, {25, 115, 580, 405}},
    {307, {25, 115, 580, 405}}, {309, {25, 115, 580, 197}},  {310, {25, 323, 580, 197}},
    {337, {10, 10, 613, 60}},   {335, {350, 11, 105, 58}},   {336, {452, 11, 170, 58}},
};

TEST_CASE(default_size_puts_every_control_in_its_place) {
  Start();
  RECT r;
  GetWindowRect(g_mainWindow, &r);
  CHECK_EQ((int)(r.right - r.left), g_defaultWidth);
  CHECK_EQ(g_dw, 160);
  CHECK_EQ(g_dh, 94);
  for (const Row& row : kDefaultLayout) ExpectBox(row.id, row.box, __LINE__);
  // Left where they were created.
  ExpectBox(334, {11, 11, 347, 58}, __LINE__);
  ExpectBox(324, {56, 185, 350, 22}, __LINE__);
  ExpectBox(332, {56, 377, 350, 22}, __LINE__);
  CloseMainWindow();
}

TEST_CASE(one_pixel_wider_gives_the_same_layout) {
  Start();
  Resize(g_defaultWidth + 1, g_defaultHeight);
  CHECK_EQ(g_dw, 161);
  for (const Row& row : kDefaultLayout) ExpectBox(row.id, row.box, __LINE__);
  CloseMainWindow();
}

TEST_CASE(larger_window_moves_everything_by_the_formulas) {
  Start();
  Resize(g_defaultWidth + 200, g_defaultHeight + 101);  // dw 360, dh 195: hx 180, hy 97, q 90, t 60
  CHECK_EQ(g_dw, 360);
  CHECK_EQ(g_dh, 195);
  const Row rows[] = {
      {301, {10, 81, 713, 557}},  {311, {747, 32, 383, 407}},  {503, {747, 545, 187, 35}},
      {504, {944, 545, 186, 35}}, {526, {747, 589, 187, 35}},  {505, {944, 589, 186, 35}},
      {318, {747, 455, 383, 76}}, {303, {734, 10, 408, 627}},  {305, {25, 115, 680, 506}},
      {309, {25, 115, 680, 247}}, {310, {25, 373, 680, 247}},  {321, {546, 569, 133, 28}},
      {337, {10, 10, 713, 60}},   {336, {552, 11, 170, 58}},   {322, {52, 150, 624, 22}},
  };
  for (const Row& row : rows) ExpectBox(row.id, row.box, __LINE__);
  // And back: the layout is a function of the size alone.
  Resize(g_defaultWidth, g_defaultHeight);
  for (const Row& row : kDefaultLayout) ExpectBox(row.id, row.box, __LINE__);
  CloseMainWindow();
}

TEST_CASE(status_bar_is_divided_again_after_a_resize) {
  Start();
  for (int extra : {0, 77, 344}) {
    Resize(g_defaultWidth + extra, g_defaultHeight + extra);
    RECT bar;
    GetClientRect(g_statusBar, &bar);
    int w = bar.right;
    int edges[8] = {};
    int n = (int)SendMessageA(g_statusBar, SB_GETPARTS, 8, (LPARAM)edges);
    CHECK_EQ(n, 4);
    CHECK_EQ(edges[0], (w - 1000) / 4 + 240);
    CHECK_EQ(edges[1], (w - 1000) / 3 + 480);
    CHECK_EQ(edges[2], (w - 1000) / 2 + 720);
    CHECK_EQ(edges[3], w - 40);
    // The bar sits at the client's bottom across its width.
    RECT client, barRect;
    GetClientRect(g_mainWindow, &client);
    GetWindowRect(g_statusBar, &barRect);
    MapWindowPoints(NULL, g_mainWindow, (POINT*)&barRect, 2);
    CHECK_EQ((int)barRect.bottom, (int)client.bottom);
    CHECK_EQ((int)(barRect.right - barRect.left), (int)client.right);
  }
  CloseMainWindow();
}

TEST_CASE(minimum_tracking_size_is_the_default_size) {
  Start();
  MINMAXINFO info = {};
  SendMessageA(g_mainWindow, WM_GETMINMAXINFO, 0, (LPARAM)&info);
  CHECK_EQ((int)info.ptMinTrackSize.x, g_defaultWidth);
  CHECK_EQ((int)info.ptMinTrackSize.y, g_defaultHeight);
  Resize(400, 300);
  RECT r;
  GetWindowRect(g_mainWindow, &r);
  CHECK_EQ((int)(r.right - r.left), g_defaultWidth);
  CHECK_EQ((int)(r.bottom - r.top), g_defaultHeight);
  CloseMainWindow();
}

// A minimised window keeps the last layout instead of negative sizes.
TEST_CASE(minimising_keeps_the_layout) {
  Start();
  ShowWindow(g_mainWindow, SW_MINIMIZE);
  Pump();
  CHECK_EQ(g_dw, 160);
  ShowWindow(g_mainWindow, SW_RESTORE);
  Pump();
  for (const Row& row : kDefaultLayout) ExpectBox(row.id, row.box, __LINE__);
  CloseMainWindow();
}

// Children in creation order (the status bar comes first, from start-up step 9).
TEST_CASE(controls_are_created_in_order_with_their_classes_and_styles) {
  Start();
  const int order[] = {3000, 337, 334, 335, 336, 311, 303, 319, 322, 321, 324, 325, 326, 327, 328, 329, 330,
                       331, 332, 308, 302, 305, 306, 307, 309, 310, 503, 526, 504, 505, 519, 518, 521, 525,
                       524, 531, 318, 301};
  std::vector<int> seen;
  for (HWND c = GetWindow(g_mainWindow, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) seen.push_back(GetDlgCtrlID(c));
  size_t at = 0;
  for (int id : order) {
    if (!GetDlgItem(g_mainWindow, id)) continue;
    while (at < seen.size() && seen[at] != id) ++at;
    if (at == seen.size()) testkit::Fail(__FILE__, __LINE__, "out of order: " + std::to_string(id));
  }
  struct { int id; const char* cls; DWORD style, exStyle; bool visible; } rows[] = {
      {337, "Static", SS_BITMAP, WS_EX_STATICEDGE, true},
      {334, "Static", SS_BITMAP, 0, true},
      {311, "Static", SS_BITMAP, WS_EX_STATICEDGE, true},
      {303, "Button", BS_GROUPBOX, 0, true},
      {319, "Button", BS_GROUPBOX, 0, false},
      {322, "Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, false},
      {324, "Button", BS_AUTOCHECKBOX, 0, false},
      {308, "Static", SS_GRAYFRAME, 0, false},
      {307, "Edit", WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, false},
      {309, "Edit", WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, false},
      {318, "Edit", ES_CENTER | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true},
      {301, "SysTabControl32", WS_CLIPSIBLINGS | WS_TABSTOP, 0, true},
  };
  for (auto& row : rows) {
    HWND c = GetDlgItem(g_mainWindow, row.id);
    CHECK(c != NULL);
    if (!c) continue;
    char cls[64] = "";
    GetClassNameA(c, cls, sizeof cls);
    CHECK_STR(cls, row.cls);
    DWORD style = (DWORD)GetWindowLongA(c, GWL_STYLE);
    if ((style & row.style) != row.style) testkit::Fail(__FILE__, __LINE__, "style of " + std::to_string(row.id));
    CHECK_EQ((DWORD)GetWindowLongA(c, GWL_EXSTYLE) & row.exStyle, row.exStyle);
    CHECK_EQ(IsWindowVisible(c) != 0, row.visible);
  }
  // 309 and 310 have no horizontal scroll bar; the banner pieces carry pictures.
  CHECK((GetWindowLongA(GetDlgItem(g_mainWindow, 310), GWL_STYLE) & WS_HSCROLL) == 0);
  for (int id : {334, 335, 336}) CHECK(SendMessageA(GetDlgItem(g_mainWindow, id), STM_GETIMAGE, IMAGE_BITMAP, 0) != 0);
  CHECK(SendMessageA(GetDlgItem(g_mainWindow, 337), STM_GETIMAGE, IMAGE_BITMAP, 0) == 0);
  char text[64];
  GetWindowTextA(GetDlgItem(g_mainWindow, 303), text, sizeof text);
  CHECK_STR(text, "Snapshot");
  GetWindowTextA(GetDlgItem(g_mainWindow, 324), text, sizeof text);
  CHECK_STR(text, "Option one");
  CloseMainWindow();
}

TEST_CASE(tab_control_has_six_tabs_with_one_image) {
  Start();
  HWND tabs = GetDlgItem(g_mainWindow, 301);
  CHECK_EQ((int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 6);
  CHECK_EQ((int)SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
  HIMAGELIST images = (HIMAGELIST)SendMessageA(tabs, TCM_GETIMAGELIST, 0, 0);
  CHECK(images != NULL);
  CHECK_EQ(ImageList_GetImageCount(images), 1);
  const char* captions[] = {"Installed", "Supported", "Other files", "Options", "Windows notes", "Manual"};
  for (int i = 0; i < 6; ++i) {
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, i, (LPARAM)&item);
    CHECK_STR(text, captions[i]);
    CHECK_EQ(item.iImage, 0);
  }
  CloseMainWindow();
}

static std::string FaceOf(HFONT font, int* height, int* weight) {
  LOGFONTA lf = {};
  GetObjectA(font, sizeof lf, &lf);
  *height = lf.lfHeight;
  *weight = lf.lfWeight;
  return lf.lfFaceName;
}

TEST_CASE(fonts_follow_the_status_bar_or_clear_font_off) {
  Start();
  int h, w;
  HFONT barFont = (HFONT)SendMessageA(g_statusBar, WM_GETFONT, 0, 0);
  // The face the system really uses for the bar's font (a substitute name resolves here).
  HDC dc = GetDC(g_statusBar);
  HGDIOBJ old = SelectObject(dc, barFont ? (HGDIOBJ)barFont : GetStockObject(SYSTEM_FONT));
  char barFace[LF_FACESIZE] = "";
  GetTextFaceA(dc, sizeof barFace, barFace);
  SelectObject(dc, old);
  ReleaseDC(g_statusBar, dc);
  CHECK_STR(FaceOf(g_normalFont, &h, &w), barFace);
  CHECK(h > 0);
  CHECK_EQ(w, 400);
  FaceOf(g_boldFont, &h, &w);
  CHECK_EQ(w, 700);
  CHECK(SendMessageA(GetDlgItem(g_mainWindow, 303), WM_GETFONT, 0, 0) == (LRESULT)g_boldFont);
  CHECK(SendMessageA(GetDlgItem(g_mainWindow, 319), WM_GETFONT, 0, 0) == (LRESULT)g_boldFont);
  for (int id : {322, 324, 307, 309, 310, 318, 301})
    CHECK(SendMessageA(GetDlgItem(g_mainWindow, id), WM_GETFONT, 0, 0) == (LRESULT)g_normalFont);
  CloseMainWindow();

  Start("[OPTIONS]\r\nClearFont=0\r\n");
  CHECK_STR(FaceOf(g_normalFont, &h, &w), "MS Sans Serif");
  CHECK_EQ(h, 6);
  CHECK_EQ(w, 400);
  CHECK_STR(FaceOf(g_boldFont, &h, &w), "MS Sans Serif");
  CHECK_EQ(w, 700);
  CloseMainWindow();
}

TEST_CASE(ontop_follows_the_setting) {
  Start("[OPTIONS]\r\nOntop=18\r\n");
  CHECK((GetWindowLongA(g_mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
  WriteSettingsText("Ontop", "0");
  ApplyOntop();
  CHECK((GetWindowLongA(g_mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
  CloseMainWindow();
}

// WM_MOVING through the main window procedure, as a drag delivers it.
static RECT Moving(int left, int top, int right, int bottom) {
  RECT r = {left, top, right, bottom};
  SendMessageA(g_mainWindow, WM_MOVING, WMSZ_LEFT, (LPARAM)&r);
  return r;
}
static std::string ShowRect(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

TEST_CASE(magnet_snaps_only_when_on) {
  Start("[OPTIONS]\r\nMagnet=0\r\n");
  Moving(100, 30, 600, 430);
  CHECK_STR(ShowRect(Moving(100, 15, 600, 415)), "100,15,600,415");
  WriteSettingsText("Magnet", "18");
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  Moving(100, 30, 600, 430);
  CHECK_STR(ShowRect(Moving(100, 15, 600, 415)), "100,0,600,400");  // top 30 to 15 snaps to 0
  CHECK_STR(ShowRect(Moving(100, 5, 600, 405)), "100,5,600,405");   // 0 to 5 does not snap back
  RECT r = Moving(200, work.bottom - 430, 700, work.bottom - 30);
  r = Moving(200, work.bottom - 410, 700, work.bottom - 10);  // bottom moving down into the band
  CHECK_EQ((int)r.bottom, (int)work.bottom);
  CHECK_EQ((int)(r.bottom - r.top), 400);
  Moving(work.right - 560, 200, work.right - 60, 600);
  r = Moving(work.right - 510, 200, work.right - 10, 600);
  CHECK_EQ((int)r.right, (int)work.right);
  CHECK_EQ((int)(r.right - r.left), 500);
  CloseMainWindow();
}
