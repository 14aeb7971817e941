// Puts the finished table in place: written whole to "<document>.new", then
// moved over the document, the former one kept as "<document>.bak".
#pragma once
#include "companions/common/replace_file_win.h"
#include "companions/mkgamelist/machine_row.h"

// `docs` is the document's folder, made if missing. False after a one-line
// message that says where the old document is (almost always: as it was).
// `backedUp` tells whether a former document is now "<document>.bak"; where
// it went elsewhere, a line has said so.
bool WriteDocumentFile(const char* docs, const char* document, const char* build, const GameRow* rows,
                       size_t count, bool* backedUp, const FileMoves& moves = kPlatformMoves);
