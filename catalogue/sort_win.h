// Column sorting of the game lists and the search dialog.
#pragma once
#include <windows.h>
void SortListByColumn(HWND list, int column);
void SortListsAtStartup();
INT_PTR ShowSearchDialog();
