// Owner-drawn menus in process: conversion records, measured sizes, the pixels
// of each drawing state, the release of the band, and the menu search.
#include "tests/testkit/testkit.h"
#include "controls/ownermenu_win.h"
#include <string>
#include <vector>

static const OwnerMenuItem* RecordAt(HMENU menu, int pos) {
  MENUITEMINFOA mii = {};
  mii.cbSize = kMenuItemInfoSize;
  mii.fMask = MIIM_TYPE | MIIM_DATA;
  if (!GetMenuItemInfoA(menu, (UINT)pos, TRUE, &mii)) return nullptr;
  if (mii.fType != MFT_OWNERDRAW) return nullptr;
  return OwnerMenuRecord(mii.dwItemData);
}

static const std::string kLong(80, 'W');

static HMENU SampleMenu() {
  HMENU m = CreatePopupMenu();
  AppendMenuA(m, MF_STRING, 101, "&Open\tCtrl+O");
  AppendMenuA(m, MF_SEPARATOR, 0, "");
  AppendMenuA(m, MF_STRING | MF_CHECKED, 102, "Checked item");
  AppendMenuA(m, MF_STRING | MF_GRAYED, 103, "Greyed\tF12");
  AppendMenuA(m, MF_STRING, 104, kLong.c_str());
  return m;
}

static int TextWidth(HDC dc, const std::string& s) {
  SIZE size = {0, 0};
  if (!s.empty()) GetTextExtentPoint32A(dc, s.c_str(), (int)s.size(), &size);
  return size.cx;
}

TEST_CASE(conversion_records_and_measured_sizes) {
  HMENU menu = SampleMenu();
  CHECK_EQ(MakeOwnerDrawnMenu(menu, "Action"), 1);
  int cy = GetSystemMetrics(SM_CYMENU), k = GetSystemMetrics(SM_CXMENUCHECK);
  const OwnerMenuItem* first = RecordAt(menu, 0);
  CHECK(first != nullptr);
  if (!first) return;
  // Records of one menu are consecutive in one heap block, position 0 first.
  CHECK(HeapSize(GetProcessHeap(), 0, (void*)first) >= 5 * sizeof(OwnerMenuItem));
  for (int i = 0; i < 5; ++i) CHECK(RecordAt(menu, i) == first + i);

  HDC screen = GetDC(NULL);
  int band = MulDiv(16, GetDeviceCaps(screen, LOGPIXELSY), 72) + 4;
  HGDIOBJ old = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
  std::string cut = kLong.substr(0, 63);
  int label = TextWidth(screen, cut);  // the widest label is the long text's first 63 characters
  int accel = std::max(TextWidth(screen, "Ctrl+O"), TextWidth(screen, "F12"));
  int whole = std::max(TextWidth(screen, "&Open\tCtrl+O"), TextWidth(screen, "Greyed\tF12"));
  SelectObject(screen, old);
  ReleaseDC(NULL, screen);
  int width = band + 1 + 2 * (k + 4) + std::max(whole, label + accel);

  struct { int height; int reported; UINT type; } want[] = {
    {cy + 2, width, MFT_STRING}, {(cy + 2) / 2, 0, MFT_SEPARATOR}, {cy + 2, width, MFT_STRING},
    {cy + 2, width, MFT_STRING}, {cy + 2, width, MFT_STRING},
  };
  int offset = 0;
  for (int i = 0; i < 5; ++i) {
    const OwnerMenuItem* r = first + i;
    CHECK_EQ(r->itemHeight, want[i].height);
    CHECK_EQ(r->reportedWidth, want[i].reported);
    CHECK_EQ(r->itemWidth, width);  // kept for the separator too
    CHECK_EQ(r->typeBefore & MFT_SEPARATOR, want[i].type & MFT_SEPARATOR);
    CHECK_EQ(r->bandOffset, offset);
    CHECK_EQ(r->bandWidth, band);
    CHECK(r->band == first->band);
    offset += r->itemHeight;

    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemData = (ULONG_PTR)r;
    CHECK_EQ(MeasureMenuItem(0, &mis), TRUE);
    CHECK_EQ((int)mis.itemHeight, want[i].height);
    CHECK_EQ((int)mis.itemWidth, want[i].reported);
  }
  CHECK_STR(first[4].text, cut);
  CHECK_STR(first[0].text, "&Open\tCtrl+O");
  CHECK(GetObjectType(first->band) == OBJ_BITMAP);
  BITMAP bm = {};
  GetObjectA(first->band, sizeof bm, &bm);
  CHECK_EQ((int)bm.bmWidth, band);
  CHECK_EQ((int)bm.bmHeight, offset);

  // Requests that are not ours are left alone.
  MEASUREITEMSTRUCT other = {};
  other.CtlType = ODT_MENU;
  other.itemData = (ULONG_PTR)first;
  other.itemHeight = 77;
  CHECK_EQ(MeasureMenuItem(1, &other), FALSE);
  other.CtlType = ODT_BUTTON;
  CHECK_EQ(MeasureMenuItem(0, &other), FALSE);
  char foreign[sizeof(OwnerMenuItem)] = "{44DE039E-73AC-X";
  other.CtlType = ODT_MENU;
  other.itemData = (ULONG_PTR)foreign;
  CHECK_EQ(MeasureMenuItem(0, &other), FALSE);
  other.itemData = 0;
  CHECK_EQ(MeasureMenuItem(0, &other), FALSE);
  CHECK_EQ((int)other.itemHeight, 77);
  CHECK_EQ(MeasureMenuItem(0, nullptr), FALSE);
  DestroyMenu(menu);  // the block is freed through the window in the release case below
}

