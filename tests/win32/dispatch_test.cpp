// The main window procedure in process: the menu bar it is given, menu help,
// the game information of clicks and keys, and the toggle commands. The
// window gets stand-in lists and a tab control with the real identifiers.
#include "tests/testkit/testkit.h"
#include "tests/win32/test_files.h"
#include "shell/app_win.h"
#include "shell/mainwnd_win.h"
#include "shell/menubar_win.h"
#include "shell/statusbar_win.h"
#include "shell/gameinfo_win.h"
#include "controls/ownermenu_win.h"
#include "catalogue/row_file_win.h"
#include <commctrl.h>
#include <cstdio>
#include <string>
#include <thread>
#include <atomic>

static std::string g_dir;

static const char kLanguage[] =
    "[INTERFACE]\r\n6=\"Short name: \"\r\n10=Delete\r\n11=Move ~\r\n12=~ away?\r\n50=&File\r\n51=&Notepad\r\n52=&Open...\r\n53=E&xit\r\n54=&Action\r\n"
    "55=&Play\r\n56=&Rescan\r\n57=&Delete\r\n58=&Command prompt\r\n59=&Options\r\n61=On &top\r\n62=&Magnet\r\n"
    "63=Remember &size\r\n64=Remember &position\r\n65=&Help\r\n66=&Game list\r\n67=&Windows notes\r\n"
    "68=&Home page\r\n69=&Write\r\n70=Mirror\r\n71=&About\r\n89=Search &ROM\r\n90=Search &BIOS\r\n"
    "99=&Transparency...\r\n107=Search this &ROM\r\n108=&Add...\r\n109=&Verify\r\n110=Emulator &alone\r\n"
    "111=&Games\r\n505=Move the selected archive to the recycle bin\r\n2030=The window's menu\r\n"
    "61536=Close Vintor\r\n";

static void UseScratchInstallation(const std::string& settings) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  g_dir = std::string(temp) + "vintor dispatch test";
  CreateDirectoryA(g_dir.c_str(), NULL);
  CreateDirectoryA((g_dir + "\\lang").c_str(), NULL);
  WriteFileBytes(g_dir + "\\lang\\default.lng", kLanguage);
  WriteFileBytes(g_dir + "\\vintor.ini", settings);
  BuildInstallPaths(&g_paths, g_dir.c_str(), "vintor-eng.txt");
}

static HWND MakeList(int id) {
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200,
                              g_mainWindow, (HMENU)(INT_PTR)id, g_instance, NULL);
  LVCOLUMNA col = {};
  col.mask = LVCF_WIDTH;
  col.cx = 40;
  for (int c = 0; c < 8; ++c) SendMessageA(list, LVM_INSERTCOLUMNA, c, (LPARAM)&col);
  return list;
}

static void AddRow(HWND list, const char* name, const char* shortName) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
  item.pszText = (LPSTR)name;
  int at = (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
  LVITEMA sub = {};
  sub.iSubItem = 6;
  sub.pszText = (LPSTR)shortName;
  SendMessageA(list, LVM_SETITEMTEXTA, at, (LPARAM)&sub);
}

static void Select(HWND list, int item) {
  LVITEMA state = {};
  state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  state.state = 0;
  SendMessageA(list, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&state);
  if (item < 0) return;
  state.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, item, (LPARAM)&state);
}

static std::string Status() {
  char text[1100] = "";
  SendMessageA(g_statusBar, SB_GETTEXTA, 0, (LPARAM)text);
  return text;
}

static std::string Info() {
  char text[2000] = "";
  GetWindowTextA(GetDlgItem(g_mainWindow, IDC_GAME_INFO), text, sizeof text);
  return text;
}

static HWND g_installed, g_supported, g_other, g_tabs;

