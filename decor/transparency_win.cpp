// Window transparency. SetLayeredWindowAttributes is looked up on every apply
// so that the program still runs where the platform lacks it.
#include "decor/transparency_win.h"
#include "decor/alpha.h"
#include "shell/app_win.h"
#include "shell/lang_text.h"
#include "shell/settings_win.h"
#include <commctrl.h>

namespace {
typedef BOOL(WINAPI* SetLayeredFn)(HWND, COLORREF, BYTE, DWORD);
const int kDefaultLevel = 95;
const int kSliderMin = 30;
const int kSliderMax = 100;

// SetWindowLong can legitimately return 0, so failure is told by the last error.
bool SetExtendedStyle(HWND w, LONG style) {
  SetLastError(0);
  return SetWindowLongA(w, GWL_EXSTYLE, style) != 0 || GetLastError() == 0;
}

int ApplyWith(HWND w, BYTE level, SetLayeredFn setLayered) {
  LONG style = GetWindowLongA(w, GWL_EXSTYLE);
  if (level != 0) {
    if (!SetExtendedStyle(w, style | WS_EX_LAYERED)) return 0;
    if (!setLayered(w, 0, AlphaFromLevel(level), LWA_ALPHA)) return 0;
  } else if (!SetExtendedStyle(w, style & ~WS_EX_LAYERED)) {
    return 0;
  }
  RedrawWindow(w, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  return 1;
}

BYTE StoredLevel() { return TransparencyLevelFromSetting(ReadSettingsInt("Transparent", kDefaultLevel)); }

void SetLevelTitle(HWND dialog, int level) {
  char title[50];
  FormatWithInteger(title, sizeof title, GetLanguageString(100), level);
  SetWindowTextA(dialog, title);
}

INT_PTR OnInitDialog(HWND dialog) {
  int stored = ReadSettingsInt("Transparent", kDefaultLevel);
  SetLevelTitle(dialog, stored);
  HWND slider = GetDlgItem(dialog, IDC_TRANSPARENT_SLIDER);
  SendMessageA(slider, TBM_SETRANGE, FALSE, MAKELPARAM(kSliderMin, kSliderMax));
  SendMessageA(slider, TBM_SETPAGESIZE, 0, 1);
  SendMessageA(slider, TBM_SETPOS, TRUE, stored);
  HWND gauge = GetDlgItem(dialog, IDC_TRANSPARENT_GAUGE);
  SendMessageA(gauge, PBM_SETRANGE, 0, MAKELPARAM(kSliderMin, kSliderMax));
  SendMessageA(gauge, PBM_SETSTEP, 1, 0);
  SendMessageA(gauge, PBM_SETPOS, stored, 0);
  return TRUE;
}

INT_PTR OnHScroll(HWND dialog, WPARAM wp) {
  int code = LOWORD(wp);
  if (code != TB_THUMBTRACK && code != TB_ENDTRACK) return TRUE;
  BYTE level = (BYTE)SendDlgItemMessageA(dialog, IDC_TRANSPARENT_SLIDER, TBM_GETPOS, 0, 0);
  ApplyWindowTransparency(g_mainWindow, level);
  SendDlgItemMessageA(dialog, IDC_TRANSPARENT_GAUGE, PBM_SETPOS, level, 0);
  SetLevelTitle(dialog, level);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wp) {
  switch (LOWORD(wp)) {
    case IDOK: {
      int level = (int)SendDlgItemMessageA(dialog, IDC_TRANSPARENT_SLIDER, TBM_GETPOS, 0, 0);
      WriteSettingsInt("OPTIONS", "Transparent", level, g_paths.settingsFile);
      EndDialog(dialog, IDOK);
      break;
    }
    case IDCANCEL:
      ApplyWindowTransparency(g_mainWindow, StoredLevel());
      EndDialog(dialog, IDCANCEL);
      break;
  }
  return TRUE;
}

INT_PTR CALLBACK TransparencyDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_HSCROLL: return OnHScroll(dialog, wp);
    case WM_COMMAND: return OnCommand(dialog, wp);
  }
  return FALSE;
}
}  // namespace

int ApplyWindowTransparency(HWND window, BYTE level) {
  if (level == 100) return 100;
  HMODULE user = LoadLibraryA("USER32.DLL");
  if (!user) return 0;
  SetLayeredFn setLayered = (SetLayeredFn)(void*)GetProcAddress(user, "SetLayeredWindowAttributes");
  int result = setLayered ? ApplyWith(window, level, setLayered) : 0;
  // The library reference is given back on every road, not only on success.
  FreeLibrary(user);
  return result;
}

INT_PTR ShowTransparencyDialog() {
  return DialogBoxParamA(g_instance, "IDD_TRANSPARENT", g_mainWindow, TransparencyDialogProc, 0);
}
