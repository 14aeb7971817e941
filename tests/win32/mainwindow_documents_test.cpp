// Document pages filled from docs\, the text loader's edge cases, and the
// advice dialog with its link button.
#include "tests/testkit/testkit.h"
#include "tests/win32/mainwindow_fixture.h"
#include "preview/advice_win.h"
#include <vector>

using namespace fixture;

static std::string TextOf(HWND parent, int id) {
  HWND c = GetDlgItem(parent, id);
  int n = GetWindowTextLengthA(c);
  std::vector<char> text(n + 2, 0);
  GetWindowTextA(c, text.data(), n + 1);
  return text.data();
}

TEST_CASE(pages_show_their_documents_at_start) {
  StartMainWindow(StageFolder("vintor_mw_docs"));
  CHECK_STR(TextOf(g_mainWindow, 307), "Windows notes\r\nline two\r\n");
  CHECK_STR(TextOf(g_mainWindow, 309), "The manual\r\n");
  CHECK_STR(TextOf(g_mainWindow, 310), "MAME notes\r\nlast line\r\n");  // bare LF: whole, nothing lost
  CloseMainWindow();
}

TEST_CASE(loader_edge_cases) {
  std::string folder = StageFolder("vintor_mw_loader");
  StartMainWindow(folder);
  std::string lines;
  for (int i = 0; i < 300; ++i) lines += "line " + std::to_string(i) + "\n";
  std::string crlf;
  for (int i = 0; i < 300; ++i) crlf += "line " + std::to_string(i) + "\r\n";
  struct { const char* what; const char* file; std::string bytes, before, after; } rows[] = {
      {"CR LF whole", "crlf.txt", crlf, "", crlf},
      {"bare LF whole", "lf.txt", lines, "", crlf},
      {"empty file", "empty.txt", "", "old text", ""},
      {"missing file keeps the page", NULL, "", "old text", "old text"},
      {"NUL ends the shown text", "zeros.bin", std::string("ab\0cd\n", 6), "", "ab"},
      {"no line end at all", "one.txt", "single", "", "single"},
  };
  for (auto& row : rows) {
    std::string path = folder + "\\docs\\" + (row.file ? row.file : "absent.txt");
    if (row.file) WriteFile(path, row.bytes);
    SetWindowTextA(GetDlgItem(g_mainWindow, 307), row.before.c_str());
    LoadTextIntoControl(path.c_str(), 307, g_mainWindow);
    if (TextOf(g_mainWindow, 307) != row.after) testkit::Fail(__FILE__, __LINE__, row.what);
  }
  // A control that does not exist is no harm.
  LoadTextIntoControl((folder + "\\docs\\crlf.txt").c_str(), 4711, g_mainWindow);
  CloseMainWindow();
}

static int s_shellCalls;
static std::string s_lastFile, s_lastVerb;
static HWND s_lastOwner;
static HINSTANCE WINAPI CountingOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR, INT show) {
  ++s_shellCalls;
  s_lastOwner = owner;
  s_lastVerb = verb ? verb : "";
  s_lastFile = file ? file : "";
  CHECK_STR(params, "");
  CHECK_EQ(show, SW_SHOW);
  return (HINSTANCE)42;
}

struct AdviceSeen {
  std::string box, link, title;
  bool ok = false;
};

// Works the modal dialog from a second thread: two clicks on the link, then `finish`.
struct Script { int finish; AdviceSeen seen; };
static DWORD WINAPI WorkAdvice(void* p) {
  Script* s = (Script*)p;
  HWND dialog = NULL;
  for (int i = 0; i < 200 && !dialog; ++i) {
    Sleep(25);
    dialog = FindWindowA("#32770", "Corvalis Information");
  }
  if (!dialog) return 0;
  // The window has its caption before its initialisation has set the texts.
  for (int i = 0; i < 200 && TextOf(dialog, IDC_ADVICE_LINK).empty(); ++i) Sleep(25);
  s->seen.ok = true;
  s->seen.box = TextOf(dialog, IDC_ADVICE_TEXT);
  s->seen.link = TextOf(dialog, IDC_ADVICE_LINK);
  HWND link = GetDlgItem(dialog, IDC_ADVICE_LINK);
  for (int i = 0; i < 2; ++i) SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ADVICE_LINK, BN_CLICKED), (LPARAM)link);
  if (s->finish == WM_CLOSE) PostMessageA(dialog, WM_CLOSE, 0, 0);
  else PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(s->finish, BN_CLICKED), 0);
  return 0;
}

static INT_PTR RunAdvice(Script* s) {
  HANDLE t = CreateThread(NULL, 0, WorkAdvice, s, 0, NULL);
  INT_PTR result = ShowAdviceDialog();
  WaitForSingleObject(t, 10000);
  CloseHandle(t);
  return result;
}

TEST_CASE(advice_dialog_opens_the_release_page_each_time) {
  std::string folder = StageFolder("vintor_mw_advice");
  StartMainWindow(folder);
  SetAdviceShellOpener(CountingOpen);
  struct { int finish; INT_PTR result; } rows[] = {{IDOK, 1}, {IDCANCEL, 2}, {WM_CLOSE, 2}};
  for (auto& row : rows) {
    s_shellCalls = 0;
    Script s = {row.finish, {}};
    CHECK_EQ((int)RunAdvice(&s), (int)row.result);
    CHECK(s.seen.ok);
    CHECK_STR(s.seen.box, "The manual\r\n");
    CHECK_STR(s.seen.link, "Open the release page");
    CHECK_EQ(s_shellCalls, 2);
    CHECK_STR(s_lastFile, "https://www.mamedev.org/release.html");
    CHECK_STR(s_lastVerb, "open");
    CHECK(s_lastOwner == g_mainWindow);
  }
  // Without the manual the box is empty and the link still works.
  DeleteFileA((folder + "\\docs\\vintor-eng.txt").c_str());
  s_shellCalls = 0;
  Script s = {IDOK, {}};
  CHECK_EQ((int)RunAdvice(&s), 1);
  CHECK_STR(s.seen.box, "");
  CHECK_EQ(s_shellCalls, 2);
  SetAdviceShellOpener(NULL);
  CloseMainWindow();
}
