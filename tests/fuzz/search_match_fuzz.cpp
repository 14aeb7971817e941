// Search matching and the sort comparison: the folded substring test agrees
// with a plain search on upper-cased copies and reads neither text past its
// end; the comparison is antisymmetric and the sort order a stable permutation.
#include "catalogue/row_order.h"
#include "catalogue/search_match.h"
#include "tests/fuzz/fuzz_input.h"
#include <algorithm>

static std::string Upper(const std::string& s) {
  std::string f = s;
  for (char& c : f)
    if (c >= 'a' && c <= 'z') c = (char)(c - 32);
  return f;
}

static int Sign(int v) { return (v > 0) - (v < 0); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  int direction = in.Flag() ? 1 : -1;
  ExactText needle(in.Text());
  ExactText text(in.Text());

  bool found = TextContainsFolded(text.c_str(), needle.c_str());
  FUZZ_CHECK(found == (Upper(text.c_str()).find(Upper(needle.c_str())) != std::string::npos));
  FUZZ_CHECK(TextContainsFolded(text.c_str(), ""));
  FUZZ_CHECK(TextContainsFolded(text.c_str(), text.c_str()));

  // The comparison looks at 199 characters, folds A to Z, compares unsigned bytes.
  int c1 = CompareCellTexts(text.c_str(), needle.c_str());
  int c2 = CompareCellTexts(needle.c_str(), text.c_str());
  FUZZ_CHECK(Sign(c1) == -Sign(c2));
  std::string a = std::string(text.c_str()).substr(0, kSortTextSize - 1);
  std::string b = std::string(needle.c_str()).substr(0, kSortTextSize - 1);
  for (char& c : a) if (c >= 'A' && c <= 'Z') c = (char)(c + 32);
  for (char& c : b) if (c >= 'A' && c <= 'Z') c = (char)(c + 32);
  FUZZ_CHECK(Sign(c1) == Sign(a.compare(b)));  // std::string compares as unsigned char
  FUZZ_CHECK(CompareInDirection(text.c_str(), needle.c_str(), direction) == (direction == 1 ? c1 : -c1));

  std::vector<std::string> keys;
  while (in.Left() && keys.size() < 64) keys.push_back(in.Text(300));
  std::vector<int> order = SortedRowOrder(keys, direction);
  FUZZ_CHECK(order.size() == keys.size());
  std::vector<int> seen(order);
  std::sort(seen.begin(), seen.end());
  for (size_t i = 0; i < seen.size(); ++i) FUZZ_CHECK(seen[i] == (int)i);
  for (size_t i = 1; i < order.size(); ++i) {
    int c = CompareInDirection(keys[order[i - 1]].c_str(), keys[order[i]].c_str(), direction);
    FUZZ_CHECK(c <= 0);
    if (c == 0) FUZZ_CHECK(order[i - 1] < order[i]);  // equal rows keep their order
  }
  return 0;
}
