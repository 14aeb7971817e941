// The three game lists in a main window of the test's own: document loading, the
// ROM folder scan (start-up and rescan threads), counters, sorting and search.
#include "tests/testkit/testkit.h"
#include "catalogue/game_lists_win.h"
#include "catalogue/gamelist_win.h"
#include "catalogue/listview_win.h"
#include "catalogue/row_file_win.h"
#include "catalogue/scan_win.h"
#include "catalogue/sort_win.h"
#include "shell/app_win.h"
#include "shell/statusbar_win.h"
#include <commctrl.h>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

static std::string g_dir;
static const std::string kRule = "+----------------------------------+-------+-------+-------+-------+----------+";

static void WriteFile(const std::string& path, const std::string& text) {
  FILE* f = fopen(path.c_str(), "wb");
  if (f) { fwrite(text.data(), 1, text.size(), f); fclose(f); }
}

static std::string Row(const std::string& name, const std::string& shortName) {
  std::string n = name.substr(0, 33), sh = shortName;
  n.resize(33, ' ');
  sh.resize(9, ' ');
  return "| " + n + "|  Yes  |  Yes  |  Yes  |   No  | " + sh + "|";
}

static std::string Document(const std::vector<std::pair<std::string, std::string>>& games) {
  std::string d = "Free text before the table.\r\n\r\n" + kRule + "\r\n| Game |\r\n| Name |\r\n" + kRule + "\r\n";
  for (auto& g : games) d += Row(g.first, g.second) + "\r\n";
  return d + kRule + "\r\n\r\n" + kRule + "\r\n" + kRule + "\r\n" + Row("After", "after") + "\r\n";
}

// Deletes by relative names from inside each folder, so that entries whose
// full path is longer than MAX_PATH go too.
static void RemoveTree(const std::string& dir) {
  char back[MAX_PATH];
  GetCurrentDirectoryA(sizeof back, back);
  if (!SetCurrentDirectoryA(dir.c_str())) return;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA("*", &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string n = fd.cFileName;
      if (n == "." || n == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(dir + "\\" + n);
      else DeleteFileA(n.c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  SetCurrentDirectoryA(back);
  RemoveDirectoryA(dir.c_str());
}

static const char kLanguage[] =
    "[INTERFACE]\r\n24=Game\r\n25=Played\r\n26=Working\r\n27=Colours\r\n28=Sound\r\n29=Flip\r\n30=Short name\r\n"
    "72=Size\r\n31=Name\r\n32=File\r\n91=Description\r\n33=Path\r\n43=\"Installed: \"\r\n44=\" games\"\r\n"
    "45=\"Supported: \"\r\n46=\"Other files: \"\r\n47=\" files\"\r\n94=Search\r\n95=Cancel\r\n96=Find\r\n"
    "101=%d matches found.\r\n102=Search result\r\n";

// A scratch installation; `games` becomes docs\gamelist.txt.
static void NewInstallation(const std::string& document) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  SetCurrentDirectoryA(temp);  // the scan leaves the current folder in roms
  g_dir = std::string(temp) + "vintor catalogue test";
  RemoveTree(g_dir);
  CreateDirectoryA(g_dir.c_str(), NULL);
  for (const char* sub : {"\\docs", "\\roms", "\\winis", "\\lang"}) CreateDirectoryA((g_dir + sub).c_str(), NULL);
  WriteFile(g_dir + "\\docs\\gamelist.txt", document);
  WriteFile(g_dir + "\\lang\\default.lng", kLanguage);
  BuildInstallPaths(&g_paths, g_dir.c_str(), "vintor-eng.txt");
}

static std::string Rom(const std::string& name) { return g_dir + "\\roms\\" + name; }

static LRESULT CALLBACK TestWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_APP_SCAN_RESULT) return HandleScanMessage(wp, lp);
  if (m == WM_NOTIFY && ((NMHDR*)lp)->code == LVN_DELETEITEM) ReleaseRowFile((NMLISTVIEW*)lp);
  return DefWindowProcA(w, m, wp, lp);
}

