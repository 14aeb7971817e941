// The whole docs\gamelist.txt in the form the emulator once shipped it: free
// text, the rule line, a heading with the column names of Vintor's game pages,
// the rows, the closing rule and the footnote of the "(2)" mark. Lines end in
// CR LF. The wide table, for short names longer than 9 characters, differs
// only in its last column.
#pragma once
#include <cstdio>
#include "companions/mkgamelist/machine_row.h"

// `build` is the emulator's own version text (already in code page 1252, may
// be empty). The rows are all of one width (TableCollector::Finish), which
// chooses the table: 87 characters the wide one, 79 the classic one. False
// when a write failed.
bool WriteGameListDocument(FILE* f, const char* build, const GameRow* rows, size_t count);
