// The two ways a short name is read: from the document's field and from a file title.
#include "catalogue/short_name.h"
#include <cstring>

void ShortNameFromDocumentField(const char* field, char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  out[0] = 0;
  if (!field || !field[0]) return;  // an empty cell has no first character to drop
  size_t o = 0;
  for (const char* p = field + 1; *p && *p != ' ' && o + 1 < outSize; ++p) out[o++] = *p;
  out[o] = 0;
}

void ShortNameFromTitle(const char* title, char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  out[0] = 0;
  if (!title) return;
  const char* dot = strrchr(title, '.');
  size_t n = dot ? (size_t)(dot - title) : strlen(title);
  if (n >= outSize) n = outSize - 1;
  for (size_t i = 0; i < n; ++i) {
    char c = title[i];
    out[i] = (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
  }
  out[n] = 0;
}
