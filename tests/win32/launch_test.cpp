// Game starts, the options page and the verification against a window of the
// test's own that holds the controls the launch code reads, with the stand-in
// emulator staged next to a settings file and counters.
#include "tests/testkit/testkit.h"
#include "launch/launch_win.h"
#include "launch/options_win.h"
#include "launch/start_watch_win.h"
#include "shell/app_win.h"
#include <commctrl.h>
#include <tlhelp32.h>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string g_stage;  // the staged program folder

// ---- files ----
std::string ModuleFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(NULL, path, sizeof path);
  std::string s(path);
  return s.substr(0, s.rfind('\\'));
}

void PutFile(const std::string& path, const std::string& text) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  DWORD n = 0;
  if (h != INVALID_HANDLE_VALUE) WriteFile(h, text.data(), (DWORD)text.size(), &n, NULL), CloseHandle(h);
}

std::string GetFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  if (h == INVALID_HANDLE_VALUE) return "";
  std::string s;
  char buf[4096];
  DWORD n;
  while (ReadFile(h, buf, sizeof buf, &n, NULL) && n) s.append(buf, n);
  CloseHandle(h);
  return s;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE f = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (f != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
      else DeleteFileA(path.c_str());
    } while (FindNextFileA(f, &fd));
    FindClose(f);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string Counter(const char* shortName) {
  char text[64] = "";
  GetPrivateProfileStringA("OPTIONS", "Runs", "", text, sizeof text,
                           (g_stage + "\\winis\\" + shortName + ".ini").c_str());
  return text;
}

// ---- message boxes and dialogs, answered from a thread of their own ----
std::mutex g_seenLock;
std::vector<std::string> g_seen;     // "caption|text" of every box, in order
std::vector<int> g_answers;          // planned answers; IDOK once they run out
std::vector<HWND> g_handled;

BOOL CALLBACK LookAtWindow(HWND w, LPARAM) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[64] = "";
  GetClassNameA(w, cls, sizeof cls);
  if (pid != GetCurrentProcessId() || strcmp(cls, "#32770") != 0 || !IsWindowVisible(w)) return TRUE;
  std::lock_guard<std::mutex> hold(g_seenLock);
  for (HWND h : g_handled) if (h == w) return TRUE;
  g_handled.push_back(w);
  char title[512] = "", text[1024] = "";
  GetWindowTextA(w, title, sizeof title);
  GetDlgItemTextA(w, 0xFFFF, text, sizeof text);
  g_seen.push_back(std::string(title) + "|" + text);
  int answer = IDOK;
  if (!g_answers.empty()) answer = g_answers.front(), g_answers.erase(g_answers.begin());
  if (!GetDlgItem(w, 0xFFFF)) answer = IDCANCEL;  // not a message box: the advice dialog
  PostMessageA(w, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
  return TRUE;
}

void WatchDialogs() {
  for (;;) {
    EnumWindows(LookAtWindow, 0);
    Sleep(20);
  }
}

std::vector<std::string> Seen() {
  std::lock_guard<std::mutex> hold(g_seenLock);
  return g_seen;
}

void PlanAnswers(std::vector<int> answers) {
  std::lock_guard<std::mutex> hold(g_seenLock);
  g_seen.clear();
  g_answers = answers;
}

// ---- the test's main window ----
struct ChildEvent { bool created; std::string cls; int id; RECT rect; bool saveVisible; int pos; };
std::vector<ChildEvent> g_children;

LRESULT CALLBACK TestWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP_START_REFUSED) return HandleRefusedStart(lp);
  if (msg == WM_PARENTNOTIFY && (LOWORD(wp) == WM_CREATE || LOWORD(wp) == WM_DESTROY)) {
    HWND child = (HWND)lp;
    ChildEvent e = {};
    e.created = LOWORD(wp) == WM_CREATE;
    char cls[64] = "";
    GetClassNameA(child, cls, sizeof cls);
    e.cls = cls;
    e.id = HIWORD(wp);
    GetWindowRect(child, &e.rect);
    MapWindowPoints(NULL, w, (POINT*)&e.rect, 2);
    e.saveVisible = (GetWindowLongA(GetDlgItem(w, CMD_SAVE_OPTIONS), GWL_STYLE) & WS_VISIBLE) != 0;
    e.pos = (int)SendMessageA(child, PBM_GETPOS, 0, 0);
    g_children.push_back(e);
  }
  return DefWindowProcA(w, msg, wp, lp);
}

HWND List(int id = IDC_INSTALLED_LIST) { return GetDlgItem(g_mainWindow, id); }

