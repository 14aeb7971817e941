// Size texts, search matching, the short-name lookup and the sort order.
#include "tests/testkit/testkit.h"
#include "catalogue/document_lookup.h"
#include "catalogue/file_size_text.h"
#include "catalogue/ini_section.h"
#include "catalogue/row_order.h"
#include "catalogue/search_match.h"
#include <string>
#include <vector>

TEST_CASE(file_size_texts) {
  struct { long long bytes; const char* text; } rows[] = {
      {0, "0 bytes"}, {50, "0.0 KB"}, {101, "0.0 KB"}, {102, "0.1 KB"}, {1000, "0.9 KB"}, {1024, "1.0 KB"},
      {1048575, "1028.0 KB"}, {1048576, "0.9 MB"}, {1048577, "0.9 MB"}, {5000000, "4.7 MB"},
      {1073741823, "1023.9 MB"}, {1073741824, "1.0 GB"}, {2147483647, "2.0 GB"},
      // 64-bit lengths: 2 GiB and more are no longer negative
      {2147483648LL, "2.0 GB"}, {4294967296LL, "4.0 GB"}, {10737418240LL, "10.0 GB"},
      {9223372036854775807LL, "8589934624.0 GB"},
      // a length that could not be read
      {-1, ""}, {-2147483648LL, ""},
  };
  for (auto& r : rows) CHECK_STR(FormatFileSize(r.bytes), r.text);
  char small[5];
  FormatFileSizeTo(5000000, small, sizeof small);
  CHECK_STR(small, "4.7 ");
}

TEST_CASE(search_matching) {
  struct { const char* text; const char* needle; bool match; } rows[] = {
      {"Pac-Man", "pac", true}, {"Pac-Man", "MAN", true}, {"Pac-Man", "", true}, {"", "", true},
      {"", "a", false}, {"Pac", "Pac-Man", false}, {" pacman   ", " pac", true}, {"pacman", " pac", false},
      {"Alien\xb3", "ALIEN\xb3", true}, {"\xe4rger", "\xc4RGER", false},  // only a to z fold
      {"aaab", "aab", true}, {"[abc]", "[ABC]", true}, {"x", nullptr, true}, {nullptr, "x", false},
  };
  for (auto& r : rows) CHECK_EQ(TextContainsFolded(r.text, r.needle), r.match);
}

TEST_CASE(lookup_last_duplicate_wins_case_ignored) {
  DocumentLookup lookup;
  const char* names[] = {"abc", "pacman", "ABC", "x\xc4y", "samplegm"};
  for (int i = 0; i < 5; ++i) lookup.Add(names[i], i);
  struct { const char* name; int row; } rows[] = {
      {"abc", 2}, {"Abc", 2}, {"PACMAN", 1}, {"x\xc4y", 3}, {"x\xe4y", -1}, {"SampleGm", 4}, {"", -1}, {"pac", -1},
  };
  for (auto& r : rows) CHECK_EQ(lookup.Find(r.name), r.row);
}

TEST_CASE(compare_cell_texts_like_stricmp_on_199) {
  struct { const char* a; const char* b; int sign; } rows[] = {
      {"abc", "ABC", 0}, {"10", "9", -1}, {"100", "2", -1}, {"1.0 MB", "900.0 KB", -1}, {"a", "ab", -1},
      {"_", "A", -1},  // 'A' folds to 'a' (97), which comes after '_' (95)
      {"\xb3", "z", 1}, {"", "", 0},
  };
  for (auto& r : rows) {
    int c = CompareCellTexts(r.a, r.b);
    CHECK_EQ(c < 0 ? -1 : c > 0 ? 1 : 0, r.sign);
    CHECK_EQ(CompareInDirection(r.a, r.b, 0) < 0 ? -1 : CompareInDirection(r.a, r.b, 0) > 0 ? 1 : 0, -r.sign);
  }
  std::string a(199, 'q'), b(199, 'q');
  a += "a";
  b += "b";
  CHECK_EQ(CompareCellTexts(a.c_str(), b.c_str()), 0);  // only 199 characters count
}

TEST_CASE(sorted_row_order_stable_both_directions) {
  std::vector<std::string> keys = {"b", "A", "c", "a", "B"};
  std::vector<int> up = SortedRowOrder(keys, 1), down = SortedRowOrder(keys, 0);
  CHECK((up == std::vector<int>{1, 3, 0, 4, 2}));
  CHECK((down == std::vector<int>{2, 0, 4, 1, 3}));
  std::vector<std::string> many;
  for (int i = 0; i < 45000; ++i) many.push_back(std::to_string((i * 7919) % 45000));
  std::vector<int> order = SortedRowOrder(many, 1);
  for (size_t i = 1; i < order.size(); ++i) CHECK(CompareCellTexts(many[order[i - 1]].c_str(), many[order[i]].c_str()) <= 0);
}

TEST_CASE(ini_section_lookup_like_the_profile_functions) {
  const char lines[] = "readme.zip = \"Read me\"\0NEOGEO.ZIP=Neo Geo BIOS\0neogeo.zip=second\0noequals\0"
                       "q.zip='single'\0half.zip=\"open\0empty.zip=\0\0";
  IniSection s;
  s.Parse(lines, sizeof lines);
  struct { const char* key; const char* want; } rows[] = {
      {"readme.zip", "Read me"}, {"neogeo.zip", "Neo Geo BIOS"}, {" NeoGeo.Zip ", "Neo Geo BIOS"},
      {"q.zip", "single"}, {"half.zip", "\"open"}, {"empty.zip", ""}, {"noequals", "-"}, {"missing.zip", "-"},
  };
  for (auto& r : rows) CHECK_STR(s.Get(r.key, "-", 259), r.want);
  CHECK_STR(s.Get("neogeo.zip", "", 3), "Neo");
  IniSection unterminated;
  const char raw[4] = {'a', '=', 'b', 'c'};  // no terminating zero within the size
  unterminated.Parse(raw, sizeof raw);
  CHECK_STR(unterminated.Get("a", "", 259), "bc");
}
