// Short names: the name a game is known by to the emulator.
#pragma once
#include <cstddef>

// From column 6 of the supported-games list: the document's field (10 or 18
// characters) begins with a blank; drop that first character and cut at the
// first blank.
void ShortNameFromDocumentField(const char* field, char* out, size_t outSize);

// From a ROM folder entry's display title: cut at the last '.', lower A to Z.
void ShortNameFromTitle(const char* title, char* out, size_t outSize);
