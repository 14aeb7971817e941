// The usage check: the emulator's usage text through a pipe, bounded in size
// and in time like the machine list.
#include "companions/mkgamelist/switch_check_win.h"
#include "companions/mkgamelist/console_win.h"
#include "companions/mkgamelist/sources_win.h"
#include "companions/mkgamelist/usage_switches.h"
#include "launch/compose.h"
#include <cstdio>
#include <string>

static const size_t kUsageMax = 4 << 20;  // today's text is about 40 KB

void CheckOptionSwitches(const char* emulator, const char* folder, DWORD waitMs) {
  if (!FileExists(emulator)) {
    printf("Options:        mame.exe is not in this folder, so its option switches were not checked.\n");
    return;
  }
  EmulatorSource source(waitMs);
  if (!source.Start(emulator, "-showusage", folder)) {
    printf("Options:        cannot start mame.exe -showusage (%s); switches not checked.\n",
           SystemText(GetLastError()).c_str());
    return;
  }
  std::string usage;
  char buffer[16384];
  size_t got = 0;
  ByteSource::Result r;
  while ((r = source.Read(buffer, sizeof buffer, &got)) == ByteSource::kData) {
    if (usage.size() < kUsageMax) usage.append(buffer, got);
  }
  DWORD exitCode = 0;
  if (source.Finish(r == ByteSource::kSilent, &exitCode) == EmulatorSource::kHung || r != ByteSource::kEnd ||
      usage.empty()) {
    printf("Options:        mame.exe -showusage gave no usage text; switches not checked.\n");
    return;
  }
  unsigned unknown = UnknownOptionRows(usage.data(), usage.size());
  if (!unknown) {
    printf("Options:        this mame.exe knows all nine option switches of the Options page.\n");
    return;
  }
  printf("Options:        this mame.exe does not know");
  for (int n = 1; n <= kOptionCount; ++n) {
    if (unknown & (1u << (n - 1))) printf("%s", OptionSwitch(n));
  }
  printf("; leave these unchecked on the Options page.\n");
}
