// Whole-word search of the switches in the emulator's usage text, and the
// switch each box is to give that emulator.
#include "companions/mkgamelist/usage_switches.h"
#include "launch/switch_record.h"
#include <cstdio>
#include <cstring>

static bool PartOfName(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

static bool NamesWord(const char* text, size_t length, const char* word) {
  size_t n = strlen(word);
  if (n == 0 || n > length) return false;
  for (size_t i = 0; i + n <= length; ++i) {
    if (memcmp(text + i, word, n) != 0) continue;
    bool startsWord = i == 0 || !PartOfName(text[i - 1]);
    bool endsWord = i + n == length || !PartOfName(text[i + n]);
    if (startsWord && endsWord) return true;
  }
  return false;
}

bool UsageNamesSwitch(const char* usage, size_t length, const char* option) {
  if (!usage || !option) return false;
  if (NamesWord(usage, length, option)) return true;
  if (strncmp(option, "-no", 3) != 0) return false;
  char negatable[64];
  int n = snprintf(negatable, sizeof negatable, "-[no]%s", option + 3);
  return n > 0 && n < (int)sizeof negatable && NamesWord(usage, length, negatable);
}

unsigned UnknownOptionRows(const char* usage, size_t length) {
  unsigned rows = 0;
  for (int n = 1; n <= kOptionCount; ++n) {
    const char* option = OptionSwitch(n);
    while (*option == ' ') ++option;
    if (!UsageNamesSwitch(usage, length, option)) rows |= 1u << (n - 1);
  }
  return rows;
}

// The switch itself, or its "-[no]" form, which names it as well.
static bool NamedWithOrWithoutNo(const char* usage, size_t length, const char* option) {
  if (UsageNamesSwitch(usage, length, option)) return true;
  char negated[64];
  int n = snprintf(negated, sizeof negated, "-no%s", option + 1);
  return n > 0 && n < (int)sizeof negated && UsageNamesSwitch(usage, length, negated);
}

// True when the line that introduces `option` (the word first on its line)
// describes a true/false switch: "-sound   enable sound output".
static bool DescribedAsOnOff(const char* usage, size_t length, const char* option) {
  size_t from = 0;
  while (from < length) {
    size_t end = from;
    while (end < length && usage[end] != '\n') ++end;
    size_t at = from;
    while (at < end && (usage[at] == ' ' || usage[at] == '\t')) ++at;
    size_t n = strlen(option);
    if (end - at > n && memcmp(usage + at, option, n) == 0 && !PartOfName(usage[at + n])) {
      at += n;
      while (at < end && (usage[at] == ' ' || usage[at] == '\t')) ++at;
      return end - at >= 6 && memcmp(usage + at, "enable", 6) == 0;
    }
    from = end + 1;
  }
  return false;
}

static const char* NoSoundSwitch(const char* usage, size_t length) {
  if (UsageNamesSwitch(usage, length, "-nosound")) return "-nosound";
  if (!UsageNamesSwitch(usage, length, "-sound")) return kUnsupportedSwitch;
  // "-no" works only before a true/false switch; today -sound chooses an output.
  return DescribedAsOnOff(usage, length, "-sound") ? "-nosound" : "-sound none";
}

void RecordSwitchesFromUsage(const char* usage, size_t length, SwitchRecord* record) {
  for (int n = 1; n <= kOptionCount; ++n) {
    const char* option = OptionSwitch(n) + 1;
    const char* value = kUnsupportedSwitch;
    if (n == 1) value = NoSoundSwitch(usage, length);
    else if (NamedWithOrWithoutNo(usage, length, option)) value = option;
    else if (n == 6 && UsageNamesSwitch(usage, length, "-priority")) value = "-priority 1";
    ReadRecordedSwitch(record, n, value);
  }
}
