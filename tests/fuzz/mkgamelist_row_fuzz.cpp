// The row composition of mkgamelist: machines made of any texts and flags
// become rows of exactly 87 characters (79 once cut to the classic table) with
// the separators in place, the code page conversion stays within every buffer size and never reads past its
// text, and the whole document read back by the game table reader gives the
// very rows written: one for each machine that the plain rules make a game,
// under its short name, in the order of name and short name.
// Input: short name, description, build text (UTF-8, loosely decoded), then
// again per machine; from the back, per machine, a flag byte, an emulation
// byte and the piece size in which the description arrives.
#include "catalogue/gamelist_parse.h"
#include "catalogue/short_name.h"
#include "tests/fuzz/fuzz_input.h"
#include "companions/mkgamelist/document.h"
#include "companions/mkgamelist/table_collector.h"
#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// UTF-8 to UTF-16 units; a byte that begins no sequence is taken as a unit of
// its own value, so that any bytes give some text.
std::u16string Units(const std::string& s) {
  std::u16string u;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = (unsigned char)s[i];
    int more = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (c >= 0xF8 || i + more >= s.size() + (more ? 0 : 1)) more = 0;
    char32_t v = more == 3 ? c & 7 : more == 2 ? c & 15 : more == 1 ? c & 31 : c;
    for (int k = 1; k <= more; ++k) v = (v << 6) | ((unsigned char)s[i + k] & 63);
    i += 1 + more;
    if (v >= 0x10000 && v <= 0x10FFFF) {
      v -= 0x10000;
      u += (char16_t)(0xD800 + (v >> 10));
      u += (char16_t)(0xDC00 + (v & 0x3FF));
    } else {
      u += (char16_t)v;
    }
  }
  return u;
}

// A heap copy of exactly the units, so that a read past them trips the sanitizer.
std::unique_ptr<char16_t[]> Exact(const std::u16string& u) {
  std::unique_ptr<char16_t[]> p(new char16_t[u.size() ? u.size() : 1]);
  memcpy(p.get(), u.data(), u.size() * sizeof(char16_t));
  return p;
}

void CheckConversion(const std::u16string& u) {
  std::unique_ptr<char16_t[]> text = Exact(u);
  ExactBuffer whole(u.size() + 1);
  size_t n = ToCodePage1252(text.get(), u.size(), whole.data(), whole.size());
  FUZZ_CHECK(whole.Terminated() && n == strlen(whole.data()) && n <= u.size());
  for (size_t size = 0; size <= n + 1 && size < 40; ++size) {
    ExactBuffer cut(size);
    size_t m = ToCodePage1252(text.get(), u.size(), size ? cut.data() : nullptr, size);
    FUZZ_CHECK(m == (size ? std::min(n, size - 1) : 0));
    if (size) FUZZ_CHECK(cut.Terminated() && memcmp(cut.data(), whole.data(), m) == 0);
  }
}

struct Machine {
  std::u16string shortName, description;
  uint8_t flags, levels, piece;
};

MachineFacts FactsOf(const Machine& m) {
  MachineFacts f;
  f.Clear();
  std::unique_ptr<char16_t[]> shortName = Exact(m.shortName);
  f.SetShortName(shortName.get(), m.shortName.size());
  std::unique_ptr<char16_t[]> description = Exact(m.description);
  size_t piece = m.piece ? m.piece : m.description.size() + 1;
  for (size_t at = 0; at < m.description.size(); at += piece) {
    f.description.Append(description.get() + at, std::min(piece, m.description.size() - at));
  }
  f.haveDescription = m.flags & 1;
  f.isBios = m.flags & 2;
  f.isDevice = m.flags & 4;
  f.notRunnable = m.flags & 8;
  f.needsSamples = m.flags & 16;
  f.statusPreliminary = m.flags & 32;
  f.cocktailPreliminary = m.flags & 64;
  f.haveEmulation = m.flags & 128;
  f.palette = (Emulation)(m.levels % 3);
  f.sound = (Emulation)(m.levels / 3 % 3);
  f.emulationPreliminary = m.levels / 9 % 2;
  return f;
}

void CheckHead(const Machine& m, const MachineFacts& f) {
  size_t lead = 0;
  while (lead < m.description.size() && (m.description[lead] <= 0x20 || m.description[lead] == 0x7F)) ++lead;
  size_t length = m.description.size() - lead;
  FUZZ_CHECK(f.description.length == length);
  FUZZ_CHECK(f.description.kept == std::min(length, kKeptNameUnits));
  FUZZ_CHECK(memcmp(f.description.units, m.description.data() + lead, f.description.kept * 2) == 0);
}

void CheckRow(const GameRow& row) {
  FUZZ_CHECK(strlen(row.text) == kWideRowWidth);
  static const int kBars[] = {0, 35, 43, 51, 59, 67, 86};
  for (int at : kBars) FUZZ_CHECK(row.text[at] == '|');
  // The table reader skips a row with a blank where the name begins.
  FUZZ_CHECK(row.text[2] != ' ');
}

// Which machines are games, by the plain rules: no device, BIOS set or machine
// that cannot run; a short name that fits the field, made only of characters
// an archive's name in roms\ can hold.
Verdict ReferenceVerdict(const Machine& m) {
  if (m.flags & 4) return kVerdictDevice;
  if (m.flags & 2) return kVerdictBios;
  if (m.flags & 8) return kVerdictNotRunnable;
  if (m.shortName.empty() || m.shortName.size() > kShortNameMax) return kVerdictBadShortName;
  for (char16_t c : m.shortName)
    if (c <= 0x20 || c >= 0x7F || strchr("\\/:*?\"<>|", (char)c)) return kVerdictBadShortName;
  return kVerdictRow;
}

