// What the scan tells the sort about the lists it fills: the one way the two
// meet, so that the sort never asks the scan. Kept by sort_win.cpp.
#pragma once
#include <windows.h>
#include <vector>
// True while a rescan is putting its rows into the lists, slice by slice: it
// keeps redraw off until its rows are in, so a sort or search meanwhile leaves
// redraw as it finds it.
void NoteListsFilling(bool filling);
// The start-up scan put `list`'s rows in already sorted by column 0:
// order[i] is the row, in the order found, now at position i. The first sort
// then moves only the row states, as its full sort would.
void NoteStartupRowOrder(HWND list, const std::vector<int>& order);
