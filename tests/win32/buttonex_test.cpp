// ButtonEx behaviour in a real host window under Wine: creation, styles, texts,
// images, clicks by messages and by real input, keyboard, mnemonics, latching
// groups, hover, tooltips, colours and operations on windows of other classes.
#include "controls/buttonex_internal_win.h"
#include "shell/ids.h"
#include "tests/testkit/testkit.h"
#include <commctrl.h>
#include <string>
#include <vector>

namespace {

struct Click { WPARAM wParam; HWND from; };
std::vector<Click> g_clicks;
int g_parentKeyUps = 0;
int g_closeRequests = 0;
HWND g_destroyOnClick = NULL;

LRESULT CALLBACK HostProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      g_clicks.push_back(Click{wp, (HWND)lp});
      if (g_destroyOnClick && (HWND)lp == g_destroyOnClick) DestroyWindow(g_destroyOnClick);
      return 0;
    case WM_KEYUP: ++g_parentKeyUps; return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_CLOSE) { ++g_closeRequests; return 0; }
      break;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

void Pump(int ms = 30) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG m;
    while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) { TranslateMessage(&m); DispatchMessageA(&m); }
    Sleep(5);
  } while ((int)(end - GetTickCount()) > 0);
}

HWND Host() {
  static HWND host = NULL;
  if (host && IsWindow(host)) return host;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.lpszClassName = "BxTestHost";
  RegisterClassA(&wc);
  host = CreateWindowExA(0, "BxTestHost", "ButtonEx test", WS_POPUP | WS_VISIBLE, 40, 40, 640, 400, NULL,
                         NULL, wc.hInstance, NULL);
  SetForegroundWindow(host);
  Pump(100);
  return host;
}

// A fresh host child set for each case.
struct Buttons {
  std::vector<HWND> made;
  HWND Make(const char* text, DWORD style, int x, int y, int id, int w = 73, int h = 28) {
    HWND b = ButtonExCreate(text, style | WS_VISIBLE, x, y, w, h, Host(), id);
    made.push_back(b);
    return b;
  }
  ~Buttons() {
    for (HWND b : made) if (IsWindow(b)) DestroyWindow(b);
    g_clicks.clear();
    Pump(10);
  }
};

ButtonExData* Rec(HWND b) { return ButtonExRecord(b); }

POINT Centre(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  return p;
}

void MouseButton(DWORD flag) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flag;
  SendInput(1, &in, sizeof in);
}

// A real pointer move, through the input queue like the user's mouse.
void MoveTo(int x, int y) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
  in.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

void Key(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = (WORD)MapVirtualKeyA(vk, 0);
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

// Real input goes to the foreground window's focus.
void FocusForReal(HWND b) {
  SetForegroundWindow(Host());
  SetFocus(b);
  Pump(50);
}

int ClicksFrom(HWND b) {
  int n = 0;
  for (const Click& c : g_clicks) if (c.from == b) ++n;
  return n;
}

const LPARAM kAt10 = MAKELPARAM(10, 10);

}  // namespace