TEST_CASE(empty_menu_stays_unconverted) {
  HMENU menu = CreatePopupMenu();
  CHECK_EQ(MakeOwnerDrawnMenu(menu, "Empty"), 0);
  CHECK_EQ(GetMenuItemCount(menu), 0);
  DestroyMenu(menu);
  CHECK_EQ(MakeOwnerDrawnMenu(NULL, "None"), 0);
}

// A 300 x 40 canvas prefilled with a colour no state uses.
struct Canvas {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  static const COLORREF kPrefill = RGB(1, 2, 3);
  Canvas() {
    HDC screen = GetDC(NULL);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, 300, 40);
    ReleaseDC(NULL, screen);
    old = SelectObject(dc, bitmap);
    HBRUSH b = CreateSolidBrush(kPrefill);
    RECT all = {0, 0, 300, 40};
    FillRect(dc, &all, b);
    DeleteObject(b);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  int Count(COLORREF c, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (GetPixel(dc, x, y) == c) ++n;
    return n;
  }
};

static BOOL Draw(Canvas& c, HMENU menu, int pos, UINT id, UINT state, const OwnerMenuItem* r) {
  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_MENU;
  dis.itemID = id;
  dis.itemState = state;
  dis.hwndItem = (HWND)menu;
  dis.hDC = c.dc;
  dis.rcItem = {0, 0, 300, r->itemHeight};
  dis.itemData = (ULONG_PTR)r;
  (void)pos;
  return DrawMenuItem(0, &dis);
}

