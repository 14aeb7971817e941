// Size texts for any 64-bit length and any buffer: terminated within the
// buffer, a cut copy of the full text, the full text of the documented shape.
#include "catalogue/file_size_text.h"
#include "tests/fuzz/fuzz_input.h"
#include <cctype>

// "0 bytes", or digits "." one digit " " K, M or G "B".
static bool WellFormed(const std::string& s) {
  if (s == "0 bytes") return true;
  size_t dot = s.find('.');
  if (dot == 0 || dot == std::string::npos || s.size() != dot + 5) return false;
  for (size_t i = 0; i < dot; ++i)
    if (!isdigit((unsigned char)s[i])) return false;
  return isdigit((unsigned char)s[dot + 1]) && s[dot + 2] == ' ' && strchr("KMG", s[dot + 3]) && s[dot + 4] == 'B';
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  long long length = (long long)in.U64();
  size_t outSize = (size_t)in.Range(0, 40);

  char full[64];
  FormatFileSizeTo(length, full, sizeof full);
  FUZZ_CHECK(memchr(full, 0, sizeof full));
  std::string text = full;
  if (length < 0) FUZZ_CHECK(text.empty());
  else FUZZ_CHECK(WellFormed(text));
  if (length > 0) {
    char unit = length >= (1LL << 30) ? 'G' : length >= (1LL << 20) ? 'M' : 'K';
    FUZZ_CHECK(text[text.size() - 2] == unit);
  }

  ExactBuffer out(outSize);
  FormatFileSizeTo(length, outSize ? out.data() : nullptr, outSize);
  if (outSize) {
    FUZZ_CHECK(out.Terminated());
    FUZZ_CHECK(out.str() == CutTo(text, outSize));
  }
  FUZZ_CHECK(std::string(FormatFileSize(length)) == text);
  return 0;
}