// The parts of the main window that the catalogue talks to.
static void CreateTestWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "CatalogueTestClass";
    RegisterClassA(&wc);
    registered = true;
    g_instance = wc.hInstance;
    InitCommonControls();
  }
  if (g_mainWindow) DestroyWindow(g_mainWindow);
  g_mainWindow = CreateWindowExA(0, "CatalogueTestClass", "catalogue test", WS_OVERLAPPEDWINDOW, 0, 0, 800, 530,
                                 NULL, NULL, g_instance, NULL);
  CreateStatusBar(g_mainWindow, "", 5);
  CreateGameList(g_mainWindow, IDC_SUPPORTED_LIST);
  CreateGameList(g_mainWindow, IDC_INSTALLED_LIST);
  CreateGameList(g_mainWindow, IDC_OTHER_LIST);
  HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD, 10, 80, 500, 300, g_mainWindow,
                              (HMENU)IDC_TABS, g_instance, NULL);
  for (int i = 0; i < 3; ++i) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = (LPSTR) "page";
    SendMessageA(tabs, TCM_INSERTITEMA, i, (LPARAM)&item);
  }
  for (int id : {CMD_PLAY, CMD_RESCAN, CMD_DELETE})
    CreateWindowExA(0, "button", "b", WS_CHILD, 0, 0, 10, 10, g_mainWindow, (HMENU)(INT_PTR)id, g_instance, NULL);
}

static HWND List(int id) { return MainList(id); }
static std::string Cell(int id, int row, int column) {
  char t[260];
  GetListText(List(id), row, column, t, sizeof t);
  return t;
}
static std::string StatusPart(int part) {
  char t[260] = "";
  SendMessageA(g_statusBar, SB_GETTEXTA, part, (LPARAM)t);
  return t;
}
static bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(g_mainWindow, id)) != 0; }
static int Find(int id, int column, const std::string& text) {
  for (int i = 0; i < GetListCount(List(id)); ++i)
    if (Cell(id, i, column) == text) return i;
  return -1;
}

static void PumpUntilScanDone(DWORD timeoutMs) {
  DWORD start = GetTickCount();
  MSG msg;
  while (ScanInProgress() && GetTickCount() - start < timeoutMs) {
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(1);
  }
}

static std::string Padded(const std::string& s, size_t width) {
  std::string p = s;
  p.resize(width, ' ');
  return p;
}

TEST_CASE(document_rows_and_loading_twice) {
  NewInstallation(Document({{"Alpha", "alpha"}, {"Beta", "beta"}, {"Gamma", "gamma"}}));
  CreateTestWindow();
  LoadGameListDocument();
  LoadGameListDocument();
  CHECK_EQ(GetListCount(List(IDC_SUPPORTED_LIST)), 3);
  const char* names[] = {"Alpha", "Beta", "Gamma"};
  for (int i = 0; i < 3; ++i) {
    CHECK_STR(Cell(IDC_SUPPORTED_LIST, i, 0), Padded(names[i], 33));
    CHECK_STR(Cell(IDC_SUPPORTED_LIST, i, 1), "0");
    CHECK_STR(Cell(IDC_SUPPORTED_LIST, i, 5), "   No  ");
    CHECK_EQ(Cell(IDC_SUPPORTED_LIST, i, 6).size(), (size_t)10);
    CHECK_STR(Cell(IDC_SUPPORTED_LIST, i, 7), "");
  }
  // A hidden list stays hidden after redraw is switched back on.
  CHECK(!IsWindowVisible(List(IDC_SUPPORTED_LIST)));
  CHECK(!(GetWindowLongA(List(IDC_SUPPORTED_LIST), GWL_STYLE) & WS_VISIBLE));
  DeleteFileA(g_paths.gameListDocument);
  LoadGameListDocument();
  CHECK_EQ(GetListCount(List(IDC_SUPPORTED_LIST)), 0);
}

