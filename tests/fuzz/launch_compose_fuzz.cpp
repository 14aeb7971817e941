// The emulator's parameters: any short name, any stored option values, any
// free text, any buffer. The result is the short name, the switches of the
// options that are set in row order, a blank and the free text, cut to the
// buffer and terminated; the verification text holds only safe names, whole.
#include "launch/cmd_safe.h"
#include "launch/compose.h"
#include "tests/fuzz/fuzz_input.h"
#include <climits>

namespace {

struct Stored {
  int values[kOptionCount + 1];
  std::string commandLine;
  bool terminate;  // a reader that leaves its output unterminated when it is full
};

int ReadInt(void* context, const char* key) {
  const Stored* s = (const Stored*)context;
  for (int n = 1; n <= kOptionCount; ++n)
    if (strcmp(key, OptionKey(n)) == 0) return s->values[n];
  return 0;
}

void ReadText(void* context, const char* key, char* out, size_t outSize) {
  const Stored* s = (const Stored*)context;
  if (strcmp(key, "CommandLine") != 0 || outSize == 0) return;
  size_t n = s->commandLine.size() < outSize ? s->commandLine.size() : outSize;
  if (s->terminate && n == outSize) --n;
  memcpy(out, s->commandLine.data(), n);
  if (n < outSize) out[n] = 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  Stored stored;
  for (int n = 1; n <= kOptionCount; ++n) stored.values[n] = in.Byte() & 1 ? (int)in.U64(4) : 0;
  stored.terminate = in.Flag();
  size_t bufferSize = (size_t)in.Range(0, kLaunchBufferSize);
  std::string shortName = in.Text();
  stored.commandLine = in.Text();
  const char* counterFolder = "C:\\MAME\\winis\\";

  // Parameters: the buffer first holds the short name, cut as a copy cuts it.
  ExactBuffer buffer(bufferSize);
  if (bufferSize) {
    std::string first = CutTo(shortName, bufferSize);
    memcpy(buffer.data(), first.c_str(), first.size() + 1);
  }
  OptionsReader reader = {ReadInt, ReadText, &stored};
  AppendOptionsText(bufferSize ? buffer.data() : nullptr, bufferSize, reader);
  std::string want = shortName;
  for (int n = 1; n <= kOptionCount; ++n)
    if (stored.values[n] != 0) want += OptionSwitch(n);
  std::string free = stored.commandLine.substr(0, kCommandLineSize - 1);
  free = free.c_str();
  if (!free.empty()) want += " " + free;
  if (bufferSize) {
    FUZZ_CHECK(buffer.Terminated());
    FUZZ_CHECK(buffer.str() == CutTo(want, bufferSize));
  }

  // Verification: a safe name whole, or nothing.
  ExactText name(shortName);
  ExactBuffer verify(bufferSize);
  bool ok = ComposeVerifyParameters(name.c_str(), bufferSize ? verify.data() : nullptr, bufferSize);
  std::string line = std::string("/k \"mame.exe\" -verifyroms ") + name.c_str();
  bool safe = IsCmdSafeName(name.c_str());
  for (const char* p = name.c_str(); *p; ++p)
    if (strchr("&|<>^%!\"()", *p) || (unsigned char)*p < 0x20 || *p == 0x7F) FUZZ_CHECK(!safe);
  FUZZ_CHECK(ok == (safe && line.size() < bufferSize));
  if (bufferSize) FUZZ_CHECK(verify.str() == (ok ? line : std::string()));

  // The counter file: whole or nothing, and none for a game without a name.
  ExactBuffer path(bufferSize);
  bool fits = CounterFilePath(counterFolder, name.c_str(), bufferSize ? path.data() : nullptr, bufferSize);
  std::string whole = std::string(counterFolder) + name.c_str() + ".ini";
  FUZZ_CHECK(fits == (name.c_str()[0] && whole.size() < bufferSize));
  if (bufferSize) FUZZ_CHECK(path.str() == (fits ? whole : std::string()));

  int count = stored.values[1];
  int next = NextRunCount(count);
  FUZZ_CHECK(count == INT_MAX ? next == INT_MAX : next == count + 1);
  int n = (int)in.U64(4);
  FUZZ_CHECK(OptionKey(n) != nullptr && OptionSwitch(n) != nullptr);
  return 0;
}
