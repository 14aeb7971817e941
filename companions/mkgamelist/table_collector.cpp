// The table in memory: 80 bytes a row, about 3 MB for today's emulator.
#include "companions/mkgamelist/table_collector.h"

TableCollector::TableCollector() { rows_.reserve(50000); }

bool TableCollector::Add(const MachineFacts& m) {
  ++machines_;
  Verdict v = JudgeMachine(m);
  ++counts_[v];
  if (v == kVerdictLongShortName && named_.size() < kNamedLeftOut) {
    char name[kKeptShortUnits + 4];
    size_t n = ToCodePage1252(m.shortName, kKeptShortUnits < m.shortNameLength ? kKeptShortUnits : m.shortNameLength,
                              name, sizeof name);
    std::string shown(name, n);
    if (m.shortNameLength > kKeptShortUnits) shown += "...";
    named_.push_back(shown);
  }
  if (v != kVerdictRow) return true;
  if (rows_.size() >= kMaxRows) return false;
  GameRow row;
  ComposeRow(m, &row);
  rows_.push_back(row);
  return true;
}

void TableCollector::Finish() { SortRows(rows_.data(), rows_.size()); }
