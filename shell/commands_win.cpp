// Stand-in until this module is built.
#include "shell/commands_win.h"
void HandleCommand(HWND window, int id, HWND, int) { if (id == 500) PostMessageA(window, WM_CLOSE, 0, 0); }
