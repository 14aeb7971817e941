// Watching a game start: the emulator's first seconds, on a thread of their
// own, so that the window stays responsive, other games can be started and
// closing Vintor never waits for an emulator.
#pragma once
#include <windows.h>

struct StartedGame {
  const char* shortName;  // may be empty (Play with nothing selected)
  const char* gameName;   // column 0 of the game's row
  const char* options;    // the parameters after the short name
  bool counted;           // the start raised the game's counter file
};

// Takes over `process` (closes it). When the emulator ends within the watch
// with a code other than 0, the main window gets WM_APP_START_REFUSED.
void WatchStart(HANDLE process, const StartedGame& game);

// WM_APP_START_REFUSED: takes the start back from the counter and tells the
// user which game did not start and why.
LRESULT HandleRefusedStart(LPARAM lParam);
