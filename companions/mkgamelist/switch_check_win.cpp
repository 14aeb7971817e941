// The usage check: the emulator's usage text through a pipe, bounded in size
// and in time like the machine list, and the record it gives in vintor.ini.
// Each run replaces the whole record; a run that cannot learn the switches
// removes it, so that no record of another emulator stays behind.
#include "companions/mkgamelist/switch_check_win.h"
#include "companions/mkgamelist/console_win.h"
#include "companions/mkgamelist/sources_win.h"
#include "companions/mkgamelist/usage_switches.h"
#include "launch/switch_record.h"
#include <cstdio>
#include <string>

static const size_t kUsageMax = 4 << 20;  // today's text is about 40 KB

static const char kLabel[] = "Options:";

// The emulator's usage text, or "" with the reason in `why` when there is none.
static std::string ReadUsage(const char* emulator, const char* folder, DWORD waitMs, std::string* why) {
  if (!FileExists(emulator)) {
    *why = "mame.exe is not in this folder, so its option switches were not checked";
    return std::string();
  }
  EmulatorSource source(waitMs);
  if (!source.Start(emulator, "-showusage", folder)) {
    *why = "cannot start mame.exe -showusage (" + SystemText(GetLastError()) + "), so the switches were not checked";
    return std::string();
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
    *why = "mame.exe -showusage gave no usage text, so the switches were not checked";
    return std::string();
  }
  return usage;
}

static bool WriteRecord(const std::string& settings, const SwitchRecord& record) {
  bool written = WritePrivateProfileStringA(kSwitchSection, nullptr, nullptr, settings.c_str()) != FALSE;
  for (int n = 1; n <= kOptionCount && written; ++n) {
    char value[kSwitchTextSize + 16];
    RecordedSwitchValue(record, n, value, sizeof value);
    written = WritePrivateProfileStringA(kSwitchSection, OptionKey(n), value, settings.c_str()) != FALSE;
  }
  return written;
}

// "-nosound as -sound none, ..." for the boxes in `state`.
static std::string Boxes(const SwitchRecord& record, SwitchState state) {
  std::string list;
  for (int n = 1; n <= kOptionCount; ++n) {
    if (RecordedSwitchState(record, n) != state) continue;
    list += list.empty() ? "" : ", ";
    list += OptionSwitch(n) + 1;
    if (state == kSwitchReplaced) list += std::string(" as") + record.text[n - 1];
  }
  return list;
}

static void TellRecord(const SwitchRecord& record) {
  std::string same = Boxes(record, kSwitchAsItStands), replaced = Boxes(record, kSwitchReplaced);
  std::string unsupported = Boxes(record, kSwitchUnsupported);
  std::string takes = same.empty() ? "" : same + " as they are";
  if (!replaced.empty()) takes += (takes.empty() ? "" : ", ") + replaced;
  std::string text = "recorded in vintor.ini for Vintor's Options page: ";
  text += takes.empty() ? "this mame.exe accepts none of the nine switches" : "this mame.exe takes " + takes;
  if (!unsupported.empty()) text += "; it does not accept " + unsupported + " (Vintor leaves those boxes out)";
  Say(kLabel, text + ".");
}

void CheckOptionSwitches(const char* emulator, const char* folder, DWORD waitMs) {
  std::string settings = std::string(folder) + "\\vintor.ini";
  std::string why;
  std::string usage = ReadUsage(emulator, folder, waitMs, &why);
  if (usage.empty()) {
    WritePrivateProfileStringA(kSwitchSection, nullptr, nullptr, settings.c_str());
    Say(kLabel, why + "; no switches recorded (Vintor passes them as they are).");
    return;
  }
  SwitchRecord record;
  RecordSwitchesFromUsage(usage.data(), usage.size(), &record);
  if (!WriteRecord(settings, record)) {
    DWORD error = GetLastError();
    Say(kLabel, "cannot write the switches into " + settings + " (" + SystemText(error) +
                    "); Vintor passes them as they are.");
    WritePrivateProfileStringA(kSwitchSection, nullptr, nullptr, settings.c_str());
    return;
  }
  TellRecord(record);
}
