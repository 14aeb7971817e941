// Where the main window's context menu opens: at the pointer for the mouse, at
// the selected row for the keyboard (Shift+F10, the context-menu key).
#pragma once
#include "shell/placement.h"  // PixelRect

struct MenuPoint { int x, y; };

// The screen point of WM_CONTEXTMENU's lParam. Its words are signed: a monitor
// to the left of or above the primary one has negative coordinates.
MenuPoint ContextMenuPoint(long long packed);

// The keyboard sends the point (-1, -1).
bool IsKeyboardMenuPoint(MenuPoint p);

// For the keyboard: below the start of the selected row, or the list's top-left
// when no row is selected (row null). The point stays inside the list, so a row
// scrolled out of sight gives the list's nearest edge. Screen coordinates.
MenuPoint KeyboardMenuPoint(const PixelRect* row, PixelRect list);
