// The table in memory: 88 bytes a row, about 3.5 MB for today's emulator.
#include "companions/mkgamelist/table_collector.h"

TableCollector::TableCollector(size_t expectedRows) { rows_.reserve(expectedRows); }

bool TableCollector::Add(const MachineFacts& m) {
  ++machines_;
  Verdict v = JudgeMachine(m);
  ++counts_[v];
  if (v != kVerdictRow) return true;
  if (rows_.size() >= kMaxRows) return false;
  GameRow row;
  ComposeRow(m, &row);
  if (NeedsWideTable(row)) ++longNames_;
  rows_.push_back(row);
  return true;
}

void TableCollector::Finish() {
  SortRows(rows_.data(), rows_.size());
  if (!wide())
    for (GameRow& row : rows_) NarrowRow(&row);
}