TEST_CASE(creation_results_and_style_adjustments) {
  Buttons bs;
  HWND soft = bs.Make("Options", WS_BORDER | BXS_SOFT | BXS_FOCUSRECT | WS_TABSTOP, 10, 10, CMD_SAVE_OPTIONS);
  CHECK(soft != NULL);
  const DWORD style = (DWORD)GetWindowLongA(soft, GWL_STYLE);
  CHECK((style & WS_BORDER) == 0);
  CHECK((style & WS_CHILD) != 0);
  CHECK_EQ(Rec(soft)->style, style);
  RECT client;
  GetClientRect(soft, &client);  // the removed border gives its pixels back
  CHECK_EQ((int)client.right, 73);
  CHECK_EQ((int)client.bottom, 28);
  CHECK_EQ(Rec(soft)->width, 73);
  CHECK_EQ(ButtonExGetTextColor(soft), RGB(40, 50, 90));
  CHECK_EQ(ButtonExGetBkColor(soft), RGB(243, 243, 239));
  CHECK_EQ(GetDlgCtrlID(soft), CMD_SAVE_OPTIONS);
  CHECK_EQ(Rec(soft)->atRest, 1);

  HWND latch = bs.Make("Latch", BXS_LATCH, 100, 10, 900);
  CHECK(((DWORD)GetWindowLongA(latch, GWL_STYLE) & BXS_HOVER) != 0);
  HWND classic = bs.Make("Classic", WS_BORDER, 200, 10, 901);
  CHECK(((DWORD)GetWindowLongA(classic, GWL_STYLE) & WS_BORDER) != 0);
  CHECK_EQ(ButtonExGetTextColor(classic), RGB(0, 0, 0));
  CHECK_EQ(ButtonExGetBkColor(classic), GetSysColor(COLOR_BTNFACE));
  CHECK_EQ(ButtonExGetFont(classic), (HFONT)GetStockObject(DEFAULT_GUI_FONT));

  // Made without ButtonExCreate, a soft button keeps black text.
  HWND direct = CreateWindowExA(0, "ButtonExClass", "Direct", WS_CHILD | WS_VISIBLE | BXS_SOFT, 300, 10, 73, 28,
                                Host(), (HMENU)902, GetModuleHandleA(NULL), NULL);
  bs.made.push_back(direct);
  CHECK_EQ(ButtonExGetTextColor(direct), RGB(0, 0, 0));
  CHECK_EQ(ButtonExGetBkColor(direct), RGB(243, 243, 239));

  CHECK(ButtonExCreate("x", 0, 0, 0, 10, 10, NULL, 1) == NULL);
  CHECK_EQ(ButtonExRegister(), 1);

  // Image-only buttons do not keep the window text.
  HWND imageOnly = bs.Make("Hidden", BXS_ICON | BXS_IMAGEONLY, 400, 10, 903);
  HWND imageOnly2 = bs.Make("Hidden", BXS_ICON | BXS_IMAGEONLY2, 500, 10, 904);
  CHECK(Rec(imageOnly)->text == NULL);
  CHECK(Rec(imageOnly2)->text == NULL);
  HWND noText = bs.Make(NULL, BXS_SOFT | BXS_ICON, 400, 60, 905);
  CHECK(Rec(noText)->text == NULL);
}

TEST_CASE(is_button_and_other_classes) {
  Buttons bs;
  HWND b = bs.Make("&Play", 0, 10, 10, 910);
  HWND stat = CreateWindowExA(0, "STATIC", "static text", WS_CHILD | WS_VISIBLE, 10, 60, 80, 20, Host(), NULL,
                              NULL, NULL);
  HWND sys = CreateWindowExA(0, "BUTTON", "system", WS_CHILD | WS_VISIBLE, 100, 60, 80, 20, Host(), NULL,
                             NULL, NULL);
  bs.made.push_back(stat);
  bs.made.push_back(sys);
  CHECK(ButtonExIsButton(b));
  CHECK(!ButtonExIsButton(stat));
  CHECK(!ButtonExIsButton(sys));
  CHECK(!ButtonExIsButton(Host()));
  CHECK(!ButtonExIsButton(NULL));

  // Operations on another class do nothing; getters answer 0, setters of text -1.
  CHECK_EQ(ButtonExSetText(stat, "changed"), -1);
  CHECK_EQ(ButtonExSetTip(stat, "tip"), -1);
  char buf[32] = "untouched";
  CHECK_EQ(ButtonExGetText(stat, buf, sizeof buf), 0);
  CHECK_STR(buf, "untouched");
  ButtonExSetTextColor(stat, RGB(1, 2, 3));
  ButtonExSetBkColor(stat, RGB(1, 2, 3));
  ButtonExSetFont(stat, NULL);
  ButtonExSetStyle(stat, 0);
  ButtonExSetCursor(stat, NULL);
  ButtonExPress(stat);
  CHECK_EQ(ButtonExGetTextColor(stat), (COLORREF)0);
  CHECK_EQ(ButtonExGetBkColor(stat), (COLORREF)0);
  CHECK(ButtonExGetFont(stat) == NULL);
  CHECK(IsWindowVisible(stat));  // ButtonExSetStyle left it alone
  GetWindowTextA(stat, buf, sizeof buf);
  CHECK_STR(buf, "static text");
  // ButtonExShow alone works on any window.
  ButtonExShow(stat, SW_HIDE);
  CHECK(!IsWindowVisible(stat));
  CHECK(g_clicks.empty());
}

