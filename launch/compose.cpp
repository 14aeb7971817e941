// Composition of the emulator's parameters from the stored options.
#include "launch/compose.h"
#include "shell/install_paths.h"
#include <climits>
#include <cstdio>
#include <cstring>

namespace {
const char* const kKeys[kOptionCount] = {"Option_1", "Option_2", "Option_3", "Option_4", "Option_5",
                                         "Option_6", "Option_7", "Option_8", "Option_9"};
const char* const kSwitches[kOptionCount] = {" -nosound",       " -window", " -mouse",
                                             " -joystick",      " -skip_gameinfo",
                                             " -high_priority", " -sl",     " -matchrefresh",
                                             " -triplebuffer"};
}  // namespace

const char* OptionKey(int n) { return n >= 1 && n <= kOptionCount ? kKeys[n - 1] : ""; }
const char* OptionSwitch(int n) { return n >= 1 && n <= kOptionCount ? kSwitches[n - 1] : ""; }

void AppendOptionsText(char* buffer, size_t bufferSize, const OptionsReader& reader, const SwitchRecord* record) {
  if (!buffer || bufferSize == 0) return;
  for (int n = 1; n <= kOptionCount; ++n) {
    // Any value but 0 counts as set, not only the 1 that the page writes.
    if (reader.readInt(reader.context, OptionKey(n)) == 0) continue;
    // A recorded text is held to its field, terminated or not.
    char text[kSwitchTextSize];
    const char* from = record ? record->text[n - 1] : OptionSwitch(n);
    size_t length = strnlen(from, sizeof text - 1);
    memcpy(text, from, length);
    text[length] = 0;
    AppendText(buffer, bufferSize, text);
  }
  char text[kCommandLineSize] = "";
  reader.readText(reader.context, "CommandLine", text, sizeof text);
  text[sizeof text - 1] = 0;
  if (text[0]) {
    AppendText(buffer, bufferSize, " ");
    AppendText(buffer, bufferSize, text);
  }
}

bool CounterFilePath(const char* counterFolder, const char* shortName, char* out, size_t outSize) {
  if (!out || outSize == 0) return false;
  out[0] = 0;
  if (!shortName || !shortName[0]) return false;  // no game: "winis\.ini" would count for nobody
  int n = snprintf(out, outSize, "%s%s.ini", counterFolder ? counterFolder : "", shortName);
  if (n < 0 || (size_t)n >= outSize) {
    out[0] = 0;
    return false;
  }
  return true;
}

int NextRunCount(int stored) { return stored == INT_MAX ? INT_MAX : stored + 1; }

int PreviousRunCount(int count) { return count == INT_MIN ? INT_MIN : count - 1; }
