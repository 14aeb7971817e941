// Numeric keys for the Played and Size columns, so that 9 sorts before 10 and
// 900.0 KB before 1.0 MB.
#include "catalogue/column_order.h"
#include "catalogue/row_order.h"
#include <algorithm>

namespace {

const long long kDigitsMax = 999999999999999LL;  // 15 digits: far beyond any count or size
const long long kUnitStep = 100000000000000000LL;  // 10^17: above any capped number of tenths

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Leading digits as a number; a longer one counts as kDigitsMax, so that the
// order stays that of the numbers. Moves `p` past them.
long long ReadDigits(const char*& p) {
  long long n = 0;
  for (; IsDigit(*p); ++p) n = std::min(n * 10 + (*p - '0'), kDigitsMax);
  return n;
}

int UnitRank(char c) {
  switch (c) {
    case 'b': case 'B': return 0;  // "bytes"
    case 'k': case 'K': return 1;
    case 'm': case 'M': return 2;
    case 'g': case 'G': return 3;
  }
  return -1;
}

int Sign(long long d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

long long NumberKey(const char* text, ColumnOrder order) {
  return order == kOrderCount ? CountSortKey(text) : SizeSortKey(text);
}

}  // namespace

ColumnOrder GameColumnOrder(bool gameList, int column) {
  if (!gameList) return kOrderText;
  if (column == 1) return kOrderCount;
  if (column == 7) return kOrderSize;
  return kOrderText;
}

long long CountSortKey(const char* text) {
  if (!text) return 0;
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  long long n = ReadDigits(p);
  return negative ? -n : n;
}

long long SizeSortKey(const char* text) {
  if (!text) return -1;
  const char* p = text;
  if (!IsDigit(*p)) return -1;
  long long tenths = ReadDigits(p) * 10;
  if (*p == '.') {
    ++p;
    if (IsDigit(*p)) tenths += *p - '0';
    while (IsDigit(*p)) ++p;
  }
  while (*p == ' ') ++p;
  int rank = UnitRank(*p);
  if (rank < 0) return -1;
  // The unit follows from the size's thresholds, so every K size is below every M size.
  return rank * kUnitStep + tenths;
}

int CompareColumnTexts(const char* a, const char* b, ColumnOrder order, int direction) {
  if (order == kOrderText) return CompareInDirection(a, b, direction);
  int r = Sign(NumberKey(a, order) - NumberKey(b, order));
  return direction == 1 ? r : -r;
}

std::vector<int> SortedColumnOrder(const std::vector<std::string>& texts, ColumnOrder order, int direction) {
  if (order == kOrderText) return SortedRowOrder(texts, direction);
  std::vector<long long> keys(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) keys[i] = NumberKey(texts[i].c_str(), order);
  std::vector<int> rows(texts.size());
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = (int)i;
  std::stable_sort(rows.begin(), rows.end(), [&](int l, int r) {
    return direction == 1 ? keys[l] < keys[r] : keys[l] > keys[r];
  });
  return rows;
}