TEST_CASE(texts_never_overrun_the_callers_buffer) {
  Buttons bs;
  HWND b = bs.Make("&Play", BXS_SOFT, 10, 10, 920);
  char buf[16];
  memset(buf, '#', sizeof buf);
  CHECK_EQ((int)SendMessageA(b, WM_GETTEXT, sizeof buf, (LPARAM)buf), 0);  // answers 0 yet copies
  CHECK_STR(buf, "&Play");
  memset(buf, '#', sizeof buf);
  SendMessageA(b, WM_GETTEXT, 4, (LPARAM)buf);
  CHECK_STR(buf, "&Pl");
  CHECK_EQ(buf[4], '#');
  memset(buf, '#', sizeof buf);
  SendMessageA(b, WM_GETTEXT, 1, (LPARAM)buf);
  CHECK_EQ(buf[0], '\0');
  CHECK_EQ(buf[1], '#');
  memset(buf, '#', sizeof buf);
  SendMessageA(b, WM_GETTEXT, 0, (LPARAM)buf);
  CHECK_EQ(buf[0], '#');
  SendMessageA(b, WM_GETTEXT, 50, 0);  // null buffer: nothing happens
  CHECK_EQ(ButtonExGetText(b, NULL, 10), 0);
  CHECK_EQ(ButtonExGetText(b, buf, 3), 2);

  CHECK_EQ((int)SendMessageA(b, WM_SETTEXT, 0, (LPARAM)"&Stop"), 0);
  ButtonExGetText(b, buf, sizeof buf);
  CHECK_STR(buf, "&Stop");
  CHECK_EQ(GetWindowTextLengthA(b), 5);  // the system's copy follows
  // Longer than the measuring copy: kept whole, measured by its first 255 characters.
  std::string longText(300, 'W');
  longText[100] = '&';
  CHECK_EQ(ButtonExSetText(b, longText.c_str()), 0);
  std::vector<char> big(400, '#');
  CHECK_EQ(ButtonExGetText(b, big.data(), (int)big.size()), 300);
  CHECK_STR(big.data(), longText);
  UpdateWindow(b);
  CHECK_EQ(ButtonExSetText(b, NULL), 0);
  CHECK(Rec(b)->text == NULL);
  memset(buf, '#', sizeof buf);
  ButtonExGetText(b, buf, sizeof buf);
  CHECK_STR(buf, "");
  UpdateWindow(b);
}

TEST_CASE(images_normal_then_pressed_and_forgotten) {
  Buttons bs;
  HWND b = bs.Make("", BXS_BITMAP | BXS_ICON, 10, 10, 930);
  HDC screen = GetDC(NULL);
  HBITMAP bm[3];
  for (auto& x : bm) x = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(NULL, screen);
  HICON icon = LoadIcon(NULL, IDI_APPLICATION), icon2 = LoadIcon(NULL, IDI_WARNING);
  CHECK_EQ((int)SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bm[0]), 0);
  CHECK(Rec(b)->bitmap == bm[0] && Rec(b)->pressedBitmap == NULL);
  SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bm[1]);
  CHECK(Rec(b)->bitmap == bm[0] && Rec(b)->pressedBitmap == bm[1]);
  SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bm[2]);  // the third replaces the pressed one
  CHECK(Rec(b)->bitmap == bm[0] && Rec(b)->pressedBitmap == bm[2]);
  SendMessageA(b, BM_SETIMAGE, IMAGE_ICON, (LPARAM)icon);
  SendMessageA(b, BM_SETIMAGE, IMAGE_ICON, (LPARAM)icon2);
  SendMessageA(b, BM_SETIMAGE, 7, (LPARAM)icon2);  // unknown kinds change nothing
  CHECK(Rec(b)->icon == icon && Rec(b)->pressedIcon == icon2);
  UpdateWindow(b);

  CHECK_EQ((int)SendMessageA(b, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  CHECK(Rec(b)->bitmap == NULL && Rec(b)->pressedBitmap == NULL);
  CHECK(Rec(b)->icon == icon);
  BITMAP info;
  CHECK(GetObjectA(bm[0], sizeof info, &info) != 0);  // forgotten, not deleted
  SendMessageA(b, BM_GETIMAGE, IMAGE_ICON, 0);
  CHECK(Rec(b)->icon == NULL && Rec(b)->pressedIcon == NULL);
  SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bm[1]);
  CHECK(Rec(b)->bitmap == bm[1]);  // after forgetting, the next one is the normal image again
  DestroyWindow(b);
  CHECK(GetObjectA(bm[1], sizeof info, &info) != 0);
  for (auto& x : bm) DeleteObject(x);
}

