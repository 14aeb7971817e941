// Tooltips and enabled states of the option boxes. A disabled window gets no
// mouse messages, so the tooltip of a disabled box belongs to the main window
// and covers the box's rectangle; the box is subclassed to keep that
// rectangle on it as the layout moves it, and empty while it is hidden.
#include "launch/switch_boxes_win.h"
#include "launch/switch_record.h"
#include "launch/switch_record_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include <commctrl.h>
#include <cstring>

namespace {

// Not among the original keys: older language files fall back to the English text.
const int kNotAcceptedKey = 120;
const char kNotAcceptedText[] =
    "This emulator does not accept this switch, so Vintor leaves it out of every start. (mkgamelist.exe found it "
    "missing when it asked mame.exe which switches it knows; run it again after changing the emulator.)";
const int kGivenAsKey = 121;
const char kGivenAsText[] = "This emulator is given this switch as:";
const UINT_PTR kFollowBoxId = 1;

HWND g_tips;

HWND Box(int n) { return GetDlgItem(g_mainWindow, IDC_OPTION_FIRST - 1 + n); }

TOOLINFOA Tool(HWND box, bool disabled) {
  TOOLINFOA ti;
  memset(&ti, 0, sizeof ti);
  ti.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by every comctl32
  ti.hwnd = g_mainWindow;
  ti.uFlags = TTF_SUBCLASS | (disabled ? 0 : TTF_IDISHWND);
  ti.uId = disabled ? (UINT_PTR)GetDlgCtrlID(box) : (UINT_PTR)box;
  return ti;
}

// The box's rectangle in the main window, or none while the box is hidden.
RECT VisibleRect(HWND box) {
  RECT r = {0, 0, 0, 0};
  if (GetWindowLongPtrA(box, GWL_STYLE) & WS_VISIBLE) {
    GetWindowRect(box, &r);
    MapWindowPoints(NULL, g_mainWindow, (POINT*)&r, 2);
  }
  return r;
}

LRESULT CALLBACK FollowBox(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_WINDOWPOSCHANGED && g_tips) {
    TOOLINFOA ti = Tool(box, true);
    ti.rect = VisibleRect(box);
    SendMessageA(g_tips, TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(box, FollowBox, kFollowBoxId);
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

HWND Tips() {
  if (g_tips && IsWindow(g_tips)) return g_tips;
  HWND focus = GetFocus();
  g_tips = CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, g_mainWindow, NULL, g_instance, NULL);
  if (g_tips) SendMessageA(g_tips, TTM_SETMAXTIPWIDTH, 0, 300);
  if (focus && GetFocus() != focus) SetFocus(focus);
  return g_tips;
}

void AddTool(HWND box, bool disabled, const char* text) {
  HWND tips = Tips();
  if (!tips) return;
  TOOLINFOA ti = Tool(box, disabled);
  ti.rect = VisibleRect(box);
  ti.lpszText = (LPSTR)text;  // the tooltip keeps a copy
  SendMessageA(tips, TTM_ADDTOOLA, 0, (LPARAM)&ti);
  if (disabled) SetWindowSubclass(box, FollowBox, kFollowBoxId, 0);
}

void RemoveTools(HWND box) {
  if (!g_tips) return;
  TOOLINFOA a = Tool(box, true), b = Tool(box, false);
  SendMessageA(g_tips, TTM_DELTOOLA, 0, (LPARAM)&a);
  SendMessageA(g_tips, TTM_DELTOOLA, 0, (LPARAM)&b);
}

}  // namespace

void ShowSwitchRecordOnPage() {
  SwitchRecord record;
  LoadSwitchRecord(&record);
  for (int n = 1; n <= kOptionCount; ++n) {
    HWND box = Box(n);
    if (!box) continue;
    RemoveTools(box);
    SwitchState state = RecordedSwitchState(record, n);
    EnableWindow(box, state != kSwitchUnsupported);
    char text[1024];
    if (state == kSwitchUnsupported) {
      CopyText(text, sizeof text, GetLanguageString(kNotAcceptedKey, kNotAcceptedText));
      AddTool(box, true, text);
    } else if (state == kSwitchReplaced) {
      CopyText(text, sizeof text, GetLanguageString(kGivenAsKey, kGivenAsText));
      AppendText(text, sizeof text, record.text[n - 1]);  // it begins with a blank
      AddTool(box, false, text);
    }
  }
}
