// The program's own start-up with a sink for its stage marks: prints, per
// stage, the milliseconds it took and the milliseconds since the process was
// created, then runs the message loop as the program does.
// Usage: copy next to vintor.exe in an installation and run it there.
#include "shell/app_win.h"
#include "shell/startup_marks.h"
#include <cstdio>
#include <cstring>
#include <thread>

static double g_created;  // ms, on the clock of GetSystemTimeAsFileTime
static double g_last;

static double NowMs() {
  FILETIME t;
  GetSystemTimeAsFileTime(&t);
  return (double)(((unsigned long long)t.dwHighDateTime << 32) | t.dwLowDateTime) / 10000.0;
}

static void PrintMark(const char* stage) {
  double now = NowMs();
  printf("mark %-28s %8.1f %8.1f\n", stage, now - g_last, now - g_created);
  fflush(stdout);
  g_last = now;
}

// Once the message loop runs: the answers to WM_NULL from another thread, as
// the benchmark asks them; the slow ones (the first paints) and the moment of
// five quick answers in a row become marks of their own.
static void WatchAnswers() {
  int quick = 0;
  for (int tries = 0; tries < 2000 && quick < 5; ++tries) {
    double sent = NowMs();
    DWORD_PTR result;
    SendMessageTimeoutA(g_mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
    bool fast = NowMs() - sent < 50;
    quick = fast ? quick + 1 : 0;
    if (!fast) PrintMark("loop: a slow answer");
    Sleep(1);
  }
  PrintMark("loop: five quick answers");
}

static void MarkAndWatch(const char* stage) {
  PrintMark(stage);
  if (strcmp(stage, "message loop") == 0) std::thread(WatchAnswers).detach();
}

int main() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  g_created = (double)(((unsigned long long)created.dwHighDateTime << 32) | created.dwLowDateTime) / 10000.0;
  g_last = g_created;
  g_startupMarkSink = MarkAndWatch;
  return RunVintor(GetModuleHandleA(NULL));
}
