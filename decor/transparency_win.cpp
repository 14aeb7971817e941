// Stand-in until this module is built.
#include "decor/transparency_win.h"
int ApplyWindowTransparency(HWND, BYTE) { return 0; }
INT_PTR ShowTransparencyDialog() { return 0; }
