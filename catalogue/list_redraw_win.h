// Redraw off and on around bulk changes of a list, keeping the list exactly
// as visible as it was: some list views hand WM_SETREDRAW to the default
// window procedure, which clears WS_VISIBLE on off and sets it on on.
#pragma once
#include <windows.h>

// Off records whether the list is shown; on restores exactly that. An off while
// redraw is already off through here keeps the first record.
void SetListRedraw(HWND list, bool on);
// Shows or hides a page's control; for a list whose redraw is off it also
// changes what the redraw-on will restore.
void ShowPageControl(HWND control, bool show);
