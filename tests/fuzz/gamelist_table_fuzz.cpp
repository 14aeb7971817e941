// The game table reader on whole documents: the rows it hands out must be the
// ones a plain reading of the lines gives, every field terminated within its
// size. Lines are also read with every small line buffer, and single rows cut
// from exact-size blocks.
#include "catalogue/gamelist_parse.h"
#include "tests/fuzz/fuzz_input.h"
#include <string>
#include <vector>

namespace {

struct Line {
  std::string text;  // the whole line, the line feed and the CR before it dropped
};

// Lines as a text-mode stream gives them.
std::vector<Line> SplitLines(const std::string& doc) {
  std::vector<Line> lines;
  size_t i = 0;
  while (i < doc.size()) {
    size_t lf = doc.find('\n', i);
    if (lf == std::string::npos) {
      lines.push_back({doc.substr(i)});
      break;
    }
    std::string t = doc.substr(i, lf - i);
    if (!t.empty() && t.back() == '\r') t.pop_back();
    lines.push_back({t});
    i = lf + 1;
  }
  return lines;
}

// The short fields of the game rows, read the plain way: the first line that
// is either rule line opens the table, the next equal to it ends the heading.
std::vector<std::string> ExpectedShortFields(const std::vector<Line>& lines) {
  std::vector<std::string> fields;
  const std::string classic = kRuleLine, wide = kWideRuleLine;
  size_t i = 0;
  while (i < lines.size() && lines[i].text != classic && lines[i].text != wide) ++i;
  if (i >= lines.size()) return fields;
  const std::string rule = lines[i++].text;
  while (i < lines.size() && lines[i].text != rule) ++i;
  if (i++ >= lines.size()) return fields;
  for (; i < lines.size(); ++i) {
    const std::string& t = lines[i].text;
    if (t.empty() || t[0] != '|') break;
    if (t.size() < 3 || t[2] == ' ') continue;
    std::string row = t.substr(0, rule.size());
    std::string field = row.size() > 68 ? row.substr(68, rule.size() - 69) : std::string();
    fields.push_back(field.c_str());  // a zero byte in the line ends the field's text
  }
  return fields;
}

struct Collected {
  std::vector<std::string> shortFields;
  bool fieldsTerminated = true;
};

void Collect(const DocumentRow& row, void* context) {
  Collected* c = (Collected*)context;
  c->fieldsTerminated = c->fieldsTerminated && memchr(row.name, 0, sizeof row.name) &&
                        memchr(row.shortField, 0, sizeof row.shortField);
  for (const auto& s : row.status) c->fieldsTerminated = c->fieldsTerminated && memchr(s, 0, sizeof s);
  c->shortFields.push_back(c->fieldsTerminated ? std::string(row.shortField) : std::string());
}

long ReadAll(const std::string& doc, Collected* c) {
  // A stream over a private copy; an empty document is a stream that ends at once.
  std::string copy = doc.empty() ? std::string(1, '\0') : doc;
  FILE* f = fmemopen(&copy[0], doc.empty() ? 1 : doc.size(), "rb");
  FUZZ_CHECK(f != nullptr);
  if (doc.empty()) fgetc(f);
  long n = ReadGameListTable(f, Collect, c);
  fclose(f);
  return n;
}

void CheckLineReader(const std::string& doc, const std::vector<Line>& lines, size_t lineSize) {
  std::string copy = doc.empty() ? std::string(1, '\0') : doc;
  FILE* f = fmemopen(&copy[0], doc.empty() ? 1 : doc.size(), "rb");
  FUZZ_CHECK(f != nullptr);
  if (doc.empty()) fgetc(f);
  LineReader* reader = new LineReader(f);
  ExactBuffer line(lineSize);
  size_t length = 0, count = 0;
  while (reader->Next(lineSize ? line.data() : nullptr, lineSize, &length)) {
    FUZZ_CHECK(count < lines.size());
    const std::string& want = lines[count].text;
    FUZZ_CHECK(length == want.size());
    if (lineSize) {
      FUZZ_CHECK(line.Terminated());
      size_t stored = want.size() < lineSize - 1 ? want.size() : lineSize - 1;
      FUZZ_CHECK(memcmp(line.data(), want.data(), stored) == 0);
      FUZZ_CHECK(line.data()[stored] == 0);
    }
    ++count;
  }
  FUZZ_CHECK(count == lines.size());
  delete reader;
  fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  size_t lineSize = (size_t)in.Range(0, 100);
  std::string doc((const char*)data, size);
  std::vector<Line> lines = SplitLines(doc);

  Collected read;
  long n = ReadAll(doc, &read);
  FUZZ_CHECK(read.fieldsTerminated);
  FUZZ_CHECK(n == (long)read.shortFields.size());
  FUZZ_CHECK(read.shortFields == ExpectedShortFields(lines));

  CheckLineReader(doc, lines, lineSize);

  // One row from a block that holds exactly the line, no terminator.
  std::string row = lines.empty() ? std::string() : lines[0].text;
  std::unique_ptr<char[]> exact(new char[row.size() ? row.size() : 1]);
  memcpy(exact.get(), row.data(), row.size());
  DocumentRow cut;
  memset(&cut, 0x5A, sizeof cut);
  if (row.size() && CutGameRow(exact.get(), row.size(), &cut)) {
    FUZZ_CHECK(memchr(cut.name, 0, sizeof cut.name) && memchr(cut.shortField, 0, sizeof cut.shortField));
    for (const auto& s : cut.status) FUZZ_CHECK(memchr(s, 0, sizeof s));
    FUZZ_CHECK(row.compare(2, strlen(cut.name), cut.name) == 0);
  }
  return 0;
}
