// The game table reader: rule line, heading, rows, end of table, bad input and
// the real documents of old emulator releases.
#include "tests/testkit/testkit.h"
#include "catalogue/gamelist_parse.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

static const std::string kRule = kRuleLine;

static std::string Row(const std::string& name, const std::string& shortName, const std::string& s = "  Yes  ") {
  std::string n = name.substr(0, 33);
  n.resize(33, ' ');
  std::string sh = shortName;
  sh.resize(9, ' ');
  return "| " + n + "|" + s + "|" + s + "|" + s + "|" + s + "| " + sh + "|";
}

static std::vector<DocumentRow> Parse(const std::string& text, long* count = nullptr) {
  std::vector<DocumentRow> rows;
  FILE* f = tmpfile();
  if (!f) return rows;
  fwrite(text.data(), 1, text.size(), f);
  rewind(f);
  long n = ReadGameListTable(f, [](const DocumentRow& r, void* c) { ((std::vector<DocumentRow>*)c)->push_back(r); },
                             &rows);
  fclose(f);
  if (count) *count = n;
  return rows;
}

static std::string Doc(const std::vector<std::string>& lines) {
  std::string s;
  for (auto& l : lines) s += l + "\n";
  return s;
}

TEST_CASE(rule_line_is_the_documented_one) {
  CHECK_EQ(kRule.size(), (size_t)79);
  int plus[] = {0, 35, 43, 51, 59, 67, 78};
  for (int p : plus) CHECK_EQ(kRule[p], '+');
  CHECK_EQ((int)std::count(kRule.begin(), kRule.end(), '+'), 7);
}

// Which short names (column 6 fields) a document yields.
TEST_CASE(table_structure_cases) {
  std::string nearMiss = kRule;
  nearMiss[40] = '=';
  std::string otherSeparators = Row("Odd", "odd");
  for (int p : {0, 35, 43, 51, 59, 67, 78}) otherSeparators[p] = '#';
  otherSeparators[0] = '|';  // a row must still begin with '|'
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    std::vector<std::string> shortFields;
  } cases[] = {
      {"free text, two-line heading, three rows",
       {"This is the list.", "", std::string(300, 'x'), kRule, "| Game |", "| Name |", kRule, Row("A", "a"),
        Row("B", "b"), Row("C", "c"), kRule, "footnote"},
       {" a        ", " b        ", " c        "}},
      {"near-miss rule line does not open the table",
       {nearMiss, "| x |", nearMiss, Row("A", "a"), kRule}, {}},
      {"rule with trailing blank is no rule", {kRule + " ", "h", kRule, Row("A", "a")}, {}},
      {"blank at position 2 skipped, rows after it read",
       {kRule, "h", kRule, Row("A", "a"), "|  " + std::string(76, '-'), Row("B", "b")}, {" a        ", " b        "}},
      {"other separators cut at the same positions", {kRule, kRule, otherSeparators}, {" odd      "}},
      {"text after closing rule not read",
       {kRule, kRule, Row("A", "a"), kRule, "", kRule, "h", kRule, Row("Z", "z"), kRule}, {" a        "}},
      {"no closing rule keeps all rows", {kRule, kRule, Row("A", "a"), Row("B", "b")}, {" a        ", " b        "}},
      {"empty line ends the table", {kRule, kRule, Row("A", "a"), "", Row("B", "b")}, {" a        "}},
      {"end inside the heading", {"text", kRule, "heading without end"}, {}},
      {"no table at all", {"just", "some", "text"}, {}},
      {"empty document", {}, {}},
      {"heading rule only", {kRule}, {}},
      {"short lines: missing fields are empty", {kRule, kRule, "|xName", "|", "|x", Row("A", "a")},
       {"", " a        "}},
  };
  for (auto& c : cases) {
    long n = -1;
    std::vector<DocumentRow> rows = Parse(Doc(c.lines), &n);
    std::vector<std::string> got;
    for (auto& r : rows) got.push_back(r.shortField);
    if (got != c.shortFields) testkit::Fail(__FILE__, __LINE__, std::string("case: ") + c.what);
    CHECK_EQ(n, (long)c.shortFields.size());
  }
}

