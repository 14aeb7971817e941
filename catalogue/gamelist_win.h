// Fills the supported-games list (302) from docs\gamelist.txt.
#pragma once
#include <windows.h>
#include "catalogue/gamelist_parse.h"
#include "catalogue/list_redraw_win.h"

void LoadGameListDocument();

// Row helpers shared by the loader, the scan and the sort.
// Inserts a row at `index` (text, image 0, state 0, item data `data` when not
// 0) and sets columns 1 to columns - 1; null texts are left unset. Returns the
// row's index, or -1.
int InsertListRow(HWND list, int index, const char* const* texts, int columns, LPARAM data = 0);
// The eight texts of a supported-games row for a document row (column 1 and 7 given).
void DocumentRowTexts(const DocumentRow& row, const char* counter, const char* size, const char* texts[8]);