void AddRow(const char* name, const char* runs, const char* shortName, int id = IDC_INSTALLED_LIST) {
  LVITEMA it = {};
  it.mask = LVIF_TEXT;
  it.iItem = ListView_GetItemCount(List(id));
  it.pszText = (LPSTR)name;
  int row = (int)SendMessageA(List(id), LVM_INSERTITEMA, 0, (LPARAM)&it);
  ListView_SetItemText(List(id), row, 1, (LPSTR)runs);
  ListView_SetItemText(List(id), row, 6, (LPSTR)shortName);
}

std::string Cell(int row, int col, int id = IDC_INSTALLED_LIST) {
  char text[260] = "";
  ListView_GetItemText(List(id), row, col, text, sizeof text);
  return text;
}

void CreateTestWindow() {
  g_instance = GetModuleHandleA(NULL);
  InitCommonControls();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = TestWindowProc;
  wc.hInstance = g_instance;
  wc.lpszClassName = "LaunchTestClass";
  RegisterClassA(&wc);
  g_mainWindow = CreateWindowExA(0, "LaunchTestClass", "launch test", WS_OVERLAPPEDWINDOW, 0, 0, 1096, 630,
                                 NULL, NULL, g_instance, NULL);
  for (int id : {IDC_INSTALLED_LIST, IDC_SUPPORTED_LIST}) {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_SHOWSELALWAYS |
                                (id == IDC_INSTALLED_LIST ? WS_VISIBLE : 0), 10, 10, 500, 300, g_mainWindow,
                                (HMENU)(INT_PTR)id, g_instance, NULL);
    for (int c = 0; c < 8; ++c) {
      LVCOLUMNA col = {};
      col.mask = LVCF_WIDTH;
      col.cx = 60;
      SendMessageA(list, LVM_INSERTCOLUMNA, c, (LPARAM)&col);
    }
  }
  CreateWindowExA(WS_EX_CLIENTEDGE, "edit", "", WS_CHILD | ES_AUTOHSCROLL, 52, 150, 444, 22, g_mainWindow,
                  (HMENU)IDC_COMMAND_LINE, g_instance, NULL);
  for (int id = IDC_OPTION_FIRST; id <= IDC_OPTION_LAST; ++id)
    CreateWindowExA(0, "button", "", WS_CHILD | BS_AUTOCHECKBOX, 56, 185, 350, 22, g_mainWindow, (HMENU)(INT_PTR)id,
                    g_instance, NULL);
  CreateWindowExA(0, "button", "Save", WS_CHILD | WS_VISIBLE, 426, 374, 73, 28, g_mainWindow,
                  (HMENU)CMD_SAVE_OPTIONS, g_instance, NULL);
  ShowWindow(g_mainWindow, SW_SHOW);
  g_dw = 160;
  g_dh = 94;
  std::thread(WatchDialogs).detach();
}

// A fresh installation for each case: the stand-in emulator, a language file, a
// settings file, counters, and the rows of the list.
void Stage(const char* name, const std::string& settings, bool withMame = true, bool withWinis = true) {
  if (!g_mainWindow) CreateTestWindow();
  g_stage = ModuleFolder() + "\\launch_stage\\" + name;
  RemoveTree(g_stage);
  CreateDirectoryA((ModuleFolder() + "\\launch_stage").c_str(), NULL);
  CreateDirectoryA(g_stage.c_str(), NULL);
  CreateDirectoryA((g_stage + "\\lang").c_str(), NULL);
  if (withWinis) CreateDirectoryA((g_stage + "\\winis").c_str(), NULL);
  if (withMame) CopyFileA((ModuleFolder() + "\\tests\\doubles\\fakemame\\mame.exe").c_str(), (g_stage + "\\mame.exe").c_str(), FALSE);
  PutFile(g_stage + "\\lang\\default.lng",
          "[INTERFACE]\r\n4=Save caption\r\n48=" + std::string(300, 'q') +
          "\r\n49=Options saved\r\n97=Emulator is missing\r\n98=Missing caption\r\n");
  if (!settings.empty()) PutFile(g_stage + "\\vintor.ini", settings);
  if (withWinis) {
    PutFile(g_stage + "\\winis\\dkong.ini", "[OPTIONS]\r\nRuns=41\r\n");
    PutFile(g_stage + "\\winis\\galaga.ini", "[OPTIONS]\r\nRuns=abc\r\n");
  }
  BuildInstallPaths(&g_paths, g_stage.c_str(), "vintor-eng.txt");
  ListView_DeleteAllItems(List());
  AddRow("Donkey Kong", "41", "dkong");
  AddRow("Galaga", "abc", "galaga");
  AddRow("Pac-Man", "0", "pacman");
  AddRow("Odd & Co", "0", "odd&calc");
  // The supported-games list: the document's short-name field, and a game that is not installed.
  ListView_DeleteAllItems(List(IDC_SUPPORTED_LIST));
  AddRow("Asteroids", "0", " asteroid ", IDC_SUPPORTED_LIST);
  AddRow("Donkey Kong", "41", " dkong    ", IDC_SUPPORTED_LIST);
  AddRow("Galaga", "abc", " galaga   ", IDC_SUPPORTED_LIST);
  AddRow("Pac-Man", "0", " pacman   ", IDC_SUPPORTED_LIST);
  g_children.clear();
  PlanAnswers({});
}

