// Short names and their lookup: both readers stay within their buffers and
// take only what the rules say, folding touches A to Z only, and the lookup
// finds the last row added under a name whatever its case.
#include "catalogue/document_lookup.h"
#include "catalogue/short_name.h"
#include "tests/fuzz/fuzz_input.h"
#include <map>
#include <vector>

static std::string Folded(const std::string& s) {
  std::string f = s;
  for (char& c : f)
    if (c >= 'A' && c <= 'Z') c = (char)(c + 32);
  return f;
}

static std::string Upper(const std::string& s) {
  std::string f = s;
  for (char& c : f)
    if (c >= 'a' && c <= 'z') c = (char)(c - 32);
  return f;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  size_t outSize = (size_t)in.Range(0, 40);
  bool useTitle = in.Flag();
  ExactText field(in.Text());

  // From the document's field: drop the first character, cut at the first blank.
  ExactBuffer out(outSize);
  ShortNameFromDocumentField(field.c_str(), outSize ? out.data() : nullptr, outSize);
  std::string want = field.size() ? std::string(field.c_str() + 1) : std::string();
  want = want.substr(0, want.find(' '));
  if (outSize) {
    FUZZ_CHECK(out.Terminated());
    FUZZ_CHECK(out.str() == CutTo(want, outSize));
  }

  // From a file title: cut at the last dot, fold.
  ExactBuffer title(outSize);
  ShortNameFromTitle(field.c_str(), outSize ? title.data() : nullptr, outSize);
  std::string base = field.c_str();
  size_t dot = base.rfind('.');
  if (dot != std::string::npos) base.resize(dot);
  if (outSize) {
    FUZZ_CHECK(title.Terminated());
    FUZZ_CHECK(title.str() == CutTo(Folded(base), outSize));
  }

  // The lookup: names from the rest of the input, rows in order.
  DocumentLookup lookup;
  std::map<std::string, int> last;
  std::vector<std::string> names;
  for (int row = 0; in.Left() && row < 64; ++row) {
    std::string name = in.Text(40);
    char shortName[16];
    if (useTitle) ShortNameFromTitle(name.c_str(), shortName, sizeof shortName);
    else ShortNameFromDocumentField(name.c_str(), shortName, sizeof shortName);
    ExactText exact(shortName);
    lookup.Add(exact.c_str(), row);
    last[Folded(shortName)] = row;
    names.push_back(shortName);
  }
  FUZZ_CHECK(lookup.Size() == last.size());
  for (const std::string& name : names) {
    FUZZ_CHECK(FoldLower(name.c_str()) == Folded(name));
    ExactText upper(Upper(name));
    FUZZ_CHECK(lookup.Find(upper.c_str()) == last[Folded(name)]);
    FUZZ_CHECK(lookup.Find(name.c_str()) == lookup.Find(upper.c_str()));
  }
  std::string absent = std::string(field.c_str()) + "\x01";
  if (!last.count(Folded(absent))) FUZZ_CHECK(lookup.Find(absent.c_str()) == -1);
  FUZZ_CHECK(FoldLower(nullptr).empty());
  return 0;
}
