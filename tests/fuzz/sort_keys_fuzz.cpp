// The numeric sorts of the Played and Size columns against plain references of
// their order. A count text stands for its sign and leading digits after any
// blanks (0 without digits; numbers of more than 15 digits all alike); a size
// text made by the size formatter stands for the size it was made from, and an
// empty or foreign text (one not beginning with a digit) goes before them all.
// Both the comparison and the stable sort must follow the references, in
// either direction.
// Input: texts from the front (count texts, and foreign size texts); from the
// back the direction, then up to 16 sizes, each a width in bits (-1 for a
// folder) and, for a width of 1 or more, 8 bytes cut to that width.
#include "catalogue/column_order.h"
#include "catalogue/file_size_text.h"
#include "tests/fuzz/fuzz_input.h"
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

int Sign(long long v) { return (v > 0) - (v < 0); }

bool Digit(char c) { return c >= '0' && c <= '9'; }

// The number a count text stands for, as a sign and a digit string without
// leading zeros (numbers beyond 15 digits made the largest of 15).
struct Count {
  bool negative;
  std::string digits;
};

Count CountOf(const std::string& text) {
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) i = text.size();
  bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  size_t end = i;
  while (end < text.size() && Digit(text[end])) ++end;
  std::string digits = text.substr(i, end - i);
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.size() > 15) digits.assign(15, '9');
  return {negative && !digits.empty(), digits};
}

int CompareCounts(const std::string& a, const std::string& b) {
  Count x = CountOf(a), y = CountOf(b);
  if (x.negative != y.negative) return x.negative ? -1 : 1;
  int magnitude = x.digits.size() != y.digits.size() ? (x.digits.size() < y.digits.size() ? -1 : 1)
                                                     : Sign(x.digits.compare(y.digits));
  return x.negative ? -magnitude : magnitude;
}

struct SizeEntry {
  std::string text;
  long long size;  // -1: a foreign text
};

int CompareSizes(const SizeEntry& a, const SizeEntry& b) {
  if (a.size < 0 || b.size < 0) return (a.size >= 0) - (b.size >= 0);
  if (a.text == b.text) return 0;  // texts are cut to tenths: neighbours tie
  return a.size < b.size ? -1 : 1;
}

// The comparison and the sort of `texts` follow `reference`.
void CheckOrder(const std::vector<std::string>& texts, ColumnOrder order, int direction,
                const std::function<int(size_t, size_t)>& reference) {
  auto want = [&](size_t i, size_t j) { return direction == 1 ? reference(i, j) : -reference(i, j); };
  std::vector<ExactText> exact;
  for (const std::string& t : texts) exact.emplace_back(t);
  for (size_t i = 0; i < texts.size(); ++i) {
    for (size_t j = 0; j < texts.size(); ++j) {
      FUZZ_CHECK(Sign(CompareColumnTexts(exact[i].c_str(), exact[j].c_str(), order, direction)) == want(i, j));
    }
  }
  std::vector<int> sorted = SortedColumnOrder(texts, order, direction);
  FUZZ_CHECK(sorted.size() == texts.size());
  std::vector<int> seen(sorted);
  std::sort(seen.begin(), seen.end());
  for (size_t i = 0; i < seen.size(); ++i) FUZZ_CHECK(seen[i] == (int)i);
  for (size_t i = 1; i < sorted.size(); ++i) {
    int c = want((size_t)sorted[i - 1], (size_t)sorted[i]);
    FUZZ_CHECK(c <= 0);
    if (c == 0) FUZZ_CHECK(sorted[i - 1] < sorted[i]);  // equal rows keep their order
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  int direction = in.Flag() ? 1 : 0;
  std::vector<SizeEntry> sizes;
  for (int i = 0, n = (int)in.Range(0, 16); i < n; ++i) {
    int bits = (int)in.Range(-1, 63);
    long long length = bits < 0 ? -1 : bits == 0 ? 0 : (long long)(in.U64() & ((1ULL << bits) - 1));
    sizes.push_back({FormatFileSize(length), length});
  }
  std::vector<std::string> texts;
  while (in.Left() && texts.size() < 32) texts.push_back(in.Text(40));

  CheckOrder(texts, kOrderCount, direction,
             [&](size_t i, size_t j) { return CompareCounts(texts[i], texts[j]); });

  for (const std::string& t : texts)
    if (t.empty() || !Digit(t[0])) sizes.push_back({t, -1});
  std::vector<std::string> sizeTexts;
  for (const SizeEntry& e : sizes) sizeTexts.push_back(e.text);
  CheckOrder(sizeTexts, kOrderSize, direction,
             [&](size_t i, size_t j) { return CompareSizes(sizes[i], sizes[j]); });
  return 0;
}
