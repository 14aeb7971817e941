// Column sort order: the callback's comparison applied in memory, stably.
#include "catalogue/row_order.h"
#include <algorithm>

static inline int FoldLowerByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

int CompareCellTexts(const char* a, const char* b) {
  const unsigned char* x = (const unsigned char*)(a ? a : "");
  const unsigned char* y = (const unsigned char*)(b ? b : "");
  for (int i = 0; i < kSortTextSize - 1; ++i) {
    int cx = FoldLowerByte(x[i]), cy = FoldLowerByte(y[i]);
    if (cx != cy) return cx - cy;
    if (cx == 0) return 0;
  }
  return 0;
}

int CompareInDirection(const char* a, const char* b, int direction) {
  int r = CompareCellTexts(a, b);
  return direction == 1 ? r : -r;
}

std::vector<int> SortedRowOrder(const std::vector<std::string>& keys, int direction) {
  std::vector<int> order(keys.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = (int)i;
  std::stable_sort(order.begin(), order.end(), [&](int l, int r) {
    return CompareInDirection(keys[l].c_str(), keys[r].c_str(), direction) < 0;
  });
  return order;
}
