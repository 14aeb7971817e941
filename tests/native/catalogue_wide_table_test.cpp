// The wide game table (short names of up to 16 characters) beside the classic
// one: which rule line opens which table, and the real classic documents still
// read row for row as the reader gave them before the wide table existed.
#include "tests/testkit/testkit.h"
#include "catalogue/gamelist_parse.h"
#include "catalogue/short_name.h"
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

static std::vector<DocumentRow> ParseFile(FILE* f, long* count) {
  std::vector<DocumentRow> rows;
  *count = ReadGameListTable(f, [](const DocumentRow& r, void* c) { ((std::vector<DocumentRow>*)c)->push_back(r); },
                             &rows);
  return rows;
}

static const std::string kRule = kRuleLine, kWide = kWideRuleLine;

static std::string Padded(const std::string& s, size_t width) {
  std::string p = s.substr(0, width);
  p.resize(width, ' ');
  return p;
}

static std::string ClassicRow(const std::string& name, const std::string& shortName) {
  return "| " + Padded(name, 33) + "|  Yes  |  Yes  |  Yes  |  Yes  | " + Padded(shortName, 9) + "|";
}

static std::string WideRow(const std::string& name, const std::string& shortName, const std::string& s = "  Yes  ") {
  return "| " + Padded(name, 33) + "|" + s + "|" + s + "|" + s + "|" + s + "| " + Padded(shortName, 17) + "|";
}

static std::vector<DocumentRow> Parse(const std::vector<std::string>& lines, long* count) {
  std::string text;
  for (auto& l : lines) text += l + "\n";
  FILE* f = tmpfile();
  if (!f) return {};
  fwrite(text.data(), 1, text.size(), f);
  rewind(f);
  std::vector<DocumentRow> rows = ParseFile(f, count);
  fclose(f);
  return rows;
}

TEST_CASE(wide_rule_line_differs_in_the_last_field_only) {
  CHECK_EQ(kWide.size(), (size_t)kWideRowWidth);
  int plus[] = {0, 35, 43, 51, 59, 67, 86};
  for (int p : plus) CHECK_EQ(kWide[p], '+');
  CHECK_EQ((int)std::count(kWide.begin(), kWide.end(), '+'), 7);
  CHECK_STR(kWide.substr(0, 68), kRule.substr(0, 68));
  CHECK_EQ(RuleLineWidth(kRule.c_str(), kRule.size()), (size_t)kRowWidth);
  CHECK_EQ(RuleLineWidth(kWide.c_str(), kWide.size()), (size_t)kWideRowWidth);
  CHECK_EQ(RuleLineWidth(kWide.c_str(), kRowWidth), (size_t)0);  // the wide line's first 79 characters
  CHECK_EQ(WideRow("A", "a").size(), (size_t)kWideRowWidth);
}

// Which short-name fields (column 6) a document yields.
TEST_CASE(wide_table_structure_cases) {
  std::string nearMiss = kWide;
  nearMiss[80] = '=';
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    std::vector<std::string> shortFields;
  } cases[] = {
      {"free text, wide heading, names of 9, 10 and 16 characters",
       {"This is the list.", "", kWide, "| Game |", "| Name |", kWide, WideRow("A", "99lstwarb"),
        WideRow("B", "arkanoidja"), WideRow("C", "abcdefghijklmnop"), kWide, "footnote"},
       {" 99lstwarb        ", " arkanoidja       ", " abcdefghijklmnop "}},
      {"a classic rule line inside a wide heading is heading",
       {kWide, kRule, "| x |", kRule, kWide, WideRow("A", "arkanoidja")}, {" arkanoidja       "}},
      {"a wide rule line inside a classic heading is heading",
       {kRule, kWide, kRule, ClassicRow("A", "arkanoidj")}, {" arkanoidj"}},
      {"the first rule line decides: classic", {"x", kRule, kRule, ClassicRow("A", "a"), kWide}, {" a        "}},
      {"near-miss wide rule does not open the table", {nearMiss, nearMiss, WideRow("A", "a"), kWide}, {}},
      {"wide rule with trailing blank is no rule", {kWide + " ", "h", kWide, WideRow("A", "a")}, {}},
      {"blank at position 2 skipped", {kWide, kWide, "|  " + std::string(84, '-'), WideRow("B", "bb")},
       {" bb               "}},
      {"only the first 87 characters count",
       {kWide, kWide, WideRow("A", "longname16chars_") + std::string(1000, 'y')}, {" longname16chars_ "}},
      {"a 17-character name in the field is kept whole", {kWide, kWide, WideRow("A", "seventeen_chars_x")},
       {" seventeen_chars_x"}},
      {"short row: the field ends with the line", {kWide, kWide, WideRow("A", "abc").substr(0, 74)}, {" abc  "}},
      {"text after the closing wide rule not read",
       {kWide, kWide, WideRow("A", "a"), kWide, "", kWide, kWide, WideRow("Z", "z")}, {" a                "}},
  };
  for (auto& c : cases) {
    long n = -1;
    std::vector<DocumentRow> rows = Parse(c.lines, &n);
    std::vector<std::string> got;
    for (auto& r : rows) got.push_back(r.shortField);
    if (got != c.shortFields) testkit::Fail(__FILE__, __LINE__, std::string("case: ") + c.what);
    CHECK_EQ(n, (long)c.shortFields.size());
  }
}