TEST_CASE(list_columns_and_styles) {
  NewInstallation(Document({}));
  CreateTestWindow();
  struct { int id; int columns; const char* first; const char* last; int lastWidth; } lists[] = {
      {IDC_SUPPORTED_LIST, 8, "Game", "Size", 100}, {IDC_INSTALLED_LIST, 8, "Game", "Size", 100},
      {IDC_OTHER_LIST, 4, "Name", "Path", 400},
  };
  for (auto& l : lists) {
    HWND list = List(l.id);
    HWND header = (HWND)SendMessageA(list, LVM_GETHEADER, 0, 0);
    CHECK_EQ((int)SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), l.columns);
    char t[64] = "";
    LVCOLUMNA c = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = t;
    c.cchTextMax = sizeof t;
    SendMessageA(list, LVM_GETCOLUMNA, 0, (LPARAM)&c);
    CHECK_STR(t, l.first);
    SendMessageA(list, LVM_GETCOLUMNA, l.columns - 1, (LPARAM)&c);
    CHECK_STR(t, l.last);
    CHECK_EQ(c.cx, l.lastWidth);
    CHECK_EQ((DWORD)SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0x10021u, 0x10021u);
    CHECK((GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
    CHECK_EQ((GetWindowLongA(list, GWL_STYLE) & WS_VISIBLE) != 0, l.id == IDC_INSTALLED_LIST);
    HIMAGELIST images = (HIMAGELIST)SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0);
    CHECK(images != NULL);
  }
  HWND other = List(IDC_OTHER_LIST);
  char t[64] = "";
  LVCOLUMNA c = {};
  c.mask = LVCF_TEXT;
  c.pszText = t;
  c.cchTextMax = sizeof t;
  const char* order[] = {"Name", "File", "Description", "Path"};
  for (int i = 0; i < 4; ++i) {
    SendMessageA(other, LVM_GETCOLUMNA, i, (LPARAM)&c);
    CHECK_STR(t, order[i]);
  }
}

