// Small helpers around the list views, which are the catalogue's only store.
#pragma once
#include <windows.h>
#include <commctrl.h>

// LVM_GETITEMTEXTA of one cell into a caller's buffer (always terminated; an
// invalid item gives an empty text).
void GetListText(HWND list, int item, int column, char* buffer, int size);
void SetListText(HWND list, int item, int column, const char* text);
int GetListCount(HWND list);
// LVM_GETNEXTITEM from -1 with the given flags (-1 when there is none).
int GetNextListItem(HWND list, UINT flags);
// The list control of the main window with that identifier.
HWND MainList(int id);
