// Short name -> supported-games row, built once for one scan so that matching
// an entry does not read every row back. It holds the names only while that
// scan runs; the lists stay the catalogue's store.
#pragma once
#include <string>
#include <unordered_map>

class DocumentLookup {
 public:
  // Rows are added in list order; a later row with the same name (case
  // ignored) replaces an earlier one, as a search from the end would find it.
  void Add(const char* shortName, int row);
  // The row whose short name equals `name` ignoring the case of A to Z, or -1.
  int Find(const char* name) const;
  void Clear() { rows_.clear(); }
  size_t Size() const { return rows_.size(); }

 private:
  std::unordered_map<std::string, int> rows_;
};

// Lower-cases A to Z only, the folding that _stricmp does in the C locale.
std::string FoldLower(const char* text);