// One installation with every kind of entry the folder can hold.
static void StageMixedFolder() {
  NewInstallation(Document({{"Sample Game", "samplegm"}, {"Abc", "abc"}, {"Pac-Man", "pacman"}, {"Zero", "zero"},
                            {"Fifty", "fifty"}, {"Sample", "sample"}, {"Dup first", "dup"}, {"Dup last", "DUP"},
                            {"Locked", "locked"}, {"Big", "big"}}));
  // A sparse archive of 3 GiB: its length does not fit 32 bits.
  HANDLE big = CreateFileA(Rom("big.zip").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  LONG high = 0;
  SetFilePointer(big, (LONG)0xC0000000u, &high, FILE_BEGIN);
  SetEndOfFile(big);
  CloseHandle(big);
  WriteFile(Rom("SampleGm.ZIP"), std::string(2048, 'z'));
  WriteFile(Rom("abc.zip"), std::string(1024, 'a'));
  WriteFile(Rom("abc.7z"), std::string(5000000, 'b'));
  WriteFile(Rom("pacman.zip"), "p");
  WriteFile(Rom("zero.zip"), "");
  WriteFile(Rom("fifty.zip"), std::string(50, 'f'));
  WriteFile(Rom("dup.zip"), "d");
  WriteFile(Rom("locked.zip"), "l");
  CreateDirectoryA(Rom("Sample").c_str(), NULL);
  WriteFile(Rom("readme.txt"), "hello");
  for (const char* odd : {"with blanks.zip", "a&b%c!d^e.zip", "[brackets](x).zip", "caf\xe9 \xc4rger.zip"})
    WriteFile(Rom(odd), "x");
  // A name whose full path is longer than MAX_PATH, written from inside the folder.
  SetCurrentDirectoryA(Rom("").c_str());
  WriteFile(std::string(240, 'L') + ".zip", "long");
  SetCurrentDirectoryA(g_dir.c_str());
  WriteFile(g_dir + "\\winis\\pacman.ini", "[OPTIONS]\r\nRuns=12\r\n");
  WriteFile(g_paths.settingsFile, "[BIOS]\r\nreadme.zip = \"Read me first\"\r\nREADME.ZIP=second\r\n"
            "with blanks.zip=" + std::string(300, 'd') + "\r\n");
}

static HANDLE LockFile(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
}

static void CheckMixedFolder() {
  int sample = Find(IDC_INSTALLED_LIST, 6, "samplegm");
  CHECK(sample >= 0);
  if (sample >= 0) {
    CHECK_STR(Cell(IDC_INSTALLED_LIST, sample, 0), Padded("Sample Game", 33));
    CHECK_STR(Cell(IDC_INSTALLED_LIST, sample, 7), "2.0 KB");
    CHECK_STR(Cell(IDC_INSTALLED_LIST, sample, 1), "0");
  }
  int abcRows = 0;
  for (int i = 0; i < GetListCount(List(IDC_INSTALLED_LIST)); ++i) abcRows += Cell(IDC_INSTALLED_LIST, i, 6) == "abc";
  CHECK_EQ(abcRows, 2);
  // Each installed row knows its own file: abc.zip and abc.7z apart, a folder, the name's own case.
  std::string abcFiles;
  for (int i = 0; i < GetListCount(List(IDC_INSTALLED_LIST)); ++i) {
    char file[MAX_PATH];
    GetRowFile(List(IDC_INSTALLED_LIST), i, file, sizeof file);
    if (Cell(IDC_INSTALLED_LIST, i, 6) == "abc") abcFiles += file + std::string(";");
    if (Cell(IDC_INSTALLED_LIST, i, 6) == "samplegm") CHECK_STR(file, Rom("SampleGm.ZIP"));
    if (Cell(IDC_INSTALLED_LIST, i, 6) == "sample") CHECK_STR(file, Rom("Sample"));
  }
  CHECK(abcFiles == Rom("abc.zip") + ";" + Rom("abc.7z") + ";" || abcFiles == Rom("abc.7z") + ";" + Rom("abc.zip") + ";");
  struct { const char* shortName; const char* size; const char* runs; } sizes[] = {
      {"zero", "0 bytes", "0"}, {"fifty", "0.0 KB", "0"}, {"pacman", "0.0 KB", "12"}, {"sample", "", "0"},
      {"locked", "0.0 KB", "0"},  // its length comes from the folder search
      {"big", "3.0 GB", "0"},
  };
  for (auto& s : sizes) {
    int r = Find(IDC_INSTALLED_LIST, 6, s.shortName);
    CHECK(r >= 0);
    CHECK_STR(Cell(IDC_INSTALLED_LIST, r, 7), s.size);
    CHECK_STR(Cell(IDC_INSTALLED_LIST, r, 1), s.runs);
    int d = Find(IDC_SUPPORTED_LIST, 6, Padded(std::string(" ") + s.shortName, 10));
    CHECK(d >= 0);
    CHECK_STR(Cell(IDC_SUPPORTED_LIST, d, 7), s.size);
    CHECK_STR(Cell(IDC_SUPPORTED_LIST, d, 1), s.runs);
  }
  // The supported-games row of abc keeps what the later of its two entries wrote.
  int abcDoc = Find(IDC_SUPPORTED_LIST, 6, " abc      ");
  int lastAbc = -1;
  for (int i = 0; i < GetListCount(List(IDC_INSTALLED_LIST)); ++i)
    if (Cell(IDC_INSTALLED_LIST, i, 6) == "abc") lastAbc = i;
  CHECK_STR(Cell(IDC_SUPPORTED_LIST, abcDoc, 7), Cell(IDC_INSTALLED_LIST, lastAbc, 7));
  // A short name listed twice: the row nearer the end wins.
  int dup = Find(IDC_INSTALLED_LIST, 6, "dup");
  CHECK(dup >= 0);
  CHECK_STR(Cell(IDC_INSTALLED_LIST, dup, 0), Padded("Dup last", 33));
  CHECK_EQ(FindDocumentRow("DUP"), 7);
  CHECK_EQ(FindDocumentRow("nosuch"), -1);
  int readme = Find(IDC_OTHER_LIST, 0, "readme");
  CHECK(readme >= 0);
  CHECK_STR(Cell(IDC_OTHER_LIST, readme, 2), "Read me first");
  CHECK_STR(Cell(IDC_OTHER_LIST, readme, 3), Rom("readme.txt"));
  CHECK_STR(Cell(IDC_OTHER_LIST, Find(IDC_OTHER_LIST, 0, "with blanks"), 2), std::string(259, 'd'));
  for (const char* odd : {"with blanks", "a&b%c!d^e", "[brackets](x)", "caf\xe9 \xc4rger"}) CHECK(Find(IDC_OTHER_LIST, 0, odd) >= 0);
  CHECK_EQ(GetListCount(List(IDC_INSTALLED_LIST)), 10);
  CHECK(Find(IDC_OTHER_LIST, 0, std::string(240, 'l')) >= 0);
  CHECK_EQ(GetListCount(List(IDC_OTHER_LIST)), 6);
  CHECK_STR(StatusPart(1), "Installed: 10 games");
  CHECK_STR(StatusPart(2), "Supported: 10 games");
  CHECK_STR(StatusPart(3), "Other files: 6 files");
}

TEST_CASE(startup_scan_of_a_mixed_folder) {
  StageMixedFolder();
  CreateTestWindow();
  HANDLE lock = LockFile(Rom("locked.zip"));
  LoadGameListDocument();
  ScanRomFolder();
  CloseHandle(lock);
  CheckMixedFolder();
}

// Every text and state of a list, its focus and its selection mark.
static std::string ListDump(int id) {
  HWND list = List(id);
  HWND header = (HWND)SendMessageA(list, LVM_GETHEADER, 0, 0);
  int columns = (int)SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
  std::string s = "focus " + std::to_string(GetNextListItem(list, LVNI_FOCUSED)) + " mark " +
                  std::to_string((int)SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0)) + "\n";
  for (int i = 0; i < GetListCount(list); ++i) {
    for (int c = 0; c < columns; ++c) s += Cell(id, i, c) + "|";
    s += std::to_string((unsigned)SendMessageA(list, LVM_GETITEMSTATE, i, 0xFF)) + "\n";
  }
  return s;
}

