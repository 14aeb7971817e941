// The splash screen on its own thread.
#pragma once
#include <windows.h>
HWND CreateSplashScreen(HINSTANCE instance, HGLOBAL picture, UINT displayTime);
void SetSplashText(HWND splash, const char* text);
void SetSplashTextColour(HWND splash, COLORREF colour, BOOL repaint);
void CloseSplashScreen(HWND splash);
