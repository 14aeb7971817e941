// The six pages of the main tab control: what each shows, the Search button,
// the menu greying and Play/Delete by the lists' item counts.
#include "tests/testkit/testkit.h"
#include "tests/win32/mainwindow_fixture.h"
#include <set>

using namespace fixture;

static const int kSwitched[] = {305, 302, 306, 308, 319, 321, 322, 324, 325, 326, 327, 328, 329, 330,
                                331, 332, 307, 309, 310, 503, 504, 505, 518, 521, 519, 531, 524, 525};

static const std::set<int> kShown[6] = {
    {305, 503, 504, 505},
    {302, 518, 521, 504},
    {306, 504, 519, 505},
    {308, 319, 321, 322, 324, 325, 326, 327, 328, 329, 330, 331, 332, 531, 524, 525},
    {307, 531, 524, 525},
    {309, 310, 531, 524, 525},
};

static void SelectPage(int page) {
  SendMessageA(GetDlgItem(g_mainWindow, 301), TCM_SETCURSEL, page, 0);
  SwitchTabPage();
  Pump();
}

static bool Visible(int id) { return IsWindowVisible(GetDlgItem(g_mainWindow, id)) != 0; }
static bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(g_mainWindow, id)) != 0; }

TEST_CASE(each_page_shows_exactly_its_controls) {
  StartMainWindow(StageFolder("vintor_mw_pages"));
  // Twice round, and backwards, so that no page depends on the one before.
  const int pages[] = {0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 0, 5, 0};
  for (int page : pages) {
    SelectPage(page);
    for (int id : kSwitched) {
      if (!GetDlgItem(g_mainWindow, id)) continue;  // controls of modules not built yet
      if (Visible(id) != (kShown[page].count(id) == 1))
        testkit::Fail(__FILE__, __LINE__, "page " + std::to_string(page) + ", control " + std::to_string(id));
    }
    if (GetDlgItem(g_mainWindow, 526)) {
      CHECK(Visible(526));
      CHECK_EQ(Enabled(526), page <= 2);
    }
    CHECK(Visible(301));
    CHECK(Visible(311));
    CHECK(Visible(318));
  }
  // Out-of-range pages change nothing.
  SelectPage(4);
  SendMessageA(GetDlgItem(g_mainWindow, 301), TCM_SETCURSEL, (WPARAM)-1, 0);
  SwitchTabPage();
  CHECK(Visible(307));
  CloseMainWindow();
}

TEST_CASE(menu_commands_greyed_by_page_with_and_without_a_menu) {
  StartMainWindow(StageFolder("vintor_mw_menu"));
  g_mainMenu = NULL;
  SelectPage(3);  // no menu yet: the switch still works
  CHECK(Visible(308));
  HMENU bar = CreateMenu(), popup = CreatePopupMenu();
  for (int id : {503, 504, 505, 518, 500}) AppendMenuA(popup, MF_STRING, id, "item");
  AppendMenuA(bar, MF_POPUP, (UINT_PTR)popup, "File");
  g_mainMenu = bar;
  struct { int page; bool play, rescan, del, web; } rows[] = {
      {0, true, true, true, false}, {1, false, true, false, true}, {2, false, true, true, false},
      {3, false, false, false, false}, {4, false, false, false, false}, {5, false, false, false, false},
  };
  for (auto& row : rows) {
    SelectPage(row.page);
    auto on = [&](int id) { return (GetMenuState(bar, id, MF_BYCOMMAND) & MF_GRAYED) == 0; };
    CHECK_EQ(on(503), row.play);
    CHECK_EQ(on(504), row.rescan);
    CHECK_EQ(on(505), row.del);
    CHECK_EQ(on(518), row.web);
    CHECK(on(500));
  }
  g_mainMenu = NULL;
  DestroyMenu(bar);
  CloseMainWindow();
}

static void AddRow(int listId, const char* name) {
  HWND list = GetDlgItem(g_mainWindow, listId);
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
  item.pszText = (char*)name;
  SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
}

TEST_CASE(play_and_delete_follow_the_item_counts) {
  StartMainWindow(StageFolder("vintor_mw_counts"));  // an empty roms folder
  if (!GetDlgItem(g_mainWindow, 305) || !GetDlgItem(g_mainWindow, 503))
    SKIP("the game lists or the buttons are not built yet");
  // Start-up step 19 with an empty installed-games list.
  CHECK(!Enabled(503));
  CHECK(!Enabled(505));
  SelectPage(0);
  CHECK(Visible(503) && !Enabled(503));
  CHECK(Visible(505) && !Enabled(505));
  SelectPage(2);
  CHECK(Visible(505) && !Enabled(505));
  AddRow(306, "readme.txt");
  SelectPage(2);
  CHECK(Enabled(505));
  SelectPage(0);  // the installed list is still empty
  CHECK(!Enabled(505));
  CHECK(!Enabled(503));
  AddRow(305, "Pac-Man");
  SelectPage(0);
  CHECK(Enabled(503));
  CHECK(Enabled(505));
  CloseMainWindow();
}