TEST_CASE(fields_keep_padding) {
  std::vector<DocumentRow> rows = Parse(Doc({kRule, kRule, Row("Pac-Man", "pacman", " No(1) ")}));
  CHECK_EQ(rows.size(), (size_t)1);
  if (rows.empty()) return;
  CHECK_STR(rows[0].name, "Pac-Man" + std::string(26, ' '));
  CHECK_EQ(strlen(rows[0].name), (size_t)33);
  for (auto& s : rows[0].status) CHECK_STR(s, " No(1) ");
  CHECK_STR(rows[0].shortField, " pacman   ");
}

TEST_CASE(long_row_only_first_79_count_and_crlf_dropped) {
  std::string row = Row("Long", "long") + std::string(100000, 'y');
  std::vector<DocumentRow> rows = Parse(kRule + "\r\n" + kRule + "\r\n" + row + "\r\n" + Row("B", "b") + "\r\n");
  CHECK_EQ(rows.size(), (size_t)2);
  if (rows.size() == 2) {
    CHECK_STR(rows[0].shortField, " long     ");
    CHECK_STR(rows[1].shortField, " b        ");
  }
}

TEST_CASE(bad_input_never_overruns) {
  // Binary junk, NUL bytes, 100,000-character lines, with and without a table.
  std::string junk;
  unsigned seed = 12345;
  for (int i = 0; i < 300000; ++i) {
    seed = seed * 1103515245u + 12345u;
    junk += (char)(seed >> 16);
  }
  CHECK_EQ(Parse(junk).size(), (size_t)0);
  std::string withNul = Row("Nul", "nul");
  withNul[10] = '\0';
  withNul[70] = '\0';
  std::vector<DocumentRow> rows =
      Parse(std::string(100000, 'a') + "\n" + kRule + "\n" + kRule + "\n" + withNul + "\n" + junk);
  CHECK(rows.size() >= 1);
  if (!rows.empty()) {
    CHECK_STR(rows[0].name, "Nul" + std::string(5, ' '));  // the text ends at the NUL byte
    CHECK_STR(rows[0].shortField, " n");
  }
  std::string table = kRule + "\n" + kRule + "\n";
  for (int i = 0; i < 50; ++i) table += "|" + junk.substr(i * 997, 5000) + "\n";
  Parse(table);  // only must not crash (run under the sanitizers)
}

// An independent count of game rows: lines between the second and third rule
// lines that begin with '|' and have something other than a blank at position 2.
static long CountGameRows(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  int rules = 0;
  long rows = 0;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == kRule) {
      if (++rules == 3) break;
      continue;
    }
    if (rules == 2 && line.size() > 2 && line[0] == '|' && line[2] != ' ') ++rows;
  }
  return rows;
}

TEST_CASE(real_documents_load_every_game_row) {
  const char* shared = getenv("VINTOR_SHARED");
  if (!shared) SKIP("VINTOR_SHARED is not set");
  struct { const char* file; long rows; } docs[] = {
      {"mamedev-historic-mame-gamelist.txt", 1959},
      {"djp952-external-mame-gamelist.txt", 2319},
      {"Sunoo-nonamemame-gamelist.txt", 2895},
      {"mamedev-historic-mame-0.95-gamelist.txt", 3083},
  };
  int found = 0;
  for (auto& d : docs) {
    std::string path = std::string(shared) + "/data/gamelists/" + d.file;
    FILE* f = fopen(path.c_str(), "r");
    if (!f) continue;
    ++found;
    std::vector<DocumentRow> rows;
    long n = ReadGameListTable(f, [](const DocumentRow& r, void* c) { ((std::vector<DocumentRow>*)c)->push_back(r); },
                               &rows);
    fclose(f);
    CHECK_EQ(n, CountGameRows(path));
    CHECK_EQ(n, d.rows);
    for (auto& r : rows) {
      CHECK_EQ(strlen(r.name), (size_t)33);
      CHECK_EQ(strlen(r.shortField), (size_t)10);
      CHECK_EQ(r.shortField[0], ' ');
    }
  }
  if (!found) SKIP("no real documents in the shared data folder");
}
