// Reading and writing the values of the switch record.
#include "launch/switch_record.h"
#include "shell/install_paths.h"
#include <cstring>

const char kSwitchSection[] = "SWITCHES";
const char kUnsupportedSwitch[] = "unsupported";

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

bool SameWord(const char* a, size_t n, const char* word) {
  if (strlen(word) != n) return false;
  for (size_t i = 0; i < n; ++i) {
    char c = a[i] >= 'A' && a[i] <= 'Z' ? (char)(a[i] - 'A' + 'a') : a[i];
    if (c != word[i]) return false;
  }
  return true;
}

// A value the emulator can take as one or more switches: '-' first, no quote
// (it would join words for the emulator) and no control character.
bool UsableSwitch(const char* text, size_t n) {
  if (n == 0 || n > kSwitchTextSize - 2 || text[0] != '-') return false;
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = (unsigned char)text[i];
    if (c < 0x20 || c == 0x7F || c == '"') return false;
  }
  return true;
}

}  // namespace

void SetSwitchesAsTheyStand(SwitchRecord* record) {
  for (int n = 1; n <= kOptionCount; ++n) CopyText(record->text[n - 1], kSwitchTextSize, OptionSwitch(n));
}

void ReadRecordedSwitch(SwitchRecord* record, int n, const char* value) {
  if (!record || n < 1 || n > kOptionCount) return;
  char* text = record->text[n - 1];
  CopyText(text, kSwitchTextSize, OptionSwitch(n));
  if (!value) return;
  while (Blank(*value)) ++value;
  size_t length = strlen(value);
  while (length > 0 && Blank(value[length - 1])) --length;
  if (SameWord(value, length, kUnsupportedSwitch)) {
    text[0] = 0;
  } else if (UsableSwitch(value, length)) {
    text[0] = ' ';
    memcpy(text + 1, value, length);
    text[length + 1] = 0;
  }
}

void RecordedSwitchValue(const SwitchRecord& record, int n, char* out, size_t outSize) {
  if (n < 1 || n > kOptionCount) return CopyText(out, outSize, "");
  const char* text = record.text[n - 1];
  CopyText(out, outSize, text[0] ? text + 1 : kUnsupportedSwitch);
}

SwitchState RecordedSwitchState(const SwitchRecord& record, int n) {
  if (n < 1 || n > kOptionCount) return kSwitchAsItStands;
  const char* text = record.text[n - 1];
  if (!text[0]) return kSwitchUnsupported;
  return strcmp(text, OptionSwitch(n)) == 0 ? kSwitchAsItStands : kSwitchReplaced;
}