TEST_CASE(click_by_messages_notifies_once_inside_and_never_outside) {
  Buttons bs;
  HWND b = bs.Make("Play", BXS_SOFT | BXS_ICON, 10, 10, CMD_PLAY);
  HWND other = bs.Make("Other", BXS_SOFT, 100, 10, 940);
  struct { const char* what; std::vector<LPARAM> moves; int clicks; } rows[] = {
      {"press and release", {}, 1},
      {"moves inside", {MAKELPARAM(5, 5), MAKELPARAM(72, 27)}, 1},
      {"leave", {MAKELPARAM(200, 10)}, 0},
      {"leave below", {MAKELPARAM(10, 29)}, 0},
      {"leave to the left", {MAKELPARAM(-3, 10)}, 0},
      {"leave and return", {MAKELPARAM(200, 10), MAKELPARAM(10, 10)}, 1},
  };
  for (const auto& r : rows) {
    g_clicks.clear();
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, kAt10);
    CHECK(GetCapture() == b);
    for (LPARAM m : r.moves) SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, m);
    SendMessageA(b, WM_LBUTTONUP, 0, r.moves.empty() ? kAt10 : r.moves.back());
    CHECK(GetCapture() != b);
    if ((int)g_clicks.size() != r.clicks) printf("  case: %s\n", r.what);
    CHECK_EQ((int)g_clicks.size(), r.clicks);
    if (!g_clicks.empty()) {
      CHECK_EQ((int)g_clicks[0].wParam, CMD_PLAY);  // notification code 0 in the high word
      CHECK(g_clicks[0].from == b);
    }
    CHECK_EQ(Rec(b)->pressed, 0);
    CHECK_EQ(g_bx.pressedInside + g_bx.buttonDown + g_bx.lastShownInside, 0);
  }
  // A release never pressed on this button is no click.
  g_clicks.clear();
  SendMessageA(other, WM_LBUTTONUP, 0, kAt10);
  CHECK(g_clicks.empty());
}

TEST_CASE(button_destroyed_by_its_own_click_is_safe) {
  Buttons bs;
  HWND b = bs.Make("Close", BXS_SOFT, 10, 10, 945);
  g_destroyOnClick = b;
  SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, kAt10);
  SendMessageA(b, WM_LBUTTONUP, 0, kAt10);
  g_destroyOnClick = NULL;
  CHECK_EQ((int)g_clicks.size(), 1);
  CHECK(!IsWindow(b));
}

TEST_CASE(real_mouse_click_inside_and_release_outside) {
  Buttons bs;
  HWND b = bs.Make("Play", BXS_SOFT, 60, 60, 950);
  SetForegroundWindow(Host());
  Pump(50);
  POINT c = Centre(b);
  MoveTo(c.x, c.y);
  Pump(50);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  Pump(50);
  MouseButton(MOUSEEVENTF_LEFTUP);
  Pump(100);
  CHECK_EQ(ClicksFrom(b), 1);
  CHECK(GetFocus() == b);  // the pointer was over it: it takes the focus

  g_clicks.clear();
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  Pump(50);
  CHECK_EQ(g_bx.pressedInside, 1);
  MoveTo(c.x + 200, c.y + 100);
  Pump(80);
  CHECK_EQ(g_bx.pressedInside, 0);
  MouseButton(MOUSEEVENTF_LEFTUP);
  Pump(100);
  CHECK_EQ(ClicksFrom(b), 0);

  // Leaving and coming back before the release is a click.
  MoveTo(c.x, c.y);
  Pump(50);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  Pump(30);
  MoveTo(c.x + 200, c.y);
  Pump(50);
  MoveTo(c.x, c.y);
  Pump(50);
  CHECK_EQ(g_bx.pressedInside, 1);
  MouseButton(MOUSEEVENTF_LEFTUP);
  Pump(100);
  CHECK_EQ(ClicksFrom(b), 1);
  SetCursorPos(5, 5);
}

TEST_CASE(space_and_return_click_exactly_once) {
  Buttons bs;
  HWND b = bs.Make("Play", BXS_SOFT | BXS_FOCUSRECT | WS_TABSTOP, 10, 10, 960);
  SetCursorPos(5, 5);  // away from the button
  SetFocus(b);
  for (WPARAM key : {(WPARAM)VK_SPACE, (WPARAM)VK_RETURN}) {
    g_clicks.clear();
    const DWORD start = GetTickCount();
    SendMessageA(b, WM_KEYDOWN, key, 0x00390001);
    SendMessageA(b, WM_KEYDOWN, key, 0x40390001);  // auto-repeat does nothing
    CHECK(g_clicks.empty());
    SendMessageA(b, WM_KEYUP, key, (LPARAM)0xC0390001);
    CHECK(GetTickCount() - start >= 90);  // the simulated click holds for 100 ms
    CHECK_EQ((int)g_clicks.size(), 1);
    CHECK(g_clicks[0].from == b);
  }
  // Real keys through the input queue.
  FocusForReal(b);
  g_clicks.clear();
  Key(VK_SPACE, false);
  Key(VK_SPACE, true);
  Pump(250);
  CHECK_EQ(ClicksFrom(b), 1);
  g_clicks.clear();
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  Pump(250);
  CHECK_EQ(ClicksFrom(b), 1);
  // Other keys do nothing.
  g_clicks.clear();
  SendMessageA(b, WM_KEYUP, 'A', (LPARAM)0xC0000001);
  SendMessageA(b, WM_SYSCHAR, 'a', 0);
  CHECK(g_clicks.empty());
}