void Pump(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  while ((int)(end - GetTickCount()) > 0) {
    MSG m;
    while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    Sleep(10);
  }
}

// ---- what the stand-in emulator saw ----
struct Start { std::string cmdline, cwd; };

std::vector<Start> Starts() {
  std::vector<Start> out;
  std::string log = GetFile(g_stage + "\\mame_log.txt");
  size_t at = 0;
  while (at < log.size()) {
    size_t end = log.find("\r\n", at);
    if (end == std::string::npos) end = log.size();
    std::string line = log.substr(at, end - at);
    if (line.compare(0, 9, "cmdline: ") == 0) out.push_back({line.substr(9), ""});
    else if (line.compare(0, 5, "cwd: ") == 0 && !out.empty()) out.back().cwd = line.substr(5);
    at = end + 2;
  }
  return out;
}

// Waits for the n-th start, then a moment more so that a second one would show.
std::vector<Start> WaitForStarts(size_t n) {
  for (int i = 0; i < 1500 && Starts().size() < n; ++i) Pump(10);
  Pump(400);
  return Starts();
}

// The parameters of a command line: what follows the program and one blank.
std::string ParametersOf(const std::string& cmdline) {
  size_t end = cmdline[0] == '"' ? cmdline.find('"', 1) + 1 : cmdline.find(' ');
  if (end == std::string::npos || end >= cmdline.size()) return "";
  return cmdline.substr(end + 1);
}

bool SameFolder(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// ---- the command interpreter started by the verification ----
std::vector<DWORD> CmdChildren() {
  std::vector<DWORD> out;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof pe;
  for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
    if (pe.th32ParentProcessID == GetCurrentProcessId() && lstrcmpiA(pe.szExeFile, "cmd.exe") == 0)
      out.push_back(pe.th32ProcessID);
  CloseHandle(snap);
  return out;
}

void EndCmdChildren() {
  for (DWORD pid : CmdChildren()) {
    HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!p) continue;
    TerminateProcess(p, 0);
    WaitForSingleObject(p, 5000);
    CloseHandle(p);
  }
}

