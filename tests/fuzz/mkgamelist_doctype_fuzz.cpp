// Two byte-stream checks of mkgamelist. The document type filter, fed whole
// and in any pieces, gives exactly what a plain reading of the whole input
// gives, never more than the room it promises a piece. The usage-switch check
// agrees with a plain word search of the usage text, never reads the text past
// its length, and its mask of unknown rows holds exactly the rows whose switch
// the single check does not find.
// Input: the whole of it is the stream and the usage text; its first text is
// also the switch; piece sizes come from the back.
#include "launch/compose.h"
#include "tests/fuzz/fuzz_input.h"
#include "companions/mkgamelist/doctype_filter.h"
#include "companions/mkgamelist/usage_switches.h"
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

std::string Filter(const std::string& s, const std::vector<size_t>& pieces, bool* removed) {
  DoctypeFilter filter;
  std::string out;
  size_t at = 0, k = 0;
  while (at < s.size()) {
    size_t n = pieces.empty() ? s.size() : std::min(pieces[k++ % pieces.size()], s.size() - at);
    ExactText piece(s.substr(at, n));
    ExactBuffer room(n + DoctypeFilter::kMaxHeld);
    size_t written = filter.Feed(piece.c_str(), n, room.data());
    FUZZ_CHECK(written <= room.size());
    out.append(room.data(), written);
    at += n;
  }
  ExactBuffer rest(DoctypeFilter::kMaxHeld);
  size_t held = filter.Finish(rest.data());
  FUZZ_CHECK(held <= DoctypeFilter::kMaxHeld);
  out.append(rest.data(), held);
  *removed = filter.Removed();
  return out;
}

// The filter's rules, read straight off the whole input: before the first
// element, a "<!DOCTYPE" declaration goes (up to its '>', a bracketed subset
// with its comments and quoted literals included) but for its line feeds;
// comments and processing instructions stay; from anything else on, the input
// is copied as it is.
size_t SkipDeclaration(const std::string& s, size_t i, std::string* out) {
  bool subset = false;
  char quote = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c == '\n') *out += c;
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (!subset && c == '[') {
      subset = true;
    } else if (!subset && c == '>') {
      return i + 1;
    } else if (subset && c == ']') {
      subset = false;
    } else if (subset && s.compare(i, 4, "<!--") == 0) {
      size_t end = s.find("-->", i + 4);
      end = end == std::string::npos ? s.size() : end + 3;
      for (size_t k = i; k < end; ++k)
        if (s[k] == '\n') *out += '\n';
      i = end - 1;
    }
  }
  return i;
}

std::string ReferenceFilter(const std::string& s, bool* removed) {
  std::string out;
  *removed = false;
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] != '<') {
      out += s[i++];
      continue;
    }
    if (s.compare(i, 9, "<!DOCTYPE") == 0) {
      *removed = true;
      i = SkipDeclaration(s, i + 9, &out);
      continue;
    }
    const char* close = s.compare(i, 4, "<!--") == 0 ? "-->" : s.compare(i, 2, "<?") == 0 ? "?>" : nullptr;
    if (!close) break;
    size_t end = s.find(close, i + (close[0] == '-' ? 4 : 2));
    end = end == std::string::npos ? s.size() : end + strlen(close);
    out.append(s, i, end - i);
    i = end;
  }
  out.append(s, i, std::string::npos);
  return out;
}

void CheckFilter(const std::string& s, const std::vector<size_t>& pieces) {
  bool removed = false, removedWhole = false, removedPieces = false;
  std::string want = ReferenceFilter(s, &removed);
  FUZZ_CHECK(Filter(s, {}, &removedWhole) == want && removedWhole == removed);
  FUZZ_CHECK(Filter(s, pieces, &removedPieces) == want && removedPieces == removed);
}

// Does the text hold the word, not as a part of a longer name?
bool HoldsWord(const std::string& text, const std::string& word) {
  auto inName = [](char c) { return isalnum((unsigned char)c) || c == '_' || c == '-'; };
  if (word.empty()) return false;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    bool starts = at == 0 || !inName(text[at - 1]);
    bool ends = at + word.size() == text.size() || !inName(text[at + word.size()]);
    if (starts && ends) return true;
  }
  return false;
}

// "-nosound" is named also by "-[no]sound".
bool ReferenceNames(const std::string& usage, const std::string& option) {
  if (HoldsWord(usage, option)) return true;
  return option.compare(0, 3, "-no") == 0 && HoldsWord(usage, "-[no]" + option.substr(3));
}

// The usage text in a block of exactly its length, not terminated.
void CheckUsage(const std::string& usage, const std::string& option) {
  std::unique_ptr<char[]> text(new char[usage.size() ? usage.size() : 1]);
  memcpy(text.get(), usage.data(), usage.size());
  ExactText sw(option);
  FUZZ_CHECK(UsageNamesSwitch(text.get(), usage.size(), sw.c_str()) == ReferenceNames(usage, option));

  std::string written = usage + " " + option + ",";
  std::unique_ptr<char[]> more(new char[written.size()]);
  memcpy(more.get(), written.data(), written.size());
  FUZZ_CHECK(UsageNamesSwitch(more.get(), written.size(), sw.c_str()) == ReferenceNames(written, option));

  unsigned rows = UnknownOptionRows(text.get(), usage.size());
  unsigned want = 0;
  for (int n = 1; n <= kOptionCount; ++n) {
    const char* s = OptionSwitch(n);
    while (*s == ' ') ++s;
    if (!ReferenceNames(usage, s)) want |= 1u << (n - 1);
  }
  FUZZ_CHECK(rows == want);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string s((const char*)data, size);
  FuzzInput in(data, size);
  std::vector<size_t> pieces;
  for (int i = 0, n = (int)in.Range(1, 6); i < n; ++i) pieces.push_back((size_t)in.Range(1, 24));
  CheckFilter(s, pieces);
  // Switches are short words: names of up to 40 characters, well within the
  // check's own room for the "-[no]" form.
  FuzzInput texts(data, size);
  CheckUsage(s, texts.Text(40));
  return 0;
}
