// Stand-in until this module is built.
#include "preview/advice_win.h"
void LoadTextIntoControl(const char*, int, HWND) {}
INT_PTR ShowAdviceDialog() { return 0; }