TEST_CASE(wide_row_fields_and_the_short_name_in_them) {
  long n = 0;
  std::vector<DocumentRow> rows = Parse({kWide, kWide, WideRow("Arkanoid (Japan, older)", "arkanoidja", "Partial")}, &n);
  CHECK_EQ(rows.size(), (size_t)1);
  if (rows.empty()) return;
  CHECK_STR(rows[0].name, Padded("Arkanoid (Japan, older)", 33));
  for (auto& s : rows[0].status) CHECK_STR(s, "Partial");
  CHECK_EQ(strlen(rows[0].shortField), (size_t)kWideShortFieldWidth);
  char name[64];
  ShortNameFromDocumentField(rows[0].shortField, name, sizeof name);
  CHECK_STR(name, "arkanoidja");
  ShortNameFromDocumentField(" abcdefghijklmnop ", name, sizeof name);
  CHECK_STR(name, "abcdefghijklmnop");
}

// FNV-1a over every field of every row, a zero byte after each field.
static uint64_t Digest(const std::vector<DocumentRow>& rows) {
  uint64_t h = 1469598103934665603ull;
  auto add = [&h](const char* s) {
    for (const char* p = s;; ++p) {
      h = (h ^ (unsigned char)*p) * 1099511628211ull;
      if (!*p) break;
    }
  };
  for (const DocumentRow& r : rows) {
    add(r.name);
    for (const auto& s : r.status) add(s);
    add(r.shortField);
  }
  return h;
}

// Digests taken from the reader as it was before the wide table: any change in
// what a classic document gives, in any field of any row, shows here.
TEST_CASE(real_classic_documents_read_as_before) {
  const char* shared = getenv("VINTOR_SHARED");
  if (!shared) SKIP("VINTOR_SHARED is not set");
  struct {
    const char* file;
    long rows;
    uint64_t digest;
    const char* lastShortField;
  } docs[] = {
      {"mamedev-historic-mame-gamelist.txt", 1959, 0xbc48b6ac101a6f70ull, " zzyzzyxx "},
      {"djp952-external-mame-gamelist.txt", 2319, 0x997b44a6a5d5073cull, " zzyzzyxx "},
      {"Sunoo-nonamemame-gamelist.txt", 2895, 0x6217b18f8b4fe150ull, " hmcompm2 "},
      {"mamedev-historic-mame-0.95-gamelist.txt", 3083, 0xbb1c744af335fefaull, " bmdct    "},
  };
  int found = 0;
  for (auto& d : docs) {
    FILE* f = fopen((std::string(shared) + "/data/gamelists/" + d.file).c_str(), "r");
    if (!f) continue;
    ++found;
    long n = 0;
    std::vector<DocumentRow> rows = ParseFile(f, &n);
    fclose(f);
    CHECK_EQ(n, d.rows);
    CHECK_EQ((unsigned long long)Digest(rows), (unsigned long long)d.digest);
    if (!rows.empty()) CHECK_STR(rows.back().shortField, d.lastShortField);
  }
  if (!found) SKIP("no real documents in the shared data folder");
}

// Rows of every length from 1 to 120 characters, of bytes that favour the
// separators, blanks, carriage returns and zero bytes, after a classic heading.
TEST_CASE(odd_classic_rows_read_as_before) {
  std::string doc = std::string(kRuleLine) + "\n" + kRuleLine + "\n";
  const char alphabet[] = "| |+-\r\0abcXYZ09";
  unsigned seed = 2009;
  for (int round = 0; round < 4; ++round) {
    for (int length = 1; length <= 120; ++length) {
      std::string row = "|";
      for (int i = 1; i < length; ++i) {
        seed = seed * 1103515245u + 12345u;
        row += alphabet[(seed >> 16) % (sizeof alphabet - 1)];
      }
      if (row.size() > 2 && round < 3) row[2] = 'G';  // mostly game rows
      doc += row + (round == 1 ? "\r\n" : "\n");
    }
  }
  FILE* f = tmpfile();
  CHECK(f != nullptr);
  if (!f) return;
  fwrite(doc.data(), 1, doc.size(), f);
  rewind(f);
  long n = 0;
  std::vector<DocumentRow> rows = ParseFile(f, &n);
  fclose(f);
  CHECK_EQ(n, 465L);
  CHECK_EQ((unsigned long long)Digest(rows), 0xba583ca37d748850ull);
}