std::string Ascii(const std::u16string& u) { return std::string(u.begin(), u.end()); }

typedef std::pair<std::string, std::string> Names;  // the name field, the short name

// The name field of a game whose description is plain printable ASCII: the
// description without its leading blanks, or the short name when that leaves
// nothing, cut and padded to the field. Empty for any other description.
std::string PlainNameField(const Machine& m) {
  for (char16_t c : m.description)
    if (c < 0x20 || c > 0x7E) return std::string();
  std::string name = Ascii(m.description);
  size_t first = name.find_first_not_of(' ');
  name = first == std::string::npos ? Ascii(m.shortName) : name.substr(first);
  name.resize(kNameWidth, ' ');
  return name;
}

struct ReadBack {
  std::vector<std::string> rows;
  std::vector<Names> names;
};

void Collect(const DocumentRow& r, void* context) {
  std::string line = "| ";
  line += r.name;
  for (const auto& s : r.status) line += std::string("|") + s;
  line += std::string("|") + r.shortField + "|";
  char shortName[kWideShortFieldWidth + 1];
  ShortNameFromDocumentField(r.shortField, shortName, sizeof shortName);
  ((ReadBack*)context)->rows.push_back(line);
  ((ReadBack*)context)->names.push_back({r.name, shortName});
}

std::string Document(const char* build, const std::vector<GameRow>& rows) {
  char* bytes = nullptr;
  size_t size = 0;
  FILE* f = open_memstream(&bytes, &size);
  FUZZ_CHECK(f != nullptr);
  FUZZ_CHECK(WriteGameListDocument(f, build, rows.data(), rows.size()));
  fclose(f);
  std::string doc(bytes, size);
  free(bytes);
  return doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  std::vector<Machine> machines;
  std::u16string build;
  bool first = true;
  while (in.Left() && machines.size() < 64) {
    Machine m;
    m.shortName = Units(in.Text(64));
    m.description = Units(in.Text(400));
    if (first) build = Units(in.Text(200));
    first = false;
    m.flags = in.Byte();
    m.levels = in.Byte();
    m.piece = in.Byte() % 8;
    machines.push_back(m);
  }

  TableCollector table(machines.size());
  long counts[kVerdictBadShortName + 1] = {};
  std::vector<Names> games;
  for (const Machine& m : machines) {
    MachineFacts f = FactsOf(m);
    CheckHead(m, f);
    CheckConversion(m.shortName);
    CheckConversion(m.description);
    Verdict v = ReferenceVerdict(m);
    FUZZ_CHECK(JudgeMachine(f) == v);
    ++counts[v];
    if (v == kVerdictRow) {
      GameRow row;
      memset(&row, 0x5A, sizeof row);
      ComposeRow(f, &row);
      CheckRow(row);
      games.push_back({PlainNameField(m), Ascii(m.shortName)});
    }
    table.Add(f);
  }
  table.Finish();
  const std::vector<GameRow>& rows = table.rows();
  FUZZ_CHECK(table.machines() == (long)machines.size());
  for (int v = kVerdictRow; v <= kVerdictBadShortName; ++v) FUZZ_CHECK(table.count((Verdict)v) == counts[v]);
  // The wide table only where some game's short name needs it.
  long longNames = 0;
  for (const Names& g : games) longNames += g.second.size() > kClassicShortNameMax;
  bool wide = longNames > 0;
  FUZZ_CHECK(table.longNames() == longNames && table.wide() == wide);
  for (const GameRow& r : rows) FUZZ_CHECK(strlen(r.text) == (size_t)(wide ? kWideRowWidth : kRowWidth));

  char buildText[128];
  std::unique_ptr<char16_t[]> buildUnits = Exact(build);
  ToCodePage1252(buildUnits.get(), build.size(), buildText, sizeof buildText);
  std::string doc = Document(buildText, rows);
  FILE* f = fmemopen(&doc[0], doc.size(), "rb");
  FUZZ_CHECK(f != nullptr);
  ReadBack back;
  long n = ReadGameListTable(f, Collect, &back);
  fclose(f);
  FUZZ_CHECK(n == (long)rows.size() && rows.size() == games.size());
  for (size_t i = 0; i < rows.size(); ++i) FUZZ_CHECK(back.rows[i] == rows[i].text);
  // The table goes by the name field's bytes, then by the short name; every
  // game is there once, under its short name, with its plain name where it has one.
  for (size_t i = 1; i < back.names.size(); ++i) FUZZ_CHECK(back.names[i - 1] <= back.names[i]);
  std::vector<std::string> shortNames, wantShortNames;
  std::multiset<Names> written(back.names.begin(), back.names.end());
  for (const Names& r : back.names) shortNames.push_back(r.second);
  for (const Names& g : games) {
    wantShortNames.push_back(g.second);
    if (g.first.empty()) continue;
    auto at = written.find(g);
    FUZZ_CHECK(at != written.end());
    written.erase(at);
  }
  std::sort(shortNames.begin(), shortNames.end());
  std::sort(wantShortNames.begin(), wantShortNames.end());
  FUZZ_CHECK(shortNames == wantShortNames);
  return 0;
}
