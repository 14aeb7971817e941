// The wide game table (short names of up to 16 characters) beside the classic
// one: which rule line opens which table, and the real classic documents still
// read row for row as the reader gave them before the wide table existed.
#include "tests/testkit/testkit.h"
#include "catalogue/gamelist_parse.h"
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