static void SetRowState(int id, int row, UINT state) {
  LVITEMA item = {};
  item.state = state;
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(List(id), LVM_SETITEMSTATE, row, (LPARAM)&item);
}

// Start-up as CreateMainControls goes, with the rows put in unsorted and
// sorted afterwards, or put in in sorted order; states set by index on the way.
static std::string StartUp(bool inStartupOrder) {
  CreateTestWindow();
  if (!inStartupOrder) LoadGameListDocument();
  SetRowState(IDC_SUPPORTED_LIST, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (inStartupOrder) ScanRomFolderInStartupOrder();
  else ScanRomFolder();
  SetRowState(IDC_INSTALLED_LIST, 3, LVIS_SELECTED);
  SetRowState(IDC_INSTALLED_LIST, 0, LVIS_SELECTED | LVIS_FOCUSED);
  SetRowState(IDC_OTHER_LIST, 1, LVIS_FOCUSED);
  SortListsAtStartup();
  UpdateListCounters();
  return ListDump(IDC_SUPPORTED_LIST) + ListDump(IDC_INSTALLED_LIST) + ListDump(IDC_OTHER_LIST) + StatusPart(1) +
         StatusPart(2) + StatusPart(3);
}

TEST_CASE(rows_put_in_in_startup_order_equal_a_full_sort) {
  StageMixedFolder();
  // Names equal but for case, and equal names: the sort keeps the rows' found order.
  const char* archives[] = {"same1.zip", "same2.zip", "SAME3.zip", "zed.txt", "ZED.dat", "Zed", "m.zip"};
  for (const char* a : archives) WriteFile(Rom(a), "x");
  WriteFile(g_dir + "\\docs\\gamelist.txt",
            Document({{"Same", "same2"}, {"same", "same1"}, {"SAME", "same3"}, {"Zebra", "zebra"}, {"Abc", "abc"},
                      {"Pac-Man", "pacman"}, {"m", "m"}, {"Sample Game", "samplegm"}, {"Fifty", "fifty"}}));
  std::string full = StartUp(false);
  std::string sorted = StartUp(true);
  CHECK_STR(sorted, full);
  CHECK(full.find("same1") != std::string::npos);
  // The same again when the folder holds nothing the document knows.
  WriteFile(g_dir + "\\docs\\gamelist.txt", Document({{"Nothing", "nothing"}, {"Else", "else"}}));
  CHECK_STR(StartUp(true), StartUp(false));
}

TEST_CASE(rescan_thread_gives_the_same_lists_and_steps_buttons) {
  StageMixedFolder();
  CreateTestWindow();
  HANDLE lock = LockFile(Rom("locked.zip"));
  LoadGameListDocument();
  SendMessageA(GetDlgItem(g_mainWindow, IDC_TABS), TCM_SETCURSEL, 1, 0);
  StartRescanThread();
  CHECK(ScanInProgress());
  CHECK(!Enabled(CMD_PLAY) && !Enabled(CMD_RESCAN) && !Enabled(CMD_DELETE));
  PumpUntilScanDone(20000);
  CloseHandle(lock);
  CHECK(!ScanInProgress());
  CheckMixedFolder();
  CHECK(Enabled(CMD_PLAY) && Enabled(CMD_RESCAN) && Enabled(CMD_DELETE));
}

TEST_CASE(buttons_by_page_after_a_rescan) {
  NewInstallation(Document({{"Alpha", "alpha"}}));
  CreateTestWindow();
  WriteFile(Rom("other.bin"), "o");
  struct { int page; bool play, rescan, del; } pages[] = {
      {0, false, true, false}, {1, true, true, true}, {2, true, true, true}, {3, true, true, true}};
  for (auto& p : pages) {
    SendMessageA(GetDlgItem(g_mainWindow, IDC_TABS), TCM_SETCURSEL, p.page, 0);
    StartRescanThread();
    PumpUntilScanDone(20000);
    CHECK_EQ(Enabled(CMD_PLAY), p.play);
    CHECK_EQ(Enabled(CMD_RESCAN), p.rescan);
    CHECK_EQ(Enabled(CMD_DELETE), p.del);
  }
  // No roms folder: the scan still ends like any other; the buttons follow the
  // (emptied) lists and the counters match them.
  SetCurrentDirectoryA(g_dir.c_str());
  RemoveTree(g_dir + "\\roms");
  SetStatusText("stale", 3);
  for (int page = 0; page < 3; ++page) {  // the test's tab control has pages 0 to 2
    SendMessageA(GetDlgItem(g_mainWindow, IDC_TABS), TCM_SETCURSEL, page, 0);
    StartRescanThread();
    PumpUntilScanDone(20000);
    CHECK_EQ(Enabled(CMD_PLAY), page != 0);
    CHECK(Enabled(CMD_RESCAN));
    CHECK_EQ(Enabled(CMD_DELETE), page == 1);
  }
  CHECK_EQ(GetListCount(List(IDC_SUPPORTED_LIST)), 1);
  CHECK_EQ(GetListCount(List(IDC_OTHER_LIST)), 0);
  CHECK_STR(StatusPart(1), "Installed: 0 games");
  CHECK_STR(StatusPart(2), "Supported: 1 games");
  CHECK_STR(StatusPart(3), "Other files: 0 files");
}

// A request while a scan runs is not a second scan at once, but one more after it;
// files that come and go during the scan do no harm.
TEST_CASE(second_request_during_a_scan_follows_it) {
  std::vector<std::pair<std::string, std::string>> games;
  for (int i = 0; i < 3000; ++i) games.push_back({"Game " + std::to_string(i), "g" + std::to_string(i)});
  NewInstallation(Document(games));
  CreateTestWindow();
  for (int i = 0; i < 1500; ++i) WriteFile(Rom("g" + std::to_string(i) + ".zip"), "x");
  LoadGameListDocument();
  StartRescanThread();
  StartRescanThread();
  for (int i = 0; i < 1500; i += 2) DeleteFileA(Rom("g" + std::to_string(i) + ".zip").c_str());
  WriteFile(Rom("late.zip"), "late");
  PumpUntilScanDone(60000);
  CHECK(!ScanInProgress());
  CHECK(Find(IDC_OTHER_LIST, 0, "late") >= 0);
  CHECK_EQ(GetListCount(List(IDC_INSTALLED_LIST)), 750);
  CHECK_EQ(GetListCount(List(IDC_SUPPORTED_LIST)), 3000);
}

// Other commands change the process's current folder while a rescan runs; every
// path the scan stores names the file in roms\ all the same, and a sort moves
// each row's file with its texts.
TEST_CASE(stored_paths_ignore_the_current_folder) {
  std::vector<std::pair<std::string, std::string>> games;
  for (int i = 0; i < 1500; ++i) games.push_back({"Game " + std::to_string(i), "g" + std::to_string(i)});
  NewInstallation(Document(games));
  CreateTestWindow();
  for (int i = 0; i < 1500; ++i) WriteFile(Rom("g" + std::to_string(i) + (i % 2 ? ".zip" : ".7z")), "x");
  for (int i = 0; i < 1500; ++i) WriteFile(Rom("o" + std::to_string(i) + ".bin"), "o");
  std::string elsewhere = g_dir + "\\docs";
  StartRescanThread();
  DWORD start = GetTickCount();
  MSG msg;
  for (int flip = 0; ScanInProgress() && GetTickCount() - start < 60000; ++flip) {
    SetCurrentDirectoryA(flip % 2 ? elsewhere.c_str() : g_dir.c_str());
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(1);
  }
  CHECK(!ScanInProgress());
  // Twice, so that the shared direction is as before for the tests that follow.
  SortListByColumn(List(IDC_INSTALLED_LIST), 6);
  SortListByColumn(List(IDC_INSTALLED_LIST), 6);
  HWND installed = List(IDC_INSTALLED_LIST), other = List(IDC_OTHER_LIST);
  CHECK_EQ(GetListCount(installed), 1500);
  CHECK_EQ(GetListCount(other), 1500);
  int wrong = 0;
  for (int i = 0; i < GetListCount(installed); ++i) {
    char file[MAX_PATH];
    GetRowFile(installed, i, file, sizeof file);
    std::string name = Cell(IDC_INSTALLED_LIST, i, 6);
    int n = atoi(name.c_str() + 1);
    if (file != Rom(name + (n % 2 ? ".zip" : ".7z"))) ++wrong;
  }
  for (int i = 0; i < GetListCount(other); ++i)
    if (Cell(IDC_OTHER_LIST, i, 3) != Rom(Cell(IDC_OTHER_LIST, i, 0) + ".bin")) ++wrong;
  CHECK_EQ(wrong, 0);
}

TEST_CASE(sort_by_number_or_text_alternating_across_lists_and_columns) {
  NewInstallation(Document({}));
  CreateTestWindow();
  HWND list = List(IDC_INSTALLED_LIST);
  const char* rows[][2] = {{"b", "10"}, {"C", "9"}, {"a", "100"}, {"d", "2"}};
  for (int i = 0; i < 4; ++i) {
    const char* texts[8] = {rows[i][0], rows[i][1], "", "", "", "", "", i == 0 ? "1.0 MB" : "900.0 KB"};
    InsertListRow(list, i, texts, 8);
  }
  LVITEMA sel = {};
  sel.state = sel.stateMask = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, 1, (LPARAM)&sel);  // "C" selected
  SortListsAtStartup();  // ascending by name, direction flag untouched
  auto column = [&](int c) {
    std::string s;
    for (int i = 0; i < GetListCount(list); ++i) s += Cell(IDC_INSTALLED_LIST, i, c) + ",";
    return s;
  };
  CHECK_STR(column(0), "a,b,C,d,");
  CHECK_EQ(GetNextListItem(list, LVNI_SELECTED), 2);  // the selection moves with its row
  struct { HWND list; int column; const char* want; int wantColumn; } clicks[] = {
      {list, 1, "2,9,10,100,", 1},  // first click: ascending, by count
      {list, 1, "100,10,9,2,", 1},  // same heading again: descending
      {List(IDC_OTHER_LIST), 0, "", 0},  // another list flips the shared flag too
      {list, 0, "d,C,b,a,", 0},    // so this one is descending
      {list, 7, "900.0 KB,900.0 KB,900.0 KB,1.0 MB,", 7},  // by size
  };
  for (auto& c : clicks) {
    SortListByColumn(c.list, c.column);
    if (c.list == list) CHECK_STR(column(c.wantColumn), c.want);
  }
  CHECK_STR(column(0), "d,C,a,b,");  // equal sizes keep the order they had
  CHECK_STR(Cell(IDC_INSTALLED_LIST, GetNextListItem(list, LVNI_SELECTED), 0), "C");
}