static void SetUpWindow(const std::string& settings) {
  static bool done = false;
  UseScratchInstallation(settings);
  if (done) return;
  done = true;
  InitCommonControls();
  g_instance = GetModuleHandleA(NULL);
  RegisterMainWindowClass();
  g_mainWindow = CreateMainWindow();
  CreateStatusBar(g_mainWindow, "", 5);
  g_tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 30, g_mainWindow,
                           (HMENU)IDC_TABS, g_instance, NULL);
  TCITEMA tab = {};
  tab.mask = TCIF_TEXT;
  tab.pszText = (LPSTR) "p";
  for (int i = 0; i < 6; ++i) SendMessageA(g_tabs, TCM_INSERTITEMA, i, (LPARAM)&tab);
  g_installed = MakeList(IDC_INSTALLED_LIST);
  g_supported = MakeList(IDC_SUPPORTED_LIST);
  g_other = MakeList(IDC_OTHER_LIST);
  CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 100, 100, g_mainWindow,
                  (HMENU)IDC_GAME_INFO, g_instance, NULL);
  AddRow(g_installed, "Galaga", "galaga");
  AddRow(g_installed, "Pac-Man (Midway)", "pacman");
  AddRow(g_installed, "Xevious", "xevious");
  AddRow(g_supported, "1942                             ", " 1942     ");
  AddRow(g_supported, "Donkey Kong                      ", " dkong    ");
  AddRow(g_other, "readme.txt", "");
  ShowWindow(g_mainWindow, SW_SHOW);
}

TEST_CASE(menu_bar_popups_items_and_states) {
  SetUpWindow("[OPTIONS]\r\nOntop=18\r\nMagnet=0\r\nSize=1\r\n");
  BuildMenuBar();
  HMENU bar = GetMenu(g_mainWindow);
  CHECK(bar == g_mainMenu);
  CHECK_EQ(GetMenuItemCount(bar), 5);
  const int items[5][10] = {
    {501, 502, 0, 500},
    {503, 0, 504, 505, 0, 518, 519, 0, 522},
    {518, 0, 521, 522, 0, 523, 506},
    {507, 0, 508, 509, 520, 0, 510, 511},
    {512, 513, 0, 514, 515, 517, 0, 516},
  };
  const int counts[5] = {4, 9, 7, 8, 8};
  const char* captions[5] = {"File", "Action", "Games", "Options", "Help"};
  const char* titles[5] = {"&File", "&Action", "&Games", "&Options", "&Help"};
  for (int p = 0; p < 5; ++p) {
    HMENU popup = GetSubMenu(bar, p);
    char title[64] = "";
    GetMenuStringA(bar, p, title, sizeof title, MF_BYPOSITION);
    CHECK_STR(title, titles[p]);
    MENUITEMINFOA mii = {};
    mii.cbSize = kMenuItemInfoSize;
    mii.fMask = MIIM_TYPE;
    GetMenuItemInfoA(bar, p, TRUE, &mii);
    CHECK_EQ((mii.fType & MFT_RIGHTJUSTIFY) != 0, p == 4);
    CHECK_EQ(GetMenuItemCount(popup), counts[p]);
    for (int i = 0; i < counts[p]; ++i) {
      CHECK_EQ((int)GetMenuItemID(popup, i), items[p][i]);
      const OwnerMenuItem* r = nullptr;
      MENUITEMINFOA d = {};
      d.cbSize = kMenuItemInfoSize;
      d.fMask = MIIM_TYPE | MIIM_DATA;
      GetMenuItemInfoA(popup, i, TRUE, &d);
      CHECK_EQ(d.fType, (UINT)MFT_OWNERDRAW);
      r = OwnerMenuRecord(d.dwItemData);
      CHECK(r != nullptr);
      if (r) CHECK_EQ((r->typeBefore & MFT_SEPARATOR) != 0, items[p][i] == 0);
    }
    (void)captions;
  }
  HMENU options = GetSubMenu(bar, 3);
  const OwnerMenuItem* language = OwnerMenuRecord(0);
  MENUITEMINFOA d = {};
  d.cbSize = kMenuItemInfoSize;
  d.fMask = MIIM_DATA;
  GetMenuItemInfoA(options, 0, TRUE, &d);
  language = OwnerMenuRecord(d.dwItemData);
  CHECK(language && std::string(language->text) == "Lan&guage");
  // Check marks from the settings file; 518 greyed in Action only.
  CHECK_EQ(GetMenuState(options, 508, MF_BYCOMMAND) & MF_CHECKED, (UINT)MF_CHECKED);
  CHECK_EQ(GetMenuState(options, 509, MF_BYCOMMAND) & MF_CHECKED, 0u);
  CHECK_EQ(GetMenuState(options, 510, MF_BYCOMMAND) & MF_CHECKED, (UINT)MF_CHECKED);
  CHECK_EQ(GetMenuState(options, 511, MF_BYCOMMAND) & MF_CHECKED, 0u);
  CHECK_EQ(GetMenuState(GetSubMenu(bar, 1), 5, MF_BYPOSITION) & MF_GRAYED, (UINT)MF_GRAYED);
  CHECK_EQ(GetMenuState(GetSubMenu(bar, 2), 0, MF_BYPOSITION) & MF_GRAYED, 0u);
  CHECK(FindMenuOfCommand(bar, 518) == GetSubMenu(bar, 2) || FindMenuOfCommand(bar, 518) == GetSubMenu(bar, 1));
}

