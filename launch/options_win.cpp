// The options page's controls and the settings file: loaded once at start-up,
// written back only by the saver; launches read the settings file itself.
#include "launch/options_win.h"
#include "launch/compose.h"
#include "launch/switch_boxes_win.h"
#include "launch/switch_record_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include <commctrl.h>

namespace {

int ReadStoredInt(void*, const char* key) { return ReadSettingsInt(key, 0); }

void ReadStoredText(void*, const char* key, char* out, size_t outSize) {
  if (outSize == 0) return;
  ReadSettingsText(key, "", out, (DWORD)outSize);
  out[outSize - 1] = 0;
}

// Not among the original keys: older language files fall back to the English text.
const int kSaveFailedKey = 112;
const char kSaveFailedText[] = "The emulator options could not be saved: the settings file cannot be written.";

int OptionControl(int n) { return IDC_OPTION_FIRST - 1 + n; }

HWND CreateSaveProgressBar() {
  RECT r = SaveProgressRect(g_dw, g_dh);
  return CreateWindowExA(0, PROGRESS_CLASSA, NULL, WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, g_mainWindow, (HMENU)0, g_instance, NULL);
}

}  // namespace

RECT SaveProgressRect(int dw, int dh) {
  RECT r;
  r.left = dw / 2 - dw / 5 + 426;
  r.top = dh + 374;
  r.right = r.left + dw / 5 + 73;
  r.bottom = r.top + 28;
  return r;
}

void LoadEmulatorOptions() {
  char text[kCommandLineSize] = "";
  ReadStoredText(NULL, "CommandLine", text, sizeof text);
  SetWindowTextA(GetDlgItem(g_mainWindow, IDC_COMMAND_LINE), text);
  for (int n = 1; n <= kOptionCount; ++n)
    SendDlgItemMessageA(g_mainWindow, OptionControl(n), BM_SETCHECK, (WPARAM)ReadSettingsInt(OptionKey(n), 0), 0);
  ShowSwitchRecordOnPage();
}

DWORD WINAPI SaveEmulatorOptions(LPVOID) {
  // Longer texts are cut at 259 characters: the caption and question still read.
  char caption[260], question[260];
  CopyText(caption, sizeof caption, GetLanguageString(4));
  CopyText(question, sizeof question, GetLanguageString(48));
  if (MessageBoxA(g_mainWindow, question, caption, MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;

  HWND saveButton = GetDlgItem(g_mainWindow, CMD_SAVE_OPTIONS);
  ShowWindow(saveButton, SW_HIDE);
  HWND bar = CreateSaveProgressBar();
  SendMessageA(bar, PBM_SETPOS, 0, 0);
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 10));
  SendMessageA(bar, PBM_SETSTEP, 1, 0);
  SendMessageA(bar, PBM_STEPIT, 0, 0);
  Sleep(1);

  char text[kCommandLineSize] = "";
  GetWindowTextA(GetDlgItem(g_mainWindow, IDC_COMMAND_LINE), text, sizeof text);
  text[sizeof text - 1] = 0;
  bool saved = WriteSettingsText("CommandLine", text);
  for (int n = 1; n <= kOptionCount; ++n) {
    // A box the emulator has no switch for is disabled; what is stored for it stays.
    HWND box = GetDlgItem(g_mainWindow, OptionControl(n));
    int state = (int)SendMessageA(box, BM_GETCHECK, 0, 0);
    if (IsWindowEnabled(box) && !WriteSettingsInt("OPTIONS", OptionKey(n), state, g_paths.settingsFile)) saved = false;
    SendMessageA(bar, PBM_SETPOS, (WPARAM)n, 0);
    Sleep(10);
  }

  ShowWindow(saveButton, SW_SHOW);
  DestroyWindow(bar);
  // A settings file that took nothing (read-only, locked) must not be reported
  // as saved; the page keeps what the user set, so a later save can try again.
  char done[260];
  if (saved) CopyText(done, sizeof done, GetLanguageString(49));
  else CopyText(done, sizeof done, GetLanguageString(kSaveFailedKey, kSaveFailedText));
  MessageBoxA(g_mainWindow, done, caption, saved ? MB_ICONWARNING : MB_ICONERROR);
  return 0;
}

void AppendEmulatorOptions(char* buffer, size_t bufferSize) {
  OptionsReader reader = {ReadStoredInt, ReadStoredText, NULL};
  SwitchRecord record;
  LoadSwitchRecord(&record);
  AppendOptionsText(buffer, bufferSize, reader, &record);
}
