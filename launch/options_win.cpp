// Stand-in until this module is built.
#include "launch/options_win.h"
void LoadEmulatorOptions() {}
DWORD WINAPI SaveEmulatorOptions(LPVOID) { return 0; }
void AppendEmulatorOptions(char*, size_t) {}
