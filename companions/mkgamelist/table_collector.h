// Gathers the rows of the table from the machines as they are read, counts
// what is left out and why, and settles which of the two tables they need.
#pragma once
#include <vector>
#include "companions/mkgamelist/machine_row.h"

enum {
  kMaxRows = 200000,  // about five times today's emulator; bounds the memory
};

class TableCollector {
 public:
  // Room for `expectedRows` is made at once: today's emulator has about 40,000.
  explicit TableCollector(size_t expectedRows = 50000);
  // False once kMaxRows rows are held and another one would be needed.
  bool Add(const MachineFacts& m);
  // Sorts the rows into table order and, when every short name fits the
  // classic table, cuts them to its width.
  void Finish();

  const std::vector<GameRow>& rows() const { return rows_; }
  // The wide table: some short name is longer than the classic field holds.
  bool wide() const { return longNames_ > 0; }
  long longNames() const { return longNames_; }
  long count(Verdict v) const { return counts_[v]; }
  long machines() const { return machines_; }

 private:
  std::vector<GameRow> rows_;
  long counts_[kVerdictBadShortName + 1] = {};
  long machines_ = 0;
  long longNames_ = 0;
};