// Closes the count message box, keeping its text.
static std::string g_boxText;
static void CloseMessageBoxSoon() {
  std::thread([] {
    for (int i = 0; i < 500; ++i) {
      HWND box = FindWindowA("#32770", "Search result");
      if (box) {
        char t[260] = "";
        GetDlgItemTextA(box, 0xFFFF, t, sizeof t);
        g_boxText = t;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(10);
    }
  }).detach();
}

static int RunSearch(const char* text) {
  HWND dialog = CreateDialogParamA(g_instance, "IDD_SEARCH", g_mainWindow, SearchDialogProc, 0);
  if (!dialog) return -1;
  SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text);
  g_boxText.clear();
  CloseMessageBoxSoon();
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  DestroyWindow(dialog);
  int hits = -1;
  sscanf(g_boxText.c_str(), "%d", &hits);
  return hits;
}

static std::string Selected(int id) {
  std::string s;
  for (int i = 0; i < GetListCount(List(id)); ++i)
    s += (SendMessageA(List(id), LVM_GETITEMSTATE, i, LVIS_SELECTED | LVIS_FOCUSED) & (LVIS_SELECTED | LVIS_FOCUSED))
             ? (SendMessageA(List(id), LVM_GETITEMSTATE, i, LVIS_FOCUSED) ? "F" : "1")
             : "0";
  return s;
}

