// Process entry: the command line's arguments are skipped and ignored.
#include "shell/app_win.h"
#include "shell/command_line.h"
#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  SkipProgramName(GetCommandLineA());
  exit(RunVintor(instance));
}
