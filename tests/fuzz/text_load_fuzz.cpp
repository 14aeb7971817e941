// The text loader's line ends: the converted text has CR LF for every line
// feed and nothing after a Ctrl-Z, its length is what the measure says, and a
// small buffer gets a terminated, cut copy of it. The file bytes lie in a
// block of their exact size.
#include "preview/text_load.h"
#include "tests/fuzz/fuzz_input.h"
#include <vector>

static std::string Expected(const std::string& bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == 0x1A) break;
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  size_t outSize = (size_t)in.Range(0, 64);
  std::unique_ptr<char[]> bytes(new char[size ? size : 1]);
  if (size) memcpy(bytes.get(), data, size);

  size_t length = DocumentTextLength(bytes.get(), size);
  std::string want = Expected(std::string((const char*)data, size));
  FUZZ_CHECK(length == want.size());

  std::vector<char> whole(length + 1, '#');
  size_t written = ConvertDocumentText(bytes.get(), size, whole.data(), whole.size());
  FUZZ_CHECK(written == length && whole[length] == 0);
  FUZZ_CHECK(std::string(whole.data(), written) == want);
  for (size_t i = 0; i < written; ++i)
    if (whole[i] == '\n') FUZZ_CHECK(i > 0 && whole[i - 1] == '\r');

  ExactBuffer out(outSize);
  size_t cut = ConvertDocumentText(bytes.get(), size, out.data(), outSize);
  if (outSize == 0) {
    FUZZ_CHECK(cut == 0 && out.Untouched());
  } else {
    FUZZ_CHECK(cut == (length < outSize - 1 ? length : outSize - 1));
    FUZZ_CHECK(out.data()[cut] == 0);
    FUZZ_CHECK(memcmp(out.data(), want.data(), cut) == 0);
  }
  return 0;
}