TEST_CASE(search_counts_games_and_selects) {
  NewInstallation(Document({{"Pac-Man", "pacman"}, {"Galaga", "galaga"}, {"Pacland", "xyz"}}));
  WriteFile(Rom("pacman.zip"), "p");
  WriteFile(Rom("galaga.zip"), "g");
  WriteFile(Rom("xyz.zip"), "x");
  WriteFile(Rom("bios.zip"), "b");
  CreateTestWindow();
  LoadGameListDocument();
  ScanRomFolder();
  SortListsAtStartup();
  HWND dialog = CreateDialogParamA(g_instance, "IDD_SEARCH", g_mainWindow, SearchDialogProc, 0);
  CHECK(dialog != NULL);
  char t[64] = "";
  GetWindowTextA(dialog, t, sizeof t);
  CHECK_STR(t, "Search");
  GetDlgItemTextA(dialog, IDCANCEL, t, sizeof t);
  CHECK_STR(t, "Cancel");
  DestroyWindow(dialog);
  HWND tabs = GetDlgItem(g_mainWindow, IDC_TABS);
  struct { int page; const char* text; int hits; int list; const char* selected; } cases[] = {
      {0, "pac", 2, IDC_INSTALLED_LIST, "011"},   // Pac-Man by name and short name counts once
      {0, "XYZ", 1, IDC_INSTALLED_LIST, "001"},   // only the short name holds it
      {0, "", 3, IDC_INSTALLED_LIST, "111"},      // every row, each once
      {0, "none", 0, IDC_INSTALLED_LIST, "000"},
      {1, " gal", 1, IDC_SUPPORTED_LIST, "100"},  // the field's leading blank
      {1, "", 3, IDC_SUPPORTED_LIST, "111"},
      {2, "bios", 1, IDC_OTHER_LIST, "1"},        // the other-files list has no column 6
      {2, "", 1, IDC_OTHER_LIST, "1"},
  };
  for (auto& c : cases) {
    SendMessageA(tabs, TCM_SETCURSEL, c.page, 0);
    CHECK_EQ(RunSearch(c.text), c.hits);
    CHECK_STR(Selected(c.list), c.selected);
  }
}

