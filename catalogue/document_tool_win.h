// Runs mkgamelist.exe on a thread of its own so that the window stays usable,
// and tells a window what the tool says through WM_APP_DOCUMENT_TOOL.
#pragma once
#include <windows.h>
#include "catalogue/tool_output.h"

// wParam of WM_APP_DOCUMENT_TOOL.
enum DocumentToolMessage {
  kDocumentOffer = 0,     // time to decide about the offer (posted at start-up)
  kToolProgress = 1,      // lParam: machines read so far
  kToolFinished = 2,      // lParam: a ToolOutcome that the receiver deletes
};

struct ToolOutcome {
  bool started = false;
  DWORD exitCode = 0;
  char reason[kToolLineSize] = "";  // the tool's "mkgamelist: ..." line, or why it did not start
};

// Starts "<tool> -progress" in `folder` with no window of its own. The tool and
// whatever it starts end with Vintor's process, which never waits for them.
// False when no thread could be started (nothing is posted then).
bool StartDocumentTool(HWND notify, const char* tool, const char* folder);
