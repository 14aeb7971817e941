// The file a row of the installed-games list stands for (an archive of any
// kind, or a folder), kept as the row's item data: a short name cannot tell
// abc.zip from abc.7z or a folder abc. The list owns the text; it is freed when
// the row goes (LVN_DELETEITEM), so the lists stay the only lasting store.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Gives `row` a copy of `path`; false (and nothing kept) when that fails.
bool SetRowFile(HWND list, int row, const char* path);
// A copy of `path` to give a row as its item data when it is inserted (0 for
// an empty path), and its release when the insertion failed. Setting the data
// afterwards costs three more messages a row, noticeable at 40,000 rows.
LPARAM NewRowFile(const char* path);
void FreeRowFile(LPARAM file);
// The row's file, or an empty text when it has none.
void GetRowFile(HWND list, int row, char* out, size_t size);
// LVN_DELETEITEM of the installed-games list: frees the row's text.
void ReleaseRowFile(const NMLISTVIEW* deleted);
// Item data as a value, for code that moves rows' contents (the sort).
LPARAM GetRowData(HWND list, int row);
void SetRowData(HWND list, int row, LPARAM data);
