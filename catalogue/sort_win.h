// Column sorting of the game lists and the search dialog.
#pragma once
#include <windows.h>
// Sorts one list by one column in the current direction, then toggles the
// direction (shared by all lists and columns, ascending first).
void SortListByColumn(HWND list, int column);
// The first sort: lists 302, 305 and 306 by column 0, ascending; the direction
// flag is left as it is. Lists the start-up scan filled in order (see
// catalogue/sort_notes_win.h) only have their row states moved.
void SortListsAtStartup();
// The comparison of two rows of the list being sorted by the sort column:
// _stricmp of their first 199 characters, negated unless direction is 1.
int CALLBACK CompareListRows(LPARAM row1, LPARAM row2, LPARAM direction);
// Command 526: the modal IDD_SEARCH dialog.
INT_PTR ShowSearchDialog();
INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