TEST_CASE(drawing_states_use_their_colours) {
  HMENU menu = SampleMenu();
  CHECK_EQ(MakeOwnerDrawnMenu(menu, "Action"), 1);
  const OwnerMenuItem* r = RecordAt(menu, 0);
  if (!r) { CHECK(false); return; }
  int bw = r->bandWidth, h = r->itemHeight, k = GetSystemMetrics(SM_CXMENUCHECK);
  COLORREF menuBg = GetSysColor(COLOR_MENU), caption = GetSysColor(COLOR_ACTIVECAPTION);
  COLORREF menuText = GetSysColor(COLOR_MENUTEXT), highlight = GetSysColor(COLOR_HIGHLIGHTTEXT);
  COLORREF btnHi = GetSysColor(COLOR_BTNHIGHLIGHT), btnShadow = GetSysColor(COLOR_BTNSHADOW);
  int textX0 = bw + k + 3, x1 = 300;

  struct { int pos; UINT id; UINT state; COLORREF bg; COLORREF text; const char* what; } rows[] = {
    {0, 101, 0, menuBg, menuText, "normal"},
    {0, 101, ODS_SELECTED, caption, highlight, "selected"},
    {3, 103, ODS_SELECTED | ODS_GRAYED, caption, menuBg, "selected and greyed: menu-coloured text"},
  };
  for (auto& row : rows) {
    Canvas c;
    CHECK_EQ(Draw(c, menu, row.pos, row.id, row.state, r + row.pos), TRUE);
    int bg = c.Count(row.bg, bw, 0, x1, h);
    int text = c.Count(row.text, textX0, 0, x1, h);
    if (bg < (x1 - bw) * h / 2 || text < 5)
      testkit::Fail(__FILE__, __LINE__, std::string(row.what) + ": bg " + std::to_string(bg) + " text " +
                                            std::to_string(text));
    CHECK_EQ(c.Count(Canvas::kPrefill, 0, 0, x1, h), 0);  // band slice and background cover the item
    CHECK_EQ(c.Count(btnHi, textX0, 0, x1, h) > 0 && row.bg != btnHi && row.text != btnHi, false);
  }
  {
    // Greyed and not selected: embossed in highlight and shadow on the menu colour.
    Canvas c;
    CHECK_EQ(Draw(c, menu, 3, 103, ODS_GRAYED, r + 3), TRUE);
    CHECK(c.Count(menuBg, bw, 0, x1, h) > (x1 - bw) * h / 2);
    CHECK(c.Count(btnShadow, textX0, 0, x1, h) > 5);
    CHECK(c.Count(btnHi, textX0, 0, x1, h) > 5);
    CHECK_EQ(c.Count(menuText, textX0, 0, x1, h), 0);
    // The accelerator is drawn right-aligned, K pixels in from the edge.
    CHECK(c.Count(btnShadow, x1 - k - 30, 0, x1 - k, h) > 0);
    CHECK_EQ(c.Count(btnShadow, x1 - k + 2, 0, x1, h), 0);
  }
  {
    // The check mark is read from the menu at drawing time, in the text colour.
    Canvas c;
    Draw(c, menu, 2, 102, 0, r + 2);
    int marked = c.Count(menuText, bw + 2, 0, bw + 2 + k, h);
    CHECK(marked > 3);
    CheckMenuItem(menu, 102, MF_BYCOMMAND | MF_UNCHECKED);
    Canvas d;
    Draw(d, menu, 2, 102, 0, r + 2);
    CHECK_EQ(d.Count(menuText, bw + 2, 0, bw + 2 + k, h), 0);
    CheckMenuItem(menu, 101, MF_BYCOMMAND | MF_CHECKED);
    Canvas e;
    Draw(e, menu, 0, 101, ODS_SELECTED, r);
    CHECK(e.Count(highlight, bw + 2, 0, bw + 2 + k, h) > 3);
  }
  {
    // A separator: the band slice and an etched line at its middle, nothing else.
    Canvas c;
    const OwnerMenuItem* s = r + 1;
    CHECK_EQ(Draw(c, menu, 1, 0, 0, s), TRUE);
    int line = s->itemHeight / 2 - 1;
    CHECK(c.Count(btnShadow, bw, line, x1, line + 1) > 200);
    CHECK_EQ(c.Count(Canvas::kPrefill, bw, 0, x1, line), (x1 - bw) * line);
    CHECK_EQ(c.Count(Canvas::kPrefill, 0, 0, bw, s->itemHeight), 0);
  }
  {
    // The band: the gradient from the gradient caption colour (top) to the active caption colour.
    HDC mem = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(mem, r->band);
    BITMAP bm = {};
    GetObjectA(r->band, sizeof bm, &bm);
    COLORREF top = GetPixel(mem, 0, 0), bottom = GetPixel(mem, 0, bm.bmHeight - 1);
    COLORREF gTop = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
    CHECK(abs((int)GetBValue(top) - (int)GetBValue(gTop)) < 16);
    CHECK(abs((int)GetBValue(bottom) - (int)GetBValue(caption)) < 16);
    SelectObject(mem, old);
    DeleteDC(mem);
  }
  DRAWITEMSTRUCT wrong = {};
  wrong.CtlType = ODT_MENU;
  CHECK_EQ(DrawMenuItem(0, &wrong), FALSE);
  CHECK_EQ(DrawMenuItem(0, nullptr), FALSE);
  DestroyMenu(menu);
}

static LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

static HWND TestWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "OwnerMenuTestClass";
    RegisterClassA(&wc);
    registered = true;
  }
  return CreateWindowExA(0, "OwnerMenuTestClass", "t", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL,
                         GetModuleHandleA(NULL), NULL);
}

