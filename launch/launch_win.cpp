// Game starts, the emulator on its own and the verification in a console. The
// shell is asked to start the program and the front end forgets it: ShellExecuteA
// hands back no process handle, so there is nothing to hold or release.
#include "launch/launch_win.h"
#include "launch/cmd_safe.h"
#include "launch/compose.h"
#include "launch/options_win.h"
#include "catalogue/listview_win.h"
#include "preview/advice_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include <shellapi.h>
#include <cstdio>
#include <cstring>

namespace {

// Raises Runs of the game's counter file and returns the count the file holds
// afterwards: the old one when it could not be written (a read-only or locked
// file, no winis\ folder), 0 when there is none. No short name, no counter.
int RaiseRunCounter(const char* shortName) {
  char path[kPathSize];
  if (!CounterFilePath(g_paths.counterFolder, shortName, path, sizeof path)) return 0;
  int runs = NextRunCount((int)GetPrivateProfileIntA("OPTIONS", "Runs", 0, path));
  WriteSettingsInt("OPTIONS", "Runs", runs, path);
  return (int)GetPrivateProfileIntA("OPTIONS", "Runs", 0, path);
}

void WarnEmulatorMissing() {
  char text[260], caption[260];
  CopyText(text, sizeof text, GetLanguageString(97));
  CopyText(caption, sizeof caption, GetLanguageString(98));
  MessageBoxA(g_mainWindow, text, caption, MB_ICONWARNING);
  ShowAdviceDialog();
}

}  // namespace

void StartGame(int item) {
  HWND list = MainList(IDC_INSTALLED_LIST);
  char shortName[kPathSize] = "";
  if (item >= 0) GetListText(list, item, 6, shortName, sizeof shortName);
  char parameters[kLaunchBufferSize];
  CopyText(parameters, sizeof parameters, shortName);
  AppendEmulatorOptions(parameters, sizeof parameters);
  if (!EmulatorPresent()) {
    WarnEmulatorMissing();
    return;
  }
  // Only a start the shell took counts; ShellExecuteA reports success above 32.
  INT_PTR started = (INT_PTR)ShellExecuteA(g_mainWindow, "open", g_paths.emulator, parameters,
                                           g_paths.programFolder, SW_SHOW);
  if (started <= 32 || !shortName[0]) return;
  char count[16];
  snprintf(count, sizeof count, "%d", RaiseRunCounter(shortName));
  // The shell may have let a rescan move the rows meanwhile: write only to the game's own row.
  char now[kPathSize];
  GetListText(list, item, 6, now, sizeof now);
  if (strcmp(now, shortName) == 0) SetListText(list, item, 1, count);
}

void VerifyRoms() {
  char shortName[kPathSize] = "";
  int item = GetNextListItem(MainList(IDC_INSTALLED_LIST), LVNI_SELECTED);
  if (item >= 0) GetListText(MainList(IDC_INSTALLED_LIST), item, 6, shortName, sizeof shortName);
  char parameters[1024];
  // A name that cmd would read as more than a name starts nothing.
  if (!ComposeVerifyParameters(shortName, parameters, sizeof parameters)) return;
  ShellExecuteA(g_mainWindow, "open", "cmd", parameters, g_paths.programFolder, SW_SHOW);
}

void StartEmulatorAlone() {
  char emulator[kPathSize];
  CopyText(emulator, sizeof emulator, g_paths.programFolder);
  AppendText(emulator, sizeof emulator, "\\mame.exe");
  ShellExecuteA(g_mainWindow, "open", emulator, "", g_paths.programFolder, SW_SHOW);
}
