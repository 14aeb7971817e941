// Stand-in until this module is built.
#include "decor/splash_win.h"
HWND CreateSplashScreen(HINSTANCE, HGLOBAL, UINT) { return NULL; }
void SetSplashText(HWND, const char*) {}
void SetSplashTextColour(HWND, COLORREF, BOOL) {}
void CloseSplashScreen(HWND) {}
