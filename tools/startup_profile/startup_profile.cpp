// The program's own start-up with a sink for its stage marks: prints, per
// stage, the milliseconds it took and the milliseconds since the process was
// created, then runs the message loop as the program does.
// Usage: copy next to vintor.exe in an installation and run it there.
#include "shell/app_win.h"
#include "shell/startup_marks.h"
#include <cstdio>

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

int main() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  g_created = (double)(((unsigned long long)created.dwHighDateTime << 32) | created.dwLowDateTime) / 10000.0;
  g_last = g_created;
  g_startupMarkSink = PrintMark;
  return RunVintor(GetModuleHandleA(NULL));
}
