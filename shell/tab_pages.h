// What each of the six pages of the main tab control shows, and which menu
// commands it leaves enabled.
#pragma once

enum { kTabPageCount = 6 };

// The controls that a page change shows or hides (the Search button is only
// enabled or disabled and is not among them).
extern const int kPageControls[];
extern const int kPageControlCount;

// True if `page` shows control `id`.
bool PageShowsControl(int page, int id);

// The menu commands greyed by page: Play, Rescan, Delete, web search for a game.
extern const int kPageMenuCommands[4];
bool PageEnablesCommand(int page, int command);

// The Search button works on the three list pages only.
bool PageEnablesSearch(int page);
