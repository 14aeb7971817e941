// Language texts: the line breaks change every '~' and nothing else; the
// one-integer format stays within its buffer, gives a cut copy of what a large
// buffer gets, and never lets a translator's conversion read a missing argument.
#include "shell/lang_text.h"
#include "tests/fuzz/fuzz_input.h"
#include <chrono>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  long value = (long)in.U64();
  size_t outSize = (size_t)in.Range(0, 300);
  std::string format = in.Text();

  ExactText text(format);
  std::string copy = text.c_str();
  ExpandLineBreaks(const_cast<char*>(text.c_str()));
  std::string expanded = text.c_str();
  FUZZ_CHECK(expanded.size() == copy.size());
  for (size_t i = 0; i < copy.size(); ++i) FUZZ_CHECK(expanded[i] == (copy[i] == '~' ? '\n' : copy[i]));
  ExpandLineBreaks(nullptr);

  ExactText fmt(format);
  char full[4096];
  // A language text is formatted while the user waits: microseconds, not seconds.
  const auto start = std::chrono::steady_clock::now();
  FormatWithInteger(full, sizeof full, fmt.c_str(), value);
  FUZZ_CHECK(std::chrono::steady_clock::now() - start < std::chrono::seconds(2));
  FUZZ_CHECK(memchr(full, 0, sizeof full));
  // At most one number comes in, and a number has no more than 63 characters.
  FUZZ_CHECK(strlen(full) <= format.size() + 63);
  if (!strchr(fmt.c_str(), '%')) FUZZ_CHECK(std::string(full) == fmt.c_str());
  ExactBuffer out(outSize);
  FormatWithInteger(outSize ? out.data() : nullptr, outSize, fmt.c_str(), value);
  if (outSize) {
    FUZZ_CHECK(out.Terminated());
    FUZZ_CHECK(out.str() == CutTo(full, outSize));
  }
  return 0;
}