TEST_CASE(tab_moves_the_focus_between_tab_stops) {
  Buttons bs;
  HWND a = bs.Make("A", BXS_SOFT | WS_TABSTOP, 10, 10, 970);
  HWND noStop = bs.Make("N", BXS_SOFT, 100, 10, 971);
  HWND c = bs.Make("C", BXS_SOFT | WS_TABSTOP, 200, 10, 972);
  SetFocus(a);
  SendMessageA(a, WM_KEYUP, VK_TAB, (LPARAM)0xC00F0001);
  CHECK(GetFocus() == c);
  CHECK(Rec(c)->focused == 1 && Rec(a)->focused == 0);
  SendMessageA(c, WM_KEYUP, VK_TAB, (LPARAM)0xC00F0001);
  CHECK(GetFocus() == a);  // wraps round
  SetFocus(noStop);
  SendMessageA(noStop, WM_KEYUP, VK_TAB, (LPARAM)0xC00F0001);
  CHECK(GetFocus() == noStop);  // without WS_TABSTOP the key is ignored
  CHECK_EQ(g_parentKeyUps, 0);
  CHECK(g_clicks.empty());
}

TEST_CASE(alt_letter_clicks_every_matching_button) {
  Buttons bs;
  HWND save = bs.Make("&Save", BXS_SOFT, 10, 10, 980);
  HWND scan = bs.Make("Re&Scan", BXS_SOFT, 100, 10, 981);
  HWND lower = bs.Make("&start", BXS_SOFT, 200, 10, 982);
  HWND open = bs.Make("&Open", BXS_SOFT, 300, 10, 983);
  HWND plain = bs.Make("Setup", BXS_SOFT, 400, 10, 984);
  SetCursorPos(5, 5);
  SetFocus(open);
  SendMessageA(open, WM_SYSKEYUP, 'S', (LPARAM)0xE01F0001);
  CHECK_EQ((int)g_clicks.size(), 2);
  CHECK_EQ(ClicksFrom(save), 1);
  CHECK_EQ(ClicksFrom(scan), 1);
  CHECK_EQ(ClicksFrom(lower), 0);  // lower case after '&' never matches a key code
  CHECK_EQ(ClicksFrom(plain), 0);
  CHECK(GetFocus() == scan);       // each match takes the focus in turn

  g_clicks.clear();
  SendMessageA(scan, WM_SYSKEYUP, 'X', (LPARAM)0xE02D0001);
  SendMessageA(scan, WM_SYSCHAR, 'o', 0);
  CHECK(g_clicks.empty());

  // Disabled and hidden buttons are not clicked by their letter.
  g_clicks.clear();
  EnableWindow(save, FALSE);
  ShowWindow(scan, SW_HIDE);
  SendMessageA(open, WM_SYSKEYUP, 'S', (LPARAM)0xE01F0001);
  CHECK(g_clicks.empty());
  EnableWindow(save, TRUE);
  ShowWindow(scan, SW_SHOW);

  // Real Alt+O.
  FocusForReal(save);
  g_clicks.clear();
  Key(VK_MENU, false);
  Key('O', false);
  Key('O', true);
  Key(VK_MENU, true);
  Pump(300);
  CHECK_EQ((int)g_clicks.size(), 1);
  CHECK_EQ(ClicksFrom(open), 1);
  CHECK(GetFocus() == open);
}