// A rescan whose result cannot be posted (the user-interface thread's queue
// is full) still ends as any other: the rows go in, the buttons and counters
// come back, and a request made meanwhile still follows.
static BOOL WINAPI QueueFull(HWND, UINT, WPARAM, LPARAM) {
  SetLastError(ERROR_NOT_ENOUGH_QUOTA);
  return FALSE;
}

TEST_CASE(a_result_that_cannot_be_posted_still_arrives) {
  StageMixedFolder();
  CreateTestWindow();
  LoadGameListDocument();
  SendMessageA(GetDlgItem(g_mainWindow, IDC_TABS), TCM_SETCURSEL, 1, 0);
  SetStatusText("stale", 1);
  SetScanResultPost(QueueFull);
  StartRescanThread();
  StartRescanThread();
  PumpUntilScanDone(30000);
  SetScanResultPost(NULL);
  CHECK(!ScanInProgress());
  CheckMixedFolder();
  CHECK(Enabled(CMD_PLAY) && Enabled(CMD_RESCAN) && Enabled(CMD_DELETE));
}

// A rescan whose window is gone before its result is ready drops the result
// and ends; the next window scans as ever.
TEST_CASE(a_scan_whose_window_is_gone_ends) {
  std::vector<std::pair<std::string, std::string>> games;
  for (int i = 0; i < 1500; ++i) games.push_back({"Game " + std::to_string(i), "g" + std::to_string(i)});
  NewInstallation(Document(games));
  for (int i = 0; i < 1500; ++i) WriteFile(Rom("g" + std::to_string(i) + ".zip"), "x");
  CreateTestWindow();
  StartRescanThread();
  DestroyWindow(g_mainWindow);  // before the scan thread has searched the folder
  DWORD start = GetTickCount();
  while (ScanInProgress() && GetTickCount() - start < 30000) Sleep(10);
  CHECK(!ScanInProgress());
  CreateTestWindow();
  StartRescanThread();
  PumpUntilScanDone(30000);
  CHECK(!ScanInProgress());
  CHECK_EQ(GetListCount(List(IDC_INSTALLED_LIST)), 1500);
  CHECK(Enabled(CMD_RESCAN));
}
