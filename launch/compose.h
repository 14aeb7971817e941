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
void AppendOptionsText(char* buffer, size_t bufferSize, const OptionsReader& reader);

// The counter file of a game: the counter folder (ending in a backslash), the
// short name, ".ini". Returns false, with an empty path, when it would not fit
// (a cut path would name some other file) and for an empty short name.
bool CounterFilePath(const char* counterFolder, const char* shortName, char* out, size_t outSize);

// The count after one more start of a game that was started `stored` times.
// It stops at the largest int rather than wrapping to a negative count.
int NextRunCount(int stored);
