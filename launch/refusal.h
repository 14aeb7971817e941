// A game start the emulator refused: how long a start is watched, and what the
// user is told. Today's MAME ends at once, with a code that says why, when it
// cannot run a game; a game that runs is still running when the watch ends.
#pragma once
#include <cstddef>

// How long a start is watched. Before a game shows, the emulator checks its
// options, finds the game and loads and checks its ROM files; a refusal comes
// at the end of that. MAME 0.251 refused Donkey Kong without ROM files after
// 3.3 s on a busy two-core machine, and 6.7 s through the tests' relay under
// Wine; a large set on an old disk takes longer. Fifteen seconds leave twice
// the slowest seen. A game still running then was started, whatever it ends
// with; one the user quits sooner ends with 0 and counts.
enum { kStartWatchMs = 15000 };

// MAME's exit codes that have a reason of their own.
enum { kExitMissingFiles = 2, kExitNoSuchGame = 5, kExitBadOption = 6 };

bool IsRefusedStart(bool endedWithinWatch, unsigned long exitCode);

// The language key of the reason for an exit code, and the program's English
// text for a language file that lacks it. The text for other codes holds one
// "%d" for the code.
struct RefusalReason {
  int key;
  const char* english;
};
RefusalReason RefusalReasonFor(unsigned long exitCode);

// The other texts of the message, by language key and English text.
extern const RefusalReason kRefusalCaption, kRefusalIntro, kRefusalNoOptions, kRefusalNotCounted;

// The texts of one message, already in the user's language.
struct RefusalTexts {
  const char* intro;       // "The emulator did not start this game:"
  const char* reason;      // RefusalReasonFor's, for this code
  const char* noOptions;   // told for code 6 when no option was given
  const char* notCounted;  // told when the start was counted and is taken back
};

// The message: the intro, the game ("Name (short)", the name without the
// blanks that pad it in the list), the reason (the code
// written into it), for code 6 the options that were given (the parameters
// after the short name) and, when `counted`, that the start is not counted.
// Cut to the buffer, always terminated.
void ComposeRefusalMessage(char* out, size_t outSize, const RefusalTexts& texts, const char* gameName,
                           const char* shortName, unsigned long exitCode, const char* options, bool counted);
