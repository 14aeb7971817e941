// Short names from the document's padded field and from file titles.
#include "tests/testkit/testkit.h"
#include "catalogue/short_name.h"
#include <string>

TEST_CASE(document_field_drops_blank_and_cuts) {
  struct { const char* field; const char* want; } rows[] = {
    {" samplegm ", "samplegm"}, {" 1942     ", "1942"}, {" abcdefghi", "abcdefghi"},
    {"", ""}, {" ", ""}, {"  x", ""}, {"xname", "name"},
  };
  char out[260];
  for (auto& r : rows) {
    ShortNameFromDocumentField(r.field, out, sizeof out);
    CHECK_STR(out, r.want);
  }
  ShortNameFromDocumentField(" abcdef", out, 4);
  CHECK_STR(out, "abc");
}

TEST_CASE(title_cut_at_last_dot_and_lowered) {
  struct { const char* title; const char* want; } rows[] = {
    {"SampleGm.ZIP", "samplegm"}, {"Sample", "sample"}, {"a.b.7z", "a.b"}, {".zip", ""},
    {"MIXED Case ÄÖ.zip", "mixed case \xc3\x84\xc3\x96"}, {"", ""},
  };
  char out[260];
  for (auto& r : rows) {
    ShortNameFromTitle(r.title, out, sizeof out);
    CHECK_STR(out, r.want);
  }
  std::string longName(400, 'A');
  ShortNameFromTitle(longName.c_str(), out, sizeof out);
  CHECK_EQ(std::string(out), std::string(259, 'a'));
}