TEST_CASE(latching_group_stays_down_until_another_is_pressed) {
  Buttons bs;
  HWND a = bs.Make("A", BXS_LATCH, 10, 10, 990);
  HWND b = bs.Make("B", BXS_LATCH, 100, 10, 991);
  HWND c = bs.Make("C", BXS_LATCH, 200, 10, 992);
  SetCursorPos(5, 5);
  auto click = [](HWND w) {
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, kAt10);
    SendMessageA(w, WM_LBUTTONUP, 0, kAt10);
  };
  click(a);
  CHECK_EQ(ClicksFrom(a), 1);
  CHECK(Rec(a)->latched == 1 && Rec(a)->atRest == 0);
  click(b);
  CHECK_EQ(ClicksFrom(b), 1);
  CHECK(Rec(b)->latched == 1);
  CHECK(Rec(a)->latched == 0 && Rec(a)->atRest == 1);
  // Clicking the latched one again sends nothing; it stays down and takes the focus.
  g_clicks.clear();
  SetFocus(a);
  click(b);
  CHECK(g_clicks.empty());
  CHECK(Rec(b)->latched == 1);
  CHECK(GetFocus() == b);
  // Programmatic latch: no notification, the other comes up.
  ButtonExPress(c);
  CHECK(g_clicks.empty());
  CHECK(Rec(c)->latched == 1 && Rec(b)->latched == 0 && Rec(b)->atRest == 1);
  CHECK(GetFocus() == c);
  // ButtonExPress does nothing to a plain button.
  HWND plain = bs.Make("P", BXS_SOFT, 300, 10, 993);
  ButtonExPress(plain);
  CHECK(g_clicks.empty());
  CHECK_EQ(Rec(plain)->latched, 0);
}

TEST_CASE(hover_lights_under_the_mouse_and_clicks) {
  Buttons bs;
  HWND h = bs.Make("Hover", BXS_HOVER, 60, 60, 1000);
  SetForegroundWindow(Host());
  POINT c = Centre(h);
  SetCursorPos(c.x, c.y);
  SendMessageA(h, WM_MOUSEMOVE, 0, kAt10);
  CHECK(Rec(h)->hot == 1 && Rec(h)->atRest == 0);
  CHECK(GetCapture() == h);
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, kAt10);
  CHECK(Rec(h)->hot == 0 && Rec(h)->pressed == 1);
  SendMessageA(h, WM_LBUTTONUP, 0, kAt10);
  CHECK_EQ(ClicksFrom(h), 1);
  CHECK(Rec(h)->hot == 1 && Rec(h)->atRest == 0);  // lit again after the click
  SetCursorPos(c.x + 300, c.y);
  SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(300, 10));
  CHECK(Rec(h)->hot == 0 && Rec(h)->atRest == 1);
  CHECK(GetCapture() != h);

  // Pressed, then left while held: resting, and the release never comes.
  g_clicks.clear();
  SetCursorPos(c.x, c.y);
  SendMessageA(h, WM_MOUSEMOVE, 0, kAt10);
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, kAt10);
  SetCursorPos(c.x + 300, c.y);
  SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 10));
  CHECK(Rec(h)->atRest == 1 && Rec(h)->pressed == 0);
  CHECK(g_clicks.empty());
  SetCursorPos(5, 5);
}

