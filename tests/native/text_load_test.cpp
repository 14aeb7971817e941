// Conversion of document files into edit-control text.
#include "tests/testkit/testkit.h"
#include "preview/text_load.h"
#include <string>
#include <vector>

static std::string Converted(const std::string& bytes) {
  size_t length = DocumentTextLength(bytes.data(), bytes.size());
  std::vector<char> out(length + 1, '#');
  size_t written = ConvertDocumentText(bytes.data(), bytes.size(), out.data(), out.size());
  CHECK_EQ(written, length);
  CHECK_EQ((int)out[length], 0);
  return std::string(out.data(), written);
}

TEST_CASE(line_ends) {
  struct { const char* what; std::string in, out; } rows[] = {
      {"empty file", "", ""},
      {"CR LF kept whole", "one\r\ntwo\r\n", "one\r\ntwo\r\n"},
      // The old loader cut this at the file's length and lost one character per line.
      {"bare LF grows into CR LF, nothing lost", "one\ntwo\nthree\n", "one\r\ntwo\r\nthree\r\n"},
      {"no line end at the end", "last line", "last line"},
      {"mixed", "a\r\nb\nc\r\n", "a\r\nb\r\nc\r\n"},
      {"lone CR stays", "a\rb", "a\rb"},
      {"CR at the very end", "a\r", "a\r"},
      {"CR CR LF", "a\r\r\nb", "a\r\r\nb"},
      {"Ctrl-Z ends the text", std::string("text\r\n\x1a" "after"), "text\r\n"},
      {"only line feeds", "\n\n\n", "\r\n\r\n\r\n"},
  };
  for (auto& row : rows)
    if (Converted(row.in) != row.out) testkit::Fail(__FILE__, __LINE__, row.what);
}

// NUL bytes and high bytes pass unchanged (the control shows up to the NUL).
TEST_CASE(binary_content) {
  std::string in("a\0b\n\xff\xfe", 6);
  std::string out = Converted(in);
  CHECK_EQ(out.size(), (size_t)7);
  CHECK(out == std::string("a\0b\r\n\xff\xfe", 7));
}

// A buffer too small cuts the text and still terminates it.
TEST_CASE(small_buffer_never_overruns) {
  const std::string in = "12\n34\n56\n";
  for (size_t size = 0; size < 12; ++size) {
    std::vector<char> out(size + 4, '#');
    size_t n = ConvertDocumentText(in.data(), in.size(), out.data(), size);
    if (size == 0) {
      CHECK_EQ(n, (size_t)0);
      CHECK_EQ(out[0], '#');
      continue;
    }
    CHECK(n < size);
    CHECK_EQ((int)out[n], 0);
    for (size_t i = size; i < out.size(); ++i) CHECK_EQ(out[i], '#');
    CHECK(std::string("12\r\n34\r\n56\r\n").compare(0, n, out.data(), n) == 0);
  }
}

TEST_CASE(large_lf_file_keeps_every_character) {
  std::string in, want;
  for (int i = 0; i < 5000; ++i) {
    in += "line " + std::to_string(i) + "\n";
    want += "line " + std::to_string(i) + "\r\n";
  }
  CHECK(Converted(in) == want);
}
