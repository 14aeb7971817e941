// The splash screen: a picture window with one text line at its bottom, on a
// thread of its own so that it keeps painting while start-up is busy. Any
// thread may call these with the splash window's handle; a handle that is no
// longer a window is ignored.
#pragma once
#include <windows.h>

// Private messages of the splash window.
enum {
  WM_SPLASH_CLOSE = WM_USER,           // wParam 0, lParam 0: destroys the window
  WM_SPLASH_SETTEXTCOLOUR = WM_USER + 1  // wParam COLORREF, lParam non-zero: repaint now
};

// Opens the splash on a new thread with its own copy of `picture` (the caller
// may free its block at once); a non-zero `displayTime` (ms) closes it by
// itself. Returns the window, or null when it could not be made.
HWND CreateSplashScreen(HINSTANCE instance, HGLOBAL picture, UINT displayTime);
// These two wait until the splash thread has handled them.
void SetSplashText(HWND splash, const char* text);
void SetSplashTextColour(HWND splash, COLORREF colour, BOOL repaint);
// Asks the splash to close and returns at once.
void CloseSplashScreen(HWND splash);