TEST_CASE(tooltip_is_added_with_the_rectangle_of_the_moment) {
  Buttons bs;
  HWND b = bs.Make("Tip", BXS_SOFT, 10, 10, 1010);
  HWND focus = bs.Make("F", BXS_SOFT, 100, 10, 1011);
  SetFocus(focus);
  CHECK_EQ(ButtonExSetTip(b, "Starts the selected game"), 0);
  CHECK(GetFocus() == focus);
  CHECK_STR(Rec(b)->tipText, "Starts the selected game");
  // The owner of a popup is the button's top-level window; find the tip by its tool.
  HWND tip = NULL;
  while ((tip = FindWindowExA(NULL, tip, TOOLTIPS_CLASSA, NULL)) != NULL) {
    TOOLINFOA probe = {};
    probe.cbSize = TTTOOLINFOA_V2_SIZE;
    probe.hwnd = b;
    if (SendMessageA(tip, TTM_GETTOOLINFOA, 0, (LPARAM)&probe)) break;
  }
  CHECK(tip != NULL);
  if (!tip) return;
  CHECK_EQ((int)SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  CHECK_EQ((int)SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 300);
  MoveWindow(b, 10, 10, 150, 40, TRUE);
  CHECK_EQ(Rec(b)->width, 150);
  CHECK_EQ(Rec(b)->height, 40);
  char text[80] = "";
  TOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.hwnd = b;
  ti.uId = 0;
  ti.lpszText = text;
  CHECK(SendMessageA(tip, TTM_GETTOOLINFOA, 0, (LPARAM)&ti) != 0);
  CHECK_STR(text, "Starts the selected game");
  CHECK_EQ((int)ti.rect.right, 73);  // the grown area has no tip
  CHECK_EQ((int)ti.rect.bottom, 28);
  CHECK((ti.uFlags & TTF_SUBCLASS) != 0);
  // Under the real pointer the tip shows inside the first 73 x 28, not in the grown part.
  SetForegroundWindow(Host());
  RECT wr;
  GetWindowRect(b, &wr);
  MoveTo(wr.left + 130, wr.top + 34);
  Pump(100);
  MoveTo(wr.left + 131, wr.top + 35);
  Pump(1200);
  CHECK(!IsWindowVisible(tip));
  MoveTo(wr.left + 30, wr.top + 12);
  Pump(100);
  MoveTo(wr.left + 31, wr.top + 13);
  Pump(1200);
  CHECK(IsWindowVisible(tip));
  MoveTo(5, 5);
  Pump(100);
  // A second tip replaces the text of the same tooltip.
  CHECK_EQ(ButtonExSetTip(b, "Another text"), 0);
  CHECK(Rec(b)->tip == tip);
  CHECK_EQ((int)SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  text[0] = 0;
  SendMessageA(tip, TTM_GETTOOLINFOA, 0, (LPARAM)&ti);
  CHECK_STR(text, "Another text");
  DestroyWindow(tip);
}

TEST_CASE(colours_fonts_styles_cursor_and_enabling) {
  Buttons bs;
  HWND classic = bs.Make("C", 0, 10, 10, 1020);
  HWND soft = bs.Make("S", BXS_SOFT, 100, 10, 1021);
  SendMessageA(classic, BXM_SETBKCOLOR, 0, RGB(10, 20, 30));
  CHECK_EQ((COLORREF)SendMessageA(classic, BXM_GETBKCOLOR, 0, 0), RGB(10, 20, 30));
  CHECK_EQ(Rec(classic)->bkFixed, 1);
  ButtonExSetBkColor(soft, RGB(10, 20, 30));  // soft keeps its own colours
  CHECK_EQ(ButtonExGetBkColor(soft), RGB(243, 243, 239));
  ButtonExSetTextColor(classic, RGB(200, 0, 0));
  CHECK_EQ(ButtonExGetTextColor(classic), RGB(200, 0, 0));

  HFONT font = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  CHECK_EQ((int)SendMessageA(classic, WM_SETFONT, (WPARAM)font, TRUE), 0);
  CHECK((HFONT)SendMessageA(classic, WM_GETFONT, 0, 0) == font);
  ButtonExSetFont(classic, NULL);
  DestroyWindow(classic);
  CHECK(GetObjectType(font) == OBJ_FONT);  // the font belongs to the caller
  DeleteObject(font);

  ButtonExSetStyle(soft, BXS_SOFT | BXS_FOCUSRECT);
  CHECK_EQ((DWORD)GetWindowLongA(soft, GWL_STYLE), (DWORD)(BXS_SOFT | BXS_FOCUSRECT | WS_VISIBLE | WS_CHILD));
  CHECK_EQ(Rec(soft)->style, (DWORD)(BXS_SOFT | BXS_FOCUSRECT));

  HCURSOR hand = LoadCursor(NULL, IDC_HAND);
  ButtonExSetCursor(soft, hand);
  CHECK(Rec(soft)->cursor == hand);
  CHECK_EQ((int)SendMessageA(soft, WM_SETCURSOR, (WPARAM)soft, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
  CHECK(GetCursor() == hand);

  EnableWindow(soft, FALSE);
  CHECK_EQ(Rec(soft)->disabled, 1);
  EnableWindow(soft, TRUE);
  CHECK_EQ(Rec(soft)->disabled, 0);
  SetFocus(soft);
  CHECK_EQ(Rec(soft)->focused, 1);
  SetFocus(Host());
  CHECK_EQ(Rec(soft)->focused, 0);
}

TEST_CASE(alt_f4_reaches_the_top_level_window) {
  Buttons bs;
  HWND b = bs.Make("Play", BXS_SOFT, 10, 10, 1025);
  SetCapture(b);
  g_closeRequests = 0;
  SendMessageA(b, WM_SYSKEYDOWN, VK_F4, (LPARAM)0x203E0001);  // with Alt held
  Pump(50);
  CHECK(GetCapture() != b);
  CHECK_EQ(g_closeRequests, 1);
  // Other Alt keys are swallowed.
  CHECK_EQ((int)SendMessageA(b, WM_SYSKEYDOWN, 'Q', (LPARAM)0x20100001), 0);
  CHECK_EQ((int)SendMessageA(b, WM_SYSKEYUP, VK_MENU, (LPARAM)0xC0380001), 0);
  Pump(50);
  CHECK_EQ(g_closeRequests, 1);
  CHECK(g_clicks.empty());
}

// Reads the version box from another thread and closes it.
static DWORD WINAPI CloseVersionBox(LPVOID out) {
  for (int i = 0; i < 200; ++i) {
    HWND box = FindWindowA("#32770", "Version");
    if (box) {
      HWND child = NULL;
      while ((child = FindWindowExA(box, child, "Static", NULL)) != NULL) {
        char text[80] = "";
        GetWindowTextA(child, text, sizeof text);
        if (text[0]) ButtonExCopyText((char*)out, 80, text);
      }
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(25);
  }
  return 1;
}

TEST_CASE(about_box_shows_the_version_banner) {
  char text[80] = "";
  HANDLE t = CreateThread(NULL, 0, CloseVersionBox, text, 0, NULL);
  ButtonExAbout();
  WaitForSingleObject(t, 5000);
  CloseHandle(t);
  CHECK_STR(text, "ButtonEx Library Version 1.03");
}

static HBITMAP SolidBitmap(COLORREF colour, int w, int h) {
  HDC screen = GetDC(NULL);
  HBITMAP bm = CreateCompatibleBitmap(screen, w, h);
  HDC mem = CreateCompatibleDC(screen);
  ReleaseDC(NULL, screen);
  HGDIOBJ old = SelectObject(mem, bm);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r = {0, 0, w, h};
  FillRect(mem, &r, brush);
  DeleteObject(brush);
  SetPixelV(mem, 0, 0, RGB(1, 2, 3));  // one pixel of another colour stays
  SelectObject(mem, old);
  DeleteDC(mem);
  return bm;
}

static COLORREF PixelOf(HBITMAP bm, int x, int y) {
  HDC mem = CreateCompatibleDC(NULL);
  HGDIOBJ old = SelectObject(mem, bm);
  COLORREF c = GetPixel(mem, x, y);
  SelectObject(mem, old);
  DeleteDC(mem);
  return c;
}

TEST_CASE(system_colour_change_recolours_bitmaps) {
  Buttons bs;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF old = RGB(200, 100, 50);
  HBITMAP bm = SolidBitmap(old, 8, 8), pressed = SolidBitmap(old, 8, 8), kept = SolidBitmap(old, 8, 8);
  HWND b = bs.Make("", BXS_BITMAP, 10, 10, 1030);
  HWND k = bs.Make("", BXS_BITMAP | BXS_KEEPCOLORS, 100, 10, 1031);
  HWND soft = bs.Make("", BXS_SOFT, 200, 10, 1032);
  SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bm);
  SendMessageA(b, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)pressed);
  SendMessageA(k, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)kept);
  ButtonExSetBkColor(k, RGB(1, 1, 1));  // a chosen colour is fixed
  g_bx.lastFaceColour = old;            // as if the face colour had been 'old'
  ButtonExSysColorsChanged(Host());
  CHECK_EQ(g_bx.lastFaceColour, face);
  CHECK_EQ(PixelOf(bm, 4, 4), face);
  CHECK_EQ(PixelOf(pressed, 7, 7), face);
  CHECK_EQ(PixelOf(bm, 0, 0), RGB(1, 2, 3));
  CHECK_EQ(PixelOf(kept, 4, 4), old);
  CHECK_EQ(ButtonExGetBkColor(b), face);
  CHECK_EQ(ButtonExGetBkColor(k), RGB(1, 1, 1));
  CHECK_EQ(ButtonExGetBkColor(soft), RGB(243, 243, 239));

  ButtonExRecolorBitmap(NULL, 0, 0);  // left alone
  CHECK(ButtonExLoadRecolored(12345, 0, 0) == NULL);
  // From the executable's resources: the colour of the first pixel becomes magenta.
  HBITMAP plain = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDB_BANNER_LEFT));
  CHECK(plain != NULL);
  const COLORREF first = plain ? PixelOf(plain, 0, 0) : 0;
  HBITMAP res = ButtonExLoadRecolored(IDB_BANNER_LEFT, first, RGB(255, 0, 255));
  CHECK(res != NULL);
  if (res) CHECK_EQ(PixelOf(res, 0, 0), RGB(255, 0, 255));
  if (res) DeleteObject(res);
  if (plain) DeleteObject(plain);
  DestroyWindow(b);
  DestroyWindow(k);
  DeleteObject(bm);
  DeleteObject(pressed);
  DeleteObject(kept);
}
