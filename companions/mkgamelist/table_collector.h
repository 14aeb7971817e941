// Gathers the rows of the table from the machines as they are read, and
// counts what is left out and why, keeping a few names to show.
#pragma once
#include <string>
#include <vector>
#include "companions/mkgamelist/machine_row.h"

enum {
  kNamedLeftOut = 5,      // short names shown of those left out
  kMaxRows = 200000,      // about five times today's emulator; bounds the memory
};

class TableCollector {
 public:
  TableCollector();
  // False once kMaxRows rows are held and another one would be needed.
  bool Add(const MachineFacts& m);
  // Sorts the rows into table order.
  void Finish();

  const std::vector<GameRow>& rows() const { return rows_; }
  long count(Verdict v) const { return counts_[v]; }
  long machines() const { return machines_; }
  // Short names (as the table's code page shows them) of the first machines
  // left out for a too long short name, at most kNamedLeftOut.
  const std::vector<std::string>& namedLongOnes() const { return named_; }

 private:
  std::vector<GameRow> rows_;
  long counts_[kVerdictBadShortName + 1] = {};
  long machines_ = 0;
  std::vector<std::string> named_;
};
