// The redraw guard of the game lists: after redraw off and on a list is exactly
// as visible as before, for Wine's list view (which leaves WS_VISIBLE alone) and
// for a window whose WM_SETREDRAW is the default one (which clears WS_VISIBLE on
// off and sets it on on, as Windows' own list view may); a page switch while
// redraw is off decides what the list shows afterwards.
#include "tests/testkit/testkit.h"
#include "catalogue/list_redraw_win.h"
#include <commctrl.h>

static HWND g_host;

static HWND MakeHost() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.lpszClassName = "RedrawGuardHost";
  RegisterClassA(&wc);
  wc.lpszClassName = "RedrawLikeDefault";  // WM_SETREDRAW goes to the default window procedure
  RegisterClassA(&wc);
  InitCommonControls();
  return CreateWindowExA(0, "RedrawGuardHost", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL,
                         wc.hInstance, NULL);
}

static bool Styled(HWND w) { return (GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE) != 0; }

TEST_CASE(redraw_off_and_on_keeps_each_list_as_visible_as_before) {
  if (!g_host) g_host = MakeHost();
  const char* kinds[] = {WC_LISTVIEWA, "RedrawLikeDefault"};
  struct { bool shown; int switchTo; bool after; } cases[] = {
      {true, -1, true},   // the list of the page on show
      {false, -1, false}, // a list of another page
      {true, 0, false},   // its page is left while redraw is off
      {false, 1, true},   // its page is chosen while redraw is off
  };
  for (const char* kind : kinds) {
    for (auto& c : cases) {
      HWND list = CreateWindowExA(0, kind, "", WS_CHILD | (c.shown ? WS_VISIBLE : 0), 10, 10, 200, 150, g_host,
                                  (HMENU)305, GetModuleHandleA(NULL), NULL);
      SetListRedraw(list, false);
      if (c.switchTo >= 0) ShowPageControl(list, c.switchTo != 0);
      SetListRedraw(list, true);
      if (Styled(list) != c.after || (IsWindowVisible(list) != 0) != c.after)
        testkit::Fail(__FILE__, __LINE__, std::string(kind) + (c.shown ? " shown" : " hidden") + " switch " +
                                              std::to_string(c.switchTo) + ": visible " + testkit::Show(Styled(list)));
      // A second round with nothing in between changes nothing either.
      SetListRedraw(list, false);
      SetListRedraw(list, true);
      CHECK_EQ(Styled(list), c.after);
      DestroyWindow(list);
    }
  }
}

// Off twice (a sort inside a fill) and on once restores what the first off saw.
TEST_CASE(a_nested_off_keeps_the_first_record) {
  if (!g_host) g_host = MakeHost();
  HWND list = CreateWindowExA(0, "RedrawLikeDefault", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 150, g_host, NULL,
                              GetModuleHandleA(NULL), NULL);
  SetListRedraw(list, false);
  SetListRedraw(list, false);
  SetListRedraw(list, true);
  CHECK(Styled(list));
  DestroyWindow(list);
}
