// The whole docs\gamelist.txt as the emulator once shipped it: free text, the
// rule line, the two-line heading, the rows, the closing rule and the two
// footnote lines. Lines end in CR LF.
#pragma once
#include <cstdio>
#include "companions/mkgamelist/machine_row.h"

// `build` is the emulator's own version text (already in code page 1252, may
// be empty). False when a write failed.
bool WriteGameListDocument(FILE* f, const char* build, const GameRow* rows, size_t count);
