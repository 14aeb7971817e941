// Stand-in until this module is built.
#include "shell/gameinfo_win.h"
void ShowGameInfo(HWND, int) {}
void UpdateSelectedGameInfo() {}
void RestoreStatusText() {}
