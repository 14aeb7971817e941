// Two byte-stream checks of mkgamelist. The document type filter: fed in any
// pieces it gives what it gives fed whole, never more than the room it
// promises a piece, only bytes of the input in their order, every line feed
// kept, and the input unchanged when nothing was taken out. The usage-switch
// check: the usage text is never read past its length, a switch written as a
// word of its own is found, and the mask of unknown rows agrees with the
// single checks.
// Input: the whole of it is the stream and the usage text; its first text is
// also the switch; piece sizes come from the back.
#include "launch/compose.h"
#include "tests/fuzz/fuzz_input.h"
#include "companions/mkgamelist/doctype_filter.h"
#include "companions/mkgamelist/usage_switches.h"
#include <algorithm>
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

bool Subsequence(const std::string& part, const std::string& whole) {
  size_t i = 0;
  for (char c : whole) {
    if (i < part.size() && part[i] == c) ++i;
  }
  return i == part.size();
}

void CheckFilter(const std::string& s, const std::vector<size_t>& pieces) {
  bool removedWhole = false, removedPieces = false;
  std::string whole = Filter(s, {}, &removedWhole);
  std::string cut = Filter(s, pieces, &removedPieces);
  FUZZ_CHECK(cut == whole && removedPieces == removedWhole);
  FUZZ_CHECK(std::count(whole.begin(), whole.end(), '\n') == std::count(s.begin(), s.end(), '\n'));
  FUZZ_CHECK(Subsequence(whole, s));
  if (!removedWhole) FUZZ_CHECK(whole == s);
  if (s.find("<!DOCTYPE") == std::string::npos) FUZZ_CHECK(!removedWhole);
}

// The usage text in a block of exactly its length, not terminated.
void CheckUsage(const std::string& usage, const std::string& option) {
  std::unique_ptr<char[]> text(new char[usage.size() ? usage.size() : 1]);
  memcpy(text.get(), usage.data(), usage.size());
  ExactText sw(option);
  bool named = UsageNamesSwitch(text.get(), usage.size(), sw.c_str());
  FUZZ_CHECK(named == UsageNamesSwitch(text.get(), usage.size(), sw.c_str()));
  if (usage.find(option) == std::string::npos && option.compare(0, 3, "-no") != 0) FUZZ_CHECK(!named);

  std::string written = usage + " " + option + ",";
  std::unique_ptr<char[]> more(new char[written.size()]);
  memcpy(more.get(), written.data(), written.size());
  if (!option.empty()) FUZZ_CHECK(UsageNamesSwitch(more.get(), written.size(), sw.c_str()));

  unsigned rows = UnknownOptionRows(text.get(), usage.size());
  FUZZ_CHECK(rows < (1u << kOptionCount));
  FUZZ_CHECK(rows == UnknownOptionRows(text.get(), usage.size()));
  for (int n = 1; n <= kOptionCount; ++n) {
    const char* s = OptionSwitch(n);
    while (*s == ' ') ++s;
    FUZZ_CHECK(((rows >> (n - 1)) & 1) == !UsageNamesSwitch(text.get(), usage.size(), s));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string s((const char*)data, size);
  FuzzInput in(data, size);
  std::vector<size_t> pieces;
  for (int i = 0, n = (int)in.Range(1, 6); i < n; ++i) pieces.push_back((size_t)in.Range(1, 24));
  CheckFilter(s, pieces);
  FuzzInput texts(data, size);
  CheckUsage(s, texts.Text(80));
  return 0;
}
