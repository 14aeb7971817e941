// The watch of a game start and the report of a refused one. Each start has
// a small thread that waits for the emulator at most kStartWatchMs and then
// ends; a refusal goes to the user-interface thread as a posted message. The
// threads are never waited for: when Vintor closes, they end with it.
#include "launch/start_watch_win.h"
#include "launch/compose.h"
#include "launch/refusal.h"
#include "launch/run_count_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include <cstring>

namespace {

struct Watch {
  HANDLE process;
  char shortName[kPathSize];
  char gameName[kPathSize];
  char options[kLaunchBufferSize];
  bool counted;
  DWORD exitCode;
};

DWORD WINAPI WatchThread(LPVOID parameter) {
  Watch* w = (Watch*)parameter;
  bool ended = WaitForSingleObject(w->process, kStartWatchMs) == WAIT_OBJECT_0;
  if (ended && !GetExitCodeProcess(w->process, &w->exitCode)) ended = false;
  CloseHandle(w->process);
  w->process = NULL;
  // Vintor may be closing: then nobody takes the message, and the watch goes with it.
  if (!IsRefusedStart(ended, w->exitCode) || !PostMessageA(g_mainWindow, WM_APP_START_REFUSED, 0, (LPARAM)w))
    delete w;
  return 0;
}

// A language text into a buffer of our own: the language reader's buffer is
// overwritten by its next call.
void LanguageText(char* out, size_t outSize, const RefusalReason& text) {
  CopyText(out, outSize, GetLanguageString(text.key, text.english));
}

void TellRefusal(const Watch& w) {
  char caption[260], intro[1024], reason[1024], noOptions[1024], notCounted[1024];
  LanguageText(caption, sizeof caption, kRefusalCaption);
  LanguageText(intro, sizeof intro, kRefusalIntro);
  LanguageText(reason, sizeof reason, RefusalReasonFor(w.exitCode));
  LanguageText(noOptions, sizeof noOptions, kRefusalNoOptions);
  LanguageText(notCounted, sizeof notCounted, kRefusalNotCounted);
  RefusalTexts texts = {intro, reason, noOptions, notCounted};
  char message[8192];
  ComposeRefusalMessage(message, sizeof message, texts, w.gameName, w.shortName, w.exitCode, w.options, w.counted);
  MessageBoxA(g_mainWindow, message, caption, MB_ICONWARNING);
}

}  // namespace

void WatchStart(HANDLE process, const StartedGame& game) {
  if (!process) return;
  Watch* w = new Watch();
  w->process = process;
  CopyText(w->shortName, sizeof w->shortName, game.shortName);
  CopyText(w->gameName, sizeof w->gameName, game.gameName);
  CopyText(w->options, sizeof w->options, game.options);
  w->counted = game.counted;
  HANDLE thread = CreateThread(NULL, 0, WatchThread, w, 0, NULL);
  if (thread) {
    CloseHandle(thread);
    return;
  }
  CloseHandle(process);  // no thread to be had: the start stays counted, unwatched
  delete w;
}

LRESULT HandleRefusedStart(LPARAM lParam) {
  Watch* w = (Watch*)lParam;
  if (!w) return 0;
  // The count goes back before the user is told, so the lists agree with the message.
  if (w->counted) ShowRunCount(w->shortName, TakeBackRunCounter(w->shortName));
  TellRefusal(*w);
  delete w;
  return 0;
}
