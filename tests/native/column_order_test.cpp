// Heading clicks on Played and Size order by number; the other columns by text.
#include "tests/testkit/testkit.h"
#include "catalogue/column_order.h"
#include "catalogue/file_size_text.h"
#include <string>
#include <vector>

static std::string Joined(const std::vector<std::string>& texts, const std::vector<int>& order) {
  std::string s;
  for (int i : order) s += texts[i] + ",";
  return s;
}

TEST_CASE(which_columns_sort_by_number) {
  struct { bool gameList; int column; ColumnOrder want; } rows[] = {
      {true, 0, kOrderText}, {true, 1, kOrderCount}, {true, 6, kOrderText}, {true, 7, kOrderSize},
      {false, 1, kOrderText}, {false, 3, kOrderText}, {true, -1, kOrderText}, {true, 8, kOrderText},
  };
  for (auto& r : rows) CHECK_EQ((int)GameColumnOrder(r.gameList, r.column), (int)r.want);
}

// Counter texts as the counter file's reader takes them.
TEST_CASE(count_keys) {
  struct { const char* text; long long want; } rows[] = {
      {"9", 9}, {"10", 10}, {"0", 0}, {"", 0}, {"abc", 0}, {"12abc", 12}, {"-5", -5}, {"+3", 3}, {" 7", 7},
      {"2147483648", 2147483648LL}, {"99999999999999999999999999", 999999999999999LL},
      {"1000000000000000", 999999999999999LL},  // longer numbers never sort below shorter ones
  };
  for (auto& r : rows) CHECK_EQ(CountSortKey(r.text), r.want);
  CHECK_EQ(CountSortKey(NULL), 0LL);
}

// Every pair of sizes keeps its order through its text: the text is cut to
// tenths, so neighbours may tie, but a larger size never gets a smaller key.
TEST_CASE(size_keys_follow_the_size) {
  const long long sizes[] = {0, 1, 101, 102, 1000, 1024, 9 * 1024, 10 * 1024, 900 * 1024, 1048575, 1048576,
                             1048577, 5000000, 99 * 1048576LL, 1073741823, 1073741824, 2147483648LL,
                             10737418240LL, 9223372036854775807LL};
  long long last = SizeSortKey("");
  for (long long s : sizes) {
    long long key = SizeSortKey(FormatFileSize(s));
    CHECK(key > SizeSortKey(""));
    CHECK(key >= last);
    last = key;
  }
  CHECK(SizeSortKey("1.0 MB") > SizeSortKey("900.0 KB"));
  CHECK(SizeSortKey("0.9 MB") > SizeSortKey("1028.0 KB"));  // the first and the last of their units
  CHECK(SizeSortKey("1.0 GB") > SizeSortKey("1023.9 MB"));
  CHECK(SizeSortKey("10.0 KB") > SizeSortKey("9.9 KB"));
  CHECK_EQ(SizeSortKey("4.7 MB"), SizeSortKey("4.7 MB"));
  const char* foreign[] = {"", "folder", "KB", ".5 KB", "12", "1.0 TB", NULL};
  for (const char* f : foreign) CHECK_EQ(SizeSortKey(f), -1LL);
}

TEST_CASE(sorted_by_number_stable_both_directions) {
  struct { ColumnOrder order; std::vector<std::string> texts; const char* up; const char* down; } rows[] = {
      {kOrderCount, {"10", "9", "100", "2", "abc", "0"}, "abc,0,2,9,10,100,", "100,10,9,2,abc,0,"},
      {kOrderSize, {"1.0 MB", "900.0 KB", "", "0 bytes", "1.0 GB", "9.5 KB"},
       ",0 bytes,9.5 KB,900.0 KB,1.0 MB,1.0 GB,", "1.0 GB,1.0 MB,900.0 KB,9.5 KB,0 bytes,,"},
      {kOrderText, {"10", "9", "100", "2"}, "10,100,2,9,", "9,2,100,10,"},  // other columns as before
  };
  for (auto& r : rows) {
    CHECK_STR(Joined(r.texts, SortedColumnOrder(r.texts, r.order, 1)), r.up);
    CHECK_STR(Joined(r.texts, SortedColumnOrder(r.texts, r.order, 0)), r.down);
  }
  // Ties keep the order they had, whichever the direction.
  std::vector<std::string> ties = {"3", "1", "3", "1"};
  std::vector<int> up = SortedColumnOrder(ties, kOrderCount, 1), down = SortedColumnOrder(ties, kOrderCount, 0);
  CHECK(up == std::vector<int>({1, 3, 0, 2}));
  CHECK(down == std::vector<int>({0, 2, 1, 3}));
}

TEST_CASE(compare_like_the_sorted_order) {
  struct { const char* a; const char* b; ColumnOrder order; int sign; } rows[] = {
      {"9", "10", kOrderCount, -1}, {"10", "10", kOrderCount, 0}, {"abc", "0", kOrderCount, 0},
      {"900.0 KB", "1.0 MB", kOrderSize, -1}, {"", "0 bytes", kOrderSize, -1}, {"9", "10", kOrderText, 1},
  };
  for (auto& r : rows) {
    int up = CompareColumnTexts(r.a, r.b, r.order, 1), down = CompareColumnTexts(r.a, r.b, r.order, 0);
    CHECK_EQ(up < 0 ? -1 : up > 0 ? 1 : 0, r.sign);
    CHECK_EQ(down < 0 ? -1 : down > 0 ? 1 : 0, -r.sign);
  }
}
