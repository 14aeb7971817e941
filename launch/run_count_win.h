// A game's play counter: Runs of its counter file, and its cells in the
// installed-games and supported-games lists.
#pragma once

// Raises Runs of the game's counter file and returns the count the file holds
// afterwards: the old one when it could not be written (a read-only or locked
// file, no winis\ folder), 0 when there is none. `raised` tells whether the
// file now holds one start more. No short name, no counter.
int RaiseRunCounter(const char* shortName, bool* raised);

// Takes one start back from a counter the start had raised; returns the count
// the file holds afterwards.
int TakeBackRunCounter(const char* shortName);

// Writes the count into column 1 of every installed-games row of the game and
// of its supported-games row. While a rescan fills the lists, the rows it puts
// in may carry what it read before: they get the counter file's value once
// the rescan is done.
void ShowRunCount(const char* shortName, int count);
