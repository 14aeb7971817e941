// The three game lists (302, 305, 306) and the list counters.
#pragma once
#include <windows.h>
// Creates list view 302, 305 or 306 with its styles, image list and columns.
HWND CreateGameList(HWND parent, int id);
// The last row of the supported-games list whose short name is `shortName`
// (letters folded), or -1.
int FindDocumentRow(const char* shortName);
// The three counters of the status bar, from the lists' row counts.
void UpdateListCounters();
