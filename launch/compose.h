// The emulator's parameter text: a game's short name, the switches of the
// stored options and the free command line. No platform needed, so the
// composition is tested natively with a settings reader of the test's own.
#pragma once
#include <cstddef>

enum {
  kLaunchBufferSize = 1500,  // the whole parameter text of a game start
  kCommandLineSize = 1024,   // CommandLine as the settings file gives it
  kOptionCount = 9,
};

// Key and switch of option row n (1 to 9): "Option_n" and its " -switch".
const char* OptionKey(int n);
const char* OptionSwitch(int n);

// What the installed emulator is given for each box (launch/switch_record.h
// reads it from the settings file): the text appended, beginning with a blank,
// or "" for a switch the emulator does not accept. A recorded switch has at
// most 23 characters, so that nine of them, the longest short name and the
// longest free text still fit the launch buffer.
enum { kSwitchTextSize = 25 };
struct SwitchRecord {
  char text[kOptionCount][kSwitchTextSize];
};

// Where the stored options come from. readInt gives 0 for a missing key;
// readText gives "" for a missing key and always terminates its output.
struct OptionsReader {
  int (*readInt)(void* context, const char* key);
  void (*readText)(void* context, const char* key, char* out, size_t outSize);
  void* context;
};

// Appends the switch of every option stored as non-zero, in row order, then
// one blank and the free command line when it is not empty. The buffer already
// holds the short name; what does not fit is cut, the buffer stays terminated.
// With a record, each box's switch is the record's text for it; without one,
// the switch of the table above.
void AppendOptionsText(char* buffer, size_t bufferSize, const OptionsReader& reader,
                       const SwitchRecord* record = nullptr);

// The counter file of a game: the counter folder (ending in a backslash), the
// short name, ".ini". Returns false, with an empty path, when it would not fit
// (a cut path would name some other file) and for an empty short name.
bool CounterFilePath(const char* counterFolder, const char* shortName, char* out, size_t outSize);

// The count after one more start of a game that was started `stored` times.
// It stops at the largest int rather than wrapping to a negative count.
int NextRunCount(int stored);
// The count with one start taken back, for a start the emulator refused:
// one less than `count` (whatever other starts did meanwhile stays counted).
int PreviousRunCount(int count);
