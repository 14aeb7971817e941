// Puts the finished table in place: written whole to "<document>.new", then
// moved over the document, the former one kept as "<document>.bak".
#pragma once
#include "companions/mkgamelist/machine_row.h"

// `docs` is the document's folder, made if missing. False after a one-line
// message; the old document is then as it was.
bool WriteDocumentFile(const char* docs, const char* document, const char* build, const GameRow* rows,
                       size_t count);
