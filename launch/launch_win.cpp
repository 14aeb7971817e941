// Game starts, the emulator on its own and the verification in a console. A
// game start is watched for its first seconds (launch/start_watch_win.h); the
// emulator alone and the verification are left to themselves.
#include "launch/launch_win.h"
#include "launch/cmd_safe.h"
#include "launch/compose.h"
#include "launch/options_win.h"
#include "launch/run_count_win.h"
#include "launch/start_watch_win.h"
#include "catalogue/listview_win.h"
#include "preview/advice_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include <shellapi.h>
#include <cstdio>
#include <cstring>

namespace {

void WarnEmulatorMissing() {
  char text[260], caption[260];
  CopyText(text, sizeof text, GetLanguageString(97));
  CopyText(caption, sizeof caption, GetLanguageString(98));
  MessageBoxA(g_mainWindow, text, caption, MB_ICONWARNING);
  ShowAdviceDialog();
}

// Asks the shell to start the emulator; true when it did. `process` is the
// emulator's process, or null where the shell gives none.
bool StartEmulator(const char* parameters, HANDLE* process) {
  SHELLEXECUTEINFOA run = {};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOCLOSEPROCESS;
  run.hwnd = g_mainWindow;
  run.lpVerb = "open";
  run.lpFile = g_paths.emulator;
  run.lpParameters = parameters;
  run.lpDirectory = g_paths.programFolder;
  run.nShow = SW_SHOW;
  bool started = ShellExecuteExA(&run) && (INT_PTR)run.hInstApp > 32;
  *process = started ? run.hProcess : NULL;
  if (!started && run.hProcess) CloseHandle(run.hProcess);
  return started;
}

}  // namespace

void StartGame(int item) {
  HWND list = MainList(IDC_INSTALLED_LIST);
  char shortName[kPathSize] = "", gameName[kPathSize] = "";
  if (item >= 0) {
    GetListText(list, item, 6, shortName, sizeof shortName);
    GetListText(list, item, 0, gameName, sizeof gameName);
  }
  char parameters[kLaunchBufferSize];
  CopyText(parameters, sizeof parameters, shortName);
  AppendEmulatorOptions(parameters, sizeof parameters);
  if (!EmulatorPresent()) {
    WarnEmulatorMissing();
    return;
  }
  // Only a start the shell took counts.
  HANDLE process;
  if (!StartEmulator(parameters, &process)) return;
  StartedGame game = {shortName, gameName, parameters + strlen(shortName), false};
  if (shortName[0]) ShowRunCount(shortName, RaiseRunCounter(shortName, &game.counted));
  WatchStart(process, game);
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
