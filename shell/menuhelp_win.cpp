// Stand-in until this module is built.
#include "shell/menuhelp_win.h"
void HandleMenuSelect(WPARAM, LPARAM) {}