TEST_CASE(release_frees_blocks_and_bands) {
  HANDLE self = GetCurrentProcess();
  HWND w = TestWindow();
  DWORD gdiBefore = GetGuiResources(self, GR_GDIOBJECTS);
  HMENU bar = CreateMenu();
  std::vector<HBITMAP> bands;
  for (int p = 0; p < 5; ++p) {
    HMENU popup = SampleMenu();
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)popup, "P");
    MakeOwnerDrawnMenu(popup, "Band");
    bands.push_back(RecordAt(popup, 0)->band);
  }
  AppendMenuA(bar, MF_STRING, 900, "plain");  // a bar item without a submenu is skipped
  SetMenu(w, bar);
  for (HBITMAP b : bands) CHECK(GetObjectType(b) == OBJ_BITMAP);
  FreeOwnerDrawnMenus(w);
  for (HBITMAP b : bands) CHECK(GetObjectType(b) == 0);
  // Nothing of ours is left in the items, so a second release or a late paint is harmless.
  MENUITEMINFOA mii = {};
  mii.cbSize = kMenuItemInfoSize;
  mii.fMask = MIIM_DATA;
  GetMenuItemInfoA(GetSubMenu(bar, 0), 2, TRUE, &mii);
  CHECK(mii.dwItemData == 0);
  FreeOwnerDrawnMenus(w);
  DestroyWindow(w);
  FreeOwnerDrawnMenus(w);  // a destroyed window is ignored
  DWORD gdiAfter = GetGuiResources(self, GR_GDIOBJECTS);
  if (gdiBefore || gdiAfter) CHECK_EQ(gdiAfter, gdiBefore);
  printf("GDI objects before %lu, after %lu (Wine reports 0 when it does not count)\n", gdiBefore, gdiAfter);
}

TEST_CASE(find_menu_of_command_breadth_first) {
  HMENU top = CreateMenu(), a = CreatePopupMenu(), b = CreatePopupMenu(), deep = CreatePopupMenu();
  AppendMenuA(deep, MF_STRING, 700, "deep");
  AppendMenuA(a, MF_STRING, 600, "a");
  AppendMenuA(a, MF_POPUP, (UINT_PTR)deep, "deep");
  AppendMenuA(b, MF_STRING, 600, "b has 600 too");
  AppendMenuA(top, MF_POPUP, (UINT_PTR)a, "a");
  AppendMenuA(top, MF_POPUP, (UINT_PTR)b, "b");
  AppendMenuA(top, MF_STRING, 500, "top");
  CHECK(FindMenuOfCommand(top, 500) == top);
  CHECK(FindMenuOfCommand(top, 700) == deep);
  // Positions are visited from the last, so b's 600 is found before a's.
  CHECK(FindMenuOfCommand(top, 600) == b);
  CHECK(FindMenuOfCommand(top, 999) == NULL);
  CHECK(FindMenuOfCommand(NULL, 500) == NULL);
  // More submenus than the queue holds: no overrun, items of dropped menus are not found.
  HMENU wide = CreateMenu();
  for (int i = 0; i < 100; ++i) {
    HMENU p = CreatePopupMenu();
    AppendMenuA(p, MF_STRING, 1000 + i, "x");
    AppendMenuA(wide, MF_POPUP, (UINT_PTR)p, "p");
  }
  CHECK(FindMenuOfCommand(wide, 1099) != NULL);  // the last position is queued first
  CHECK(FindMenuOfCommand(wide, 1000) == NULL);
  DestroyMenu(wide);
  DestroyMenu(top);
}

TEST_CASE(toggles_twice_restore_state) {
  HWND w = TestWindow();
  HMENU bar = CreateMenu(), popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING | MF_CHECKED, 508, "on top");
  AppendMenuA(popup, MF_STRING, 518, "search");
  AppendMenuA(bar, MF_POPUP, (UINT_PTR)popup, "Options");
  SetMenu(w, bar);
  ToggleMenuCheck(w, 508);
  CHECK_EQ(GetMenuState(popup, 508, MF_BYCOMMAND) & MF_CHECKED, 0u);
  ToggleMenuCheck(w, 508);
  CHECK_EQ(GetMenuState(popup, 508, MF_BYCOMMAND) & MF_CHECKED, (UINT)MF_CHECKED);
  ToggleMenuEnabled(w, 518);
  CHECK_EQ(GetMenuState(popup, 518, MF_BYCOMMAND) & MF_GRAYED, (UINT)MF_GRAYED);
  ToggleMenuEnabled(w, 518);
  CHECK_EQ(GetMenuState(popup, 518, MF_BYCOMMAND) & MF_GRAYED, 0u);
  ToggleMenuCheck(w, 4242);  // unknown command: nothing
  ShowMenuBarPopup(NULL, -1, 1);  // no window: nothing
  DestroyWindow(w);
}