void RunSave() {
  HANDLE t = CreateThread(NULL, 0, SaveEmulatorOptions, NULL, 0, NULL);
  DWORD end = GetTickCount() + 15000;
  while ((int)(end - GetTickCount()) > 0 &&
         MsgWaitForMultipleObjects(1, &t, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG m;
    while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  }
  CloseHandle(t);
}

bool Checked(int n) {
  return SendDlgItemMessageA(g_mainWindow, IDC_OPTION_FIRST - 1 + n, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string EditText() {
  char text[2048] = "";
  GetDlgItemTextA(g_mainWindow, IDC_COMMAND_LINE, text, sizeof text);
  return text;
}

}  // namespace

TEST_CASE(start_raises_counter_and_passes_stored_options) {
  Stage("start", "[OPTIONS]\r\nOption_2=1\r\nOption_5=2\r\nCommandLine=-rompath roms\r\n");
  struct { int row; const char* shortName; const char* runs; } rows[] = {
    {0, "dkong", "42"}, {1, "galaga", "1"}, {2, "pacman", "1"}, {2, "pacman", "2"},
  };
  size_t n = 0;
  for (auto& r : rows) {
    StartGame(r.row);
    CHECK_STR(Cell(r.row, 1), r.runs);
    CHECK_STR(Counter(r.shortName), r.runs);
    auto starts = WaitForStarts(++n);
    CHECK_EQ(starts.size(), n);
    if (starts.size() != n) return;
    CHECK_STR(ParametersOf(starts.back().cmdline), std::string(r.shortName) + " -window -skip_gameinfo -rompath roms");
    CHECK(SameFolder(starts.back().cwd, g_paths.programFolder));
  }
  CHECK(Seen().empty());
}

TEST_CASE(no_selection_counts_nothing_and_passes_options_alone) {
  Stage("noselection", "[OPTIONS]\r\nOption_1=1\r\n");
  StartGame(-1);
  auto starts = WaitForStarts(1);
  CHECK_EQ(starts.size(), (size_t)1);
  if (!starts.empty()) CHECK_STR(ParametersOf(starts[0].cmdline), " -nosound");
  CHECK(!Exists(g_stage + "\\winis\\.ini"));  // no counter for a game without a name
  CHECK_STR(Cell(0, 1), "41");
  CHECK_STR(Cell(2, 1), "0");
}

TEST_CASE(without_counter_folder_the_row_shows_what_is_stored) {
  Stage("nowinis", "", true, false);
  for (int i = 0; i < 2; ++i) {
    StartGame(2);
    CHECK_STR(Cell(2, 1), "0");  // nothing could be stored
  }
  CHECK(!Exists(g_stage + "\\winis"));
  auto starts = WaitForStarts(2);
  CHECK_EQ(starts.size(), (size_t)2);
  if (!starts.empty()) CHECK_STR(ParametersOf(starts[0].cmdline), "pacman");
}

// Held open by another program that lets others read but not write.
TEST_CASE(counter_file_that_cannot_be_written_keeps_its_count_on_screen) {
  Stage("lockedcounter", "");
  std::string path = g_stage + "\\winis\\dkong.ini";
  HANDLE hold = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  CHECK(hold != INVALID_HANDLE_VALUE);
  StartGame(0);
  CHECK_STR(Cell(0, 1), "41");
  CloseHandle(hold);
  CHECK_STR(Counter("dkong"), "41");
  CHECK_EQ(WaitForStarts(1).size(), (size_t)1);  // the game itself did start
}

TEST_CASE(start_the_shell_refuses_does_not_count) {
  Stage("damaged", "");
  PutFile(g_stage + "\\mame.exe", "not a program");
  StartGame(0);
  Pump(300);
  CHECK_STR(Counter("dkong"), "41");
  CHECK_STR(Cell(0, 1), "41");
  CHECK(Starts().empty());
}

TEST_CASE(missing_emulator_warns_then_advises_each_time) {
  Stage("nomame", "", false);
  StartGame(0);
  StartGame(0);
  CHECK_STR(Counter("dkong"), "41");  // nothing started, nothing counted
  CHECK_STR(Cell(0, 1), "41");
  auto seen = Seen();
  int warnings = 0;
  for (auto& s : seen) warnings += s == "Missing caption|Emulator is missing";
  CHECK_EQ(warnings, 2);
  CHECK(!seen.empty() && seen[0] == "Missing caption|Emulator is missing");
  // Once the advice dialog is there, it follows each warning.
  if (seen.size() > 2) {
    CHECK_EQ(seen.size(), (size_t)4);
    if (seen.size() == 4) CHECK(seen[2] == seen[0] && seen[1] != seen[0]);
  }
  // The emulator alone is asked for anyway and reports nothing.
  StartEmulatorAlone();
  Pump(500);
  CHECK_EQ(Seen().size(), seen.size());
}

TEST_CASE(emulator_alone_gets_no_parameters) {
  Stage("alone", "[OPTIONS]\r\nOption_2=1\r\n");
  StartEmulatorAlone();
  auto starts = WaitForStarts(1);
  CHECK_EQ(starts.size(), (size_t)1);
  if (starts.empty()) return;
  std::string rest = ParametersOf(starts[0].cmdline);
  CHECK(rest.find_first_not_of(' ') == std::string::npos);
  CHECK(SameFolder(starts[0].cwd, g_paths.programFolder));
  CHECK_STR(Counter("dkong"), "41");
}

TEST_CASE(load_puts_stored_options_on_the_page) {
  Stage("load", "[OPTIONS]\r\nOption_3=2\r\nOption_9=1\r\nOption_1=0\r\nCommandLine=-free text\r\n");
  LoadEmulatorOptions();
  for (int n = 1; n <= 9; ++n) CHECK_EQ(Checked(n), n == 3 || n == 9);
  CHECK_STR(EditText(), "-free text");
  Stage("loadempty", "");
  LoadEmulatorOptions();
  for (int n = 1; n <= 9; ++n) CHECK(!Checked(n));
  CHECK_STR(EditText(), "");
}

TEST_CASE(unsaved_page_changes_do_not_reach_a_launch) {
  Stage("unsaved", "[OPTIONS]\r\nOption_2=1\r\n");
  LoadEmulatorOptions();
  SendDlgItemMessageA(g_mainWindow, IDC_OPTION_FIRST, BM_SETCHECK, BST_CHECKED, 0);
  SetDlgItemTextA(g_mainWindow, IDC_COMMAND_LINE, "-unsaved");
  StartGame(2);
  auto starts = WaitForStarts(1);
  CHECK_EQ(starts.size(), (size_t)1);
  if (!starts.empty()) CHECK_STR(ParametersOf(starts[0].cmdline), "pacman -window");
}

TEST_CASE(save_answered_no_writes_nothing) {
  const std::string settings = "[OPTIONS]\r\nOption_2=1\r\n";
  Stage("saveno", settings);
  SendDlgItemMessageA(g_mainWindow, IDC_OPTION_FIRST, BM_SETCHECK, BST_CHECKED, 0);
  PlanAnswers({IDNO});
  RunSave();
  CHECK_STR(GetFile(g_stage + "\\vintor.ini"), settings);
  CHECK(g_children.empty());
  auto seen = Seen();
  CHECK_EQ(seen.size(), (size_t)1);
  // The question is cut to 259 characters.
  if (!seen.empty()) CHECK_STR(seen[0], "Save caption|" + std::string(259, 'q'));
}

TEST_CASE(save_answered_yes_writes_all_keys_behind_a_progress_bar) {
  Stage("saveyes", "[OPTIONS]\r\nOption_2=1\r\nOption_4=7\r\n");
  LoadEmulatorOptions();
  SendDlgItemMessageA(g_mainWindow, IDC_OPTION_FIRST, BM_SETCHECK, BST_CHECKED, 0);
  SendDlgItemMessageA(g_mainWindow, IDC_OPTION_FIRST + 1, BM_SETCHECK, BST_UNCHECKED, 0);
  SetDlgItemTextA(g_mainWindow, IDC_COMMAND_LINE, "-new text");
  PlanAnswers({IDYES});
  RunSave();
  const char* want[] = {"1", "0", "0", "1", "0", "0", "0", "0", "0"};
  for (int n = 1; n <= 9; ++n) {
    char text[16] = "";
    GetPrivateProfileStringA("OPTIONS", ("Option_" + std::to_string(n)).c_str(), "missing", text, sizeof text,
                             g_paths.settingsFile);
    CHECK_STR(text, want[n - 1]);
  }
  char text[64] = "";
  GetPrivateProfileStringA("OPTIONS", "CommandLine", "missing", text, sizeof text, g_paths.settingsFile);
  CHECK_STR(text, "-new text");
  CHECK_EQ(g_children.size(), (size_t)2);
  if (g_children.size() == 2) {
    const ChildEvent& made = g_children[0];
    CHECK(made.created);
    CHECK_STR(made.cls, "msctls_progress32");
    CHECK_EQ(made.id, 0);
    CHECK_EQ(made.rect.left, 474L);
    CHECK_EQ(made.rect.top, 468L);
    CHECK_EQ(made.rect.right - made.rect.left, 105L);
    CHECK_EQ(made.rect.bottom - made.rect.top, 28L);
    CHECK(!made.saveVisible);
    CHECK(!g_children[1].created);
    CHECK_EQ(g_children[1].pos, 9);  // never reaches its maximum of 10
  }
  CHECK(GetWindowLongA(GetDlgItem(g_mainWindow, CMD_SAVE_OPTIONS), GWL_STYLE) & WS_VISIBLE);
  auto seen = Seen();
  CHECK_EQ(seen.size(), (size_t)2);
  if (seen.size() == 2) CHECK_STR(seen[1], "Save caption|Options saved");
}

// Another program holds the settings file open against writing: the save says
// so, the file keeps what it had and the page keeps what the user set.
TEST_CASE(save_that_cannot_write_says_so_and_keeps_the_page) {
  const std::string settings = "[OPTIONS]\r\nOption_2=1\r\n";
  Stage("savelocked", settings);
  LoadEmulatorOptions();
  SendDlgItemMessageA(g_mainWindow, IDC_OPTION_FIRST, BM_SETCHECK, BST_CHECKED, 0);
  SetDlgItemTextA(g_mainWindow, IDC_COMMAND_LINE, "-new text");
  HANDLE hold = CreateFileA(g_paths.settingsFile, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  CHECK(hold != INVALID_HANDLE_VALUE);
  PlanAnswers({IDYES});
  RunSave();
  CloseHandle(hold);
  CHECK_STR(GetFile(g_stage + "\\vintor.ini"), settings);
  auto seen = Seen();
  CHECK_EQ(seen.size(), (size_t)2);
  // This language file lacks the key: the English text stands in.
  if (seen.size() == 2)
    CHECK_STR(seen[1], "Save caption|The emulator options could not be saved: the settings file cannot be written.");
  for (int n = 1; n <= 9; ++n) CHECK_EQ(Checked(n), n <= 2);
  CHECK_STR(EditText(), "-new text");
  CHECK(GetWindowLongA(GetDlgItem(g_mainWindow, CMD_SAVE_OPTIONS), GWL_STYLE) & WS_VISIBLE);
}

TEST_CASE(progress_bar_follows_the_layout_growth) {
  struct { int dw, dh, x, y, w; } rows[] = {
    {0, 0, 426, 374, 73}, {160, 94, 474, 468, 105}, {-4, 0, 424, 374, 73}, {9, 3, 429, 377, 74},
  };
  for (auto& r : rows) {
    RECT rc = SaveProgressRect(r.dw, r.dh);
    CHECK_EQ(rc.left, (LONG)r.x);
    CHECK_EQ(rc.top, (LONG)r.y);
    CHECK_EQ(rc.right - rc.left, (LONG)r.w);
    CHECK_EQ(rc.bottom - rc.top, 28L);
  }
}

TEST_CASE(verify_runs_the_emulator_in_a_command_window) {
  Stage("verify", "[OPTIONS]\r\nOption_2=1\r\n");
  struct { int select; const char* want; } rows[] = {
    {2, "-verifyroms pacman"}, {-1, "-verifyroms"},
  };
  size_t n = 0;
  for (auto& r : rows) {
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (r.select >= 0) ListView_SetItemState(List(), r.select, LVIS_SELECTED, LVIS_SELECTED);
    VerifyRoms();
    auto starts = WaitForStarts(++n);
    CHECK_EQ(starts.size(), n);
    if (starts.size() != n) break;
    std::string got = starts.back().cmdline;
    // One command interpreter keeps the quotes around mame.exe, another drops
    // them, and the trailing blank of an empty name may go too.
    CHECK(got.compare(0, 10, "\"mame.exe\"") == 0 || got.compare(0, 8, "mame.exe") == 0);
    std::string rest = ParametersOf(got);
    while (!rest.empty() && rest.back() == ' ') rest.pop_back();
    CHECK_STR(rest, r.want);
    CHECK(SameFolder(starts.back().cwd, g_paths.programFolder));
    CHECK_EQ(CmdChildren().size(), (size_t)1);  // "/k": the window stays open
    EndCmdChildren();
  }
  CHECK_STR(Counter("pacman"), "");
}

TEST_CASE(verify_refuses_names_cmd_would_act_on) {
  Stage("verifyodd", "");
  ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(List(), 3, LVIS_SELECTED, LVIS_SELECTED);
  VerifyRoms();
  Pump(1500);
  CHECK(CmdChildren().empty());
  CHECK(Starts().empty());
  EndCmdChildren();
}

namespace {

// Pumps until `n` boxes have been seen (the watch lasts 15 s) or `ms` have passed.
std::vector<std::string> WaitForBoxes(size_t n, DWORD ms = 20000) {
  for (DWORD waited = 0; Seen().size() < n && waited < ms; waited += 10) Pump(10);
  return Seen();
}

const std::string kRefusalCaption = "Game not started|The emulator did not start this game:\n";
const std::string kNotCounted = "\n\nThis start is not counted as played.";

// How the stand-in is to end each game: lines of "<game or *> <code> [ms]".
void ChooseEnds(const std::string& lines) { PutFile(g_stage + "\\mame_exit.txt", lines); }

}  // namespace

// The stand-in ends at once with the code the emulator gives for each kind of
// refusal: the user is told which game and why, and the count goes back in
// the counter file and in both lists.
TEST_CASE(refused_start_is_told_and_not_counted) {
  Stage("refused", "[OPTIONS]\r\nOption_2=1\r\nCommandLine=-rompath roms\r\n");
  struct { int row, docRow; const char* shortName; const char* code; std::string body; const char* runs; } rows[] = {
    {0, 1, "dkong", "2",
     "Donkey Kong (dkong)\n\nSome of its ROM files are missing or wrong. Verify the ROMs (menu Games) shows which "
     "ones." + kNotCounted, "41"},
    {2, 3, "pacman", "5",
     "Pac-Man (pacman)\n\nThis emulator does not know the game. The game list may come from another version of the "
     "emulator: make it again with mkgamelist.exe." + kNotCounted, "0"},
    {2, 3, "pacman", "6",
     "Pac-Man (pacman)\n\nThe emulator does not accept an option it was given. Check these on the Options page (the "
     "ticked boxes and the free parameters):\n-window -rompath roms" + kNotCounted, "0"},
    {1, 2, "galaga", "3", "Galaga (galaga)\n\nThe emulator stopped with code 3." + kNotCounted, "0"},
  };
  size_t n = 0;
  for (auto& r : rows) {
    ChooseEnds(std::string(r.shortName) + " " + r.code + "\r\n* 0\r\n");
    PlanAnswers({});
    StartGame(r.row);
    // Counted at the start, in both lists.
    std::string raised = std::to_string(atoi(r.runs) + 1);
    CHECK_STR(Counter(r.shortName), raised);
    CHECK_STR(Cell(r.row, 1), raised);
    CHECK_STR(Cell(r.docRow, 1, IDC_SUPPORTED_LIST), raised);
    auto seen = WaitForBoxes(1);
    CHECK_EQ(seen.size(), (size_t)1);
    if (!seen.empty()) CHECK_STR(seen[0], kRefusalCaption + r.body);
    CHECK_STR(Counter(r.shortName), r.runs);
    CHECK_STR(Cell(r.row, 1), r.runs);
    CHECK_STR(Cell(r.docRow, 1, IDC_SUPPORTED_LIST), r.runs);
    CHECK_EQ(WaitForStarts(++n).size(), n);
  }
  CHECK_STR(Cell(0, 1, IDC_SUPPORTED_LIST), "0");  // the game that is not installed
}

// Two starts of the same game overlap: the one that runs stays counted when
// the other is refused; rows rebuilt in between (a rescan) get the count by name.
TEST_CASE(overlapping_starts_and_rebuilt_rows_keep_the_right_count) {
  Stage("overlap", "");
  ChooseEnds("dkong 0 4000\r\n");
  StartGame(0);
  CHECK_EQ(WaitForStarts(1).size(), (size_t)1);
  ChooseEnds("dkong 2 500\r\n");
  StartGame(0);
  CHECK_STR(Counter("dkong"), "43");
  // A rescan rebuilds the lists meanwhile, in another order.
  ListView_DeleteAllItems(List());
  AddRow("Pac-Man", "0", "pacman");
  AddRow("Donkey Kong", "43", "dkong");
  auto seen = WaitForBoxes(1);
  CHECK_EQ(seen.size(), (size_t)1);
  CHECK_STR(Counter("dkong"), "42");
  CHECK_STR(Cell(1, 1), "42");
  CHECK_STR(Cell(0, 1), "0");
  CHECK_STR(Cell(1, 1, IDC_SUPPORTED_LIST), "42");
  // The first start ends with 0 after the second was refused: it stays counted.
  Pump(4000);
  CHECK_EQ(Seen().size(), (size_t)1);
  CHECK_STR(Counter("dkong"), "42");
}

// A start the counter could not record is told about but takes nothing back.
TEST_CASE(refused_start_without_counter_folder_takes_nothing_back) {
  Stage("refusednowinis", "", true, false);
  ChooseEnds("* 2\r\n");
  StartGame(2);
  auto seen = WaitForBoxes(1);
  CHECK_EQ(seen.size(), (size_t)1);
  if (!seen.empty())
    CHECK_STR(seen[0], kRefusalCaption + "Pac-Man (pacman)\n\nSome of its ROM files are missing or wrong. Verify the "
                       "ROMs (menu Games) shows which ones.");
  CHECK_STR(Cell(2, 1), "0");
  CHECK(!Exists(g_stage + "\\winis"));
}

// The emulator alone and the verification are not watched: their ends are not told.
TEST_CASE(emulator_alone_and_verification_are_not_watched) {
  Stage("unwatched", "");
  ChooseEnds("* 2\r\n");
  StartEmulatorAlone();
  ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(List(), 0, LVIS_SELECTED, LVIS_SELECTED);
  VerifyRoms();
  CHECK_EQ(WaitForStarts(2).size(), (size_t)2);
  Pump(1500);
  EndCmdChildren();
  CHECK(Seen().empty());
  CHECK_STR(Counter("dkong"), "41");
}

namespace {

HWND g_foundTips;
BOOL CALLBACK FindTips(HWND w, LPARAM) {
  char cls[64] = "";
  GetClassNameA(w, cls, sizeof cls);
  if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0 && GetWindow(w, GW_OWNER) == g_mainWindow) g_foundTips = w;
  return TRUE;
}

// The options page's tooltip (the only one the test window owns).
HWND PageTips() {
  g_foundTips = NULL;
  EnumThreadWindows(GetCurrentThreadId(), FindTips, 0);
  return g_foundTips;
}

// The tool of a disabled box: its rectangle in the window and its text.
bool RectTool(int id, RECT* rect, std::string* text) {
  char buffer[1024] = "";
  TOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.hwnd = g_mainWindow;
  ti.uId = (UINT_PTR)id;
  ti.lpszText = buffer;
  if (!SendMessageA(PageTips(), TTM_GETTOOLINFOA, 0, (LPARAM)&ti)) return false;
  *rect = ti.rect;
  SendMessageA(PageTips(), TTM_GETTEXTA, sizeof buffer, (LPARAM)&ti);
  *text = buffer;
  return true;
}

RECT BoxRect(int n) {
  RECT r;
  GetWindowRect(GetDlgItem(g_mainWindow, IDC_OPTION_FIRST - 1 + n), &r);
  MapWindowPoints(NULL, g_mainWindow, (POINT*)&r, 2);
  return r;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Stored(const char* section, const char* key) {
  char text[64] = "";
  GetPrivateProfileStringA(section, key, "missing", text, sizeof text, g_paths.settingsFile);
  return text;
}

const char kLinuxRecord[] =
    "[SWITCHES]\r\nOption_1=-sound none\r\nOption_2=-window\r\nOption_3=-mouse\r\nOption_4=-joystick\r\n"
    "Option_5=-skip_gameinfo\r\nOption_6=-priority 1\r\nOption_7=unsupported\r\nOption_8=Unsupported\r\n"
    "Option_9=unsupported\r\n";

}  // namespace

// The record of an emulator that takes -sound none and -priority 1 and none of
// the last three: those boxes are disabled with the reason in a tooltip, keep
// what is stored for them through a save, and give nothing at a start.
TEST_CASE(recorded_switches_reach_the_page_the_save_and_a_start) {
  Stage("record", std::string("[OPTIONS]\r\nOption_1=1\r\nOption_6=2\r\nOption_7=1\r\nOption_9=0\r\n") + kLinuxRecord);
  LoadEmulatorOptions();
  for (int n = 1; n <= 9; ++n) {
    CHECK_EQ(IsWindowEnabled(GetDlgItem(g_mainWindow, IDC_OPTION_FIRST - 1 + n)) != FALSE, n <= 6);
    CHECK_EQ(Checked(n), n == 1 || n == 6 || n == 7);
  }
  HWND tips = PageTips();
  CHECK(tips != NULL);
  // Three boxes with their reason, two with the form this emulator is given.
  CHECK_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), (LRESULT)5);
  for (int n = 7; n <= 9; ++n) {
    ShowWindow(GetDlgItem(g_mainWindow, IDC_OPTION_FIRST - 1 + n), SW_SHOW);
    RECT r;
    std::string text;
    CHECK(RectTool(IDC_OPTION_FIRST - 1 + n, &r, &text));
    CHECK(SameRect(r, BoxRect(n)));
    CHECK(text.compare(0, 48, "This emulator does not accept this switch, so Vi") == 0);
  }
  // The tool follows its box as the layout moves it, and covers nothing while the box is hidden.
  HWND box7 = GetDlgItem(g_mainWindow, IDC_OPTION_FIRST + 6);
  MoveWindow(box7, 90, 300, 300, 22, TRUE);
  RECT r;
  std::string text;
  CHECK(RectTool(IDC_OPTION_FIRST + 6, &r, &text) && SameRect(r, BoxRect(7)) && r.left == 90 && r.top == 300);
  ShowWindow(box7, SW_HIDE);
  CHECK(RectTool(IDC_OPTION_FIRST + 6, &r, &text) && r.right == r.left && r.bottom == r.top);

  // The save writes the boxes that are used and leaves the others' values alone.
  SendDlgItemMessageA(g_mainWindow, IDC_OPTION_FIRST + 6, BM_SETCHECK, BST_UNCHECKED, 0);
  SendDlgItemMessageA(g_mainWindow, IDC_OPTION_FIRST + 7, BM_SETCHECK, BST_CHECKED, 0);
  PlanAnswers({IDYES});
  RunSave();
  const char* want[] = {"1", "0", "0", "0", "0", "1", "1", "missing", "0"};
  for (int n = 1; n <= 9; ++n) CHECK_STR(Stored("OPTIONS", ("Option_" + std::to_string(n)).c_str()), want[n - 1]);
  CHECK_STR(Stored("SWITCHES", "Option_1"), "-sound none");

  // A start gives the recorded switches; the ticked box 7 gives nothing.
  StartGame(2);
  auto starts = WaitForStarts(1);
  CHECK_EQ(starts.size(), (size_t)1);
  if (!starts.empty()) CHECK_STR(ParametersOf(starts[0].cmdline), "pacman -sound none -priority 1");

  // Without the record the page is as before.
  WritePrivateProfileStringA("SWITCHES", NULL, NULL, g_paths.settingsFile);
  LoadEmulatorOptions();
  for (int n = 1; n <= 9; ++n) CHECK(IsWindowEnabled(GetDlgItem(g_mainWindow, IDC_OPTION_FIRST - 1 + n)));
  CHECK_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), (LRESULT)0);
}
