// Case-folded substring test, a to z only, so other bytes never match loosely.
#include "catalogue/search_match.h"

static inline unsigned char Upper(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? (unsigned char)(c - 'a' + 'A') : c;
}

bool TextContainsFolded(const char* text, const char* needle) {
  if (!needle || !needle[0]) return true;
  if (!text) return false;
  for (const char* start = text; *start; ++start) {
    const unsigned char* t = (const unsigned char*)start;
    const unsigned char* n = (const unsigned char*)needle;
    while (*n && *t && Upper(*t) == Upper(*n)) { ++t; ++n; }
    if (!*n) return true;
    if (!*t) return false;  // the rest of the text is shorter than the needle
  }
  return false;
}