TEST_CASE(toggle_commands_write_18_and_0_and_move_checks) {
  SetUpWindow("[OPTIONS]\r\nOntop=18\r\nMagnet=0\r\n");
  FreeOwnerDrawnMenus(g_mainWindow);
  BuildMenuBar();
  struct { int id; const char* key; } toggles[] = {{508, "Ontop"}, {509, "Magnet"}, {510, "Size"}, {511, "Position"}};
  for (auto& t : toggles) {
    bool before = (GetMenuState(g_mainMenu, t.id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    for (int round = 0; round < 2; ++round) {
      SendMessageA(g_mainWindow, WM_COMMAND, MAKEWPARAM(t.id, 0), 0);
      bool now = (GetMenuState(g_mainMenu, t.id, MF_BYCOMMAND) & MF_CHECKED) != 0;
      bool want = round == 0 ? !before : before;
      CHECK_EQ(now, want);
      char value[16] = "";
      GetPrivateProfileStringA("OPTIONS", t.key, "?", value, sizeof value, g_paths.settingsFile);
      CHECK_STR(value, want ? "18" : "0");
      if (t.id == 508) CHECK_EQ((GetWindowLongA(g_mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, want);
    }
  }
  // Identifiers without a command and 527 to 530 leave the settings file as it was.
  std::string before = ReadFileBytes(g_paths.settingsFile);
  for (int id : {527, 528, 529, 530, 532, 499, 0, 65535}) SendMessageA(g_mainWindow, WM_COMMAND, id, 0);
  CHECK_STR(ReadFileBytes(g_paths.settingsFile), before);
  CHECK(IsWindow(g_mainWindow));
}

static void Notify(HWND from, UINT code, int item, WORD key = 0) {
  NMITEMACTIVATE n = {};
  n.hdr.hwndFrom = from;
  n.hdr.idFrom = (UINT_PTR)GetDlgCtrlID(from);
  n.hdr.code = code;
  n.iItem = item;
  if (code == (UINT)LVN_KEYDOWN) {
    NMLVKEYDOWN k = {};
    k.hdr = n.hdr;
    k.wVKey = key;
    SendMessageA(g_mainWindow, WM_NOTIFY, k.hdr.idFrom, (LPARAM)&k);
    return;
  }
  SendMessageA(g_mainWindow, WM_NOTIFY, n.hdr.idFrom, (LPARAM)&n);
}

TEST_CASE(clicks_and_keys_show_game_information) {
  SetUpWindow("");
  SendMessageA(g_tabs, TCM_SETCURSEL, 0, 0);
  SetFocus(g_installed);
  Notify(g_installed, NM_CLICK, 1);
  CHECK_STR(Status(), " Pac-Man (Midway)");
  CHECK_STR(Info(), "\r\nPac-Man (Midway)\r\n\r\nShort name: pacman");
  // The padded supported-games row: blanks kept in the status, dropped in the box.
  SetFocus(g_supported);
  Notify(g_supported, NM_CLICK, 1);
  CHECK_STR(Status(), " Donkey Kong                      ");
  CHECK_STR(Info(), "\r\nDonkey Kong\r\n\r\nShort name: dkong");
  // Below the last row.
  Notify(g_supported, NM_CLICK, -1);
  CHECK_STR(Status(), " ");
  CHECK_STR(Info(), "\r\n\r\n\r\nShort name: ");
  // Arrow keys predicted and clamped at both ends.
  SetFocus(g_installed);
  struct { int selected; WORD key; const char* want; } keys[] = {
    {2, VK_DOWN, " Xevious"}, {0, VK_UP, " Galaga"}, {0, VK_DOWN, " Pac-Man (Midway)"},
    {-1, VK_DOWN, " Pac-Man (Midway)"}, {1, VK_NEXT, " Pac-Man (Midway)"}, {1, 'X', " Pac-Man (Midway)"},
  };
  for (auto& k : keys) {
    Select(g_installed, k.selected);
    Notify(g_installed, LVN_KEYDOWN, 0, k.key);
    CHECK_STR(Status(), k.want);
  }
  // A notification while another control has the focus changes nothing.
  SetStatusText("unchanged", 0);
  SetFocus(g_other);
  Notify(g_other, NM_CLICK, 0);
  Notify(g_installed, NM_CLICK, 0);
  Notify(g_installed, LVN_KEYDOWN, 0, VK_DOWN);
  CHECK_STR(Status(), "unchanged");
  // A click notification from a control that is not a list view carries no item.
  SetFocus(g_installed);
  NMHDR plain = {g_tabs, IDC_TABS, (UINT)NM_CLICK};
  SendMessageA(g_mainWindow, WM_NOTIFY, IDC_TABS, (LPARAM)&plain);
  CHECK_STR(Status(), "unchanged");
}

TEST_CASE(empty_list_key_press_keeps_texts) {
  SetUpWindow("");
  HWND empty = MakeList(IDC_INSTALLED_LIST + 100);
  (void)empty;
  SendMessageA(g_installed, LVM_DELETEALLITEMS, 0, 0);
  SetFocus(g_installed);
  SetStatusText("kept", 0);
  Notify(g_installed, LVN_KEYDOWN, 0, VK_DOWN);
  Notify(g_installed, LVN_KEYDOWN, 0, VK_UP);
  CHECK_STR(Status(), "kept");
  UpdateSelectedGameInfo();
  CHECK_STR(Status(), "kept");
  AddRow(g_installed, "Galaga", "galaga");
  AddRow(g_installed, "Pac-Man (Midway)", "pacman");
  AddRow(g_installed, "Xevious", "xevious");
}

TEST_CASE(menu_help_and_restore) {
  SetUpWindow("");
  SendMessageA(g_tabs, TCM_SETCURSEL, 0, 0);
  Select(g_installed, 2);
  HMENU action = GetSubMenu(g_mainMenu, 1);
  HMENU system = GetSystemMenu(g_mainWindow, FALSE);
  struct { WPARAM wp; LPARAM lp; const char* want; } rows[] = {
    {MAKEWPARAM(505, MF_OWNERDRAW), (LPARAM)action, "Move the selected archive to the recycle bin"},
    {MAKEWPARAM(1, MF_SEPARATOR), (LPARAM)action, " Xevious"},
    {MAKEWPARAM(0, MF_OWNERDRAW), (LPARAM)action, " Xevious"},  // a converted separator
    {MAKEWPARAM(1, MF_POPUP), (LPARAM)g_mainMenu, " Xevious"},
    {MAKEWPARAM(0, MF_POPUP | MF_SYSMENU), (LPARAM)system, "The window's menu"},
    {MAKEWPARAM(SC_CLOSE, MF_SYSMENU), (LPARAM)system, "Close Vintor"},
    {MAKEWPARAM(0, 0xFFFF), 0, " Xevious"},
  };
  for (auto& r : rows) {
    SetStatusText("?", 0);
    SendMessageA(g_mainWindow, WM_MENUSELECT, r.wp, r.lp);
    CHECK_STR(Status(), r.want);
  }
  // Page 1 restores from the supported-games list, unclamped: nothing selected gives a blank.
  SendMessageA(g_tabs, TCM_SETCURSEL, 1, 0);
  Select(g_supported, -1);
  SendMessageA(g_mainWindow, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  CHECK_STR(Status(), " ");
  Select(g_supported, 0);
  SendMessageA(g_mainWindow, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  CHECK_STR(Status(), " 1942                             ");
  // Page 2 shows the installed-games list's selection.
  SendMessageA(g_tabs, TCM_SETCURSEL, 2, 0);
  UpdateSelectedGameInfo();
  CHECK_STR(Status(), " Xevious");
  SendMessageA(g_tabs, TCM_SETCURSEL, 0, 0);
}

// Answers the Delete question from another thread, as a user would; keeps its text.
struct Answerer {
  std::atomic<bool> asked{false};
  std::string text;
  std::thread worker;
  explicit Answerer(int button) {
    worker = std::thread([this, button] {
      for (int i = 0; i < 40; ++i) {
        HWND box = FindWindowA("#32770", "Delete");
        if (box) {
          char t[512] = "";
          GetDlgItemTextA(box, 0xFFFF, t, sizeof t);
          text = t;
          asked = true;
          PostMessageA(box, WM_COMMAND, button, 0);
          return;
        }
        Sleep(50);
      }
    });
  }
  void Wait() { if (worker.joinable()) worker.join(); }
  ~Answerer() { Wait(); }
};

static int ListCount(HWND list) { return (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); }

TEST_CASE(delete_keeps_the_row_when_the_file_cannot_be_moved) {
  SetUpWindow("");
  CreateDirectoryA((g_dir + "\\roms").c_str(), NULL);
  DeleteFileA((g_dir + "\\roms\\pacman.zip").c_str());  // missing: the move fails
  HWND play = CreateWindowExA(0, "BUTTON", "p", WS_CHILD, 0, 0, 10, 10, g_mainWindow, (HMENU)503, g_instance, NULL);
  HWND del = CreateWindowExA(0, "BUTTON", "d", WS_CHILD, 0, 0, 10, 10, g_mainWindow, (HMENU)505, g_instance, NULL);
  SendMessageA(g_tabs, TCM_SETCURSEL, 0, 0);
  int before = ListCount(g_installed);
  SetRowFile(g_installed, 1, (g_dir + "\\roms\\pacman.zip").c_str());  // as the scan would
  Select(g_installed, 1);
  {
    Answerer yes(IDYES);
    SendMessageA(g_mainWindow, WM_COMMAND, 505, 0);
    yes.Wait();
    CHECK(yes.asked);
    CHECK_STR(yes.text, "Move \npacman.zip\n away?");
  }
  CHECK_EQ(ListCount(g_installed), before);
  char name[64] = "";
  LVITEMA it = {};
  it.pszText = name;
  it.cchTextMax = sizeof name;
  SendMessageA(g_installed, LVM_GETITEMTEXTA, 1, (LPARAM)&it);
  CHECK_STR(name, "Pac-Man (Midway)");
  CHECK(IsWindowEnabled(del));
  CHECK(IsWindowEnabled(play));
  // No: nothing happens either.
  {
    Answerer no(IDNO);
    SendMessageA(g_mainWindow, WM_COMMAND, 505, 0);
  }
  CHECK_EQ(ListCount(g_installed), before);
  // Pages 1, 3, 4 and 5 ask nothing and change nothing.
  for (int page : {1, 3, 4, 5}) {
    SendMessageA(g_tabs, TCM_SETCURSEL, page, 0);
    Answerer none(IDYES);
    SendMessageA(g_mainWindow, WM_COMMAND, 505, 0);
    none.Wait();
    CHECK(!none.asked);
  }
  CHECK_EQ(ListCount(g_installed), before);
  CHECK_EQ(ListCount(g_supported), 2);
  SendMessageA(g_tabs, TCM_SETCURSEL, 0, 0);
  DestroyWindow(play);
  DestroyWindow(del);
}
