// Hash lookup of short names with the folding of _stricmp.
#include "catalogue/document_lookup.h"

std::string FoldLower(const char* text) {
  std::string s = text ? text : "";
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  return s;
}

void DocumentLookup::Add(const char* shortName, int row) {
  rows_[FoldLower(shortName)] = row;
}

int DocumentLookup::Find(const char* name) const {
  auto it = rows_.find(FoldLower(name));
  return it == rows_.end() ? -1 : it->second;
}
