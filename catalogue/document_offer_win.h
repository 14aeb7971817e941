// The offer to make docs\gamelist.txt from inside Vintor: the question once
// the window is up, the tool's progress in the status bar, then a rescan and
// what it found, or the tool's own reason when it failed.
#pragma once
#include <windows.h>

// Start-up: asks the main window to decide about the offer once its message
// loop runs, so that start-up itself takes no longer.
void PostDocumentOffer();

// WM_APP_DOCUMENT_TOOL of the main window.
LRESULT HandleDocumentToolMessage(WPARAM wParam, LPARAM lParam);
