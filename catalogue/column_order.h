// How a heading click orders a column: the play counter and the size by their
// numbers, every other column by its text.
#pragma once
#include <string>
#include <vector>

enum ColumnOrder { kOrderText, kOrderCount, kOrderSize };

// Column 1 (Played) and column 7 (Size) of the installed- and supported-games
// lists go by number; the other-files list has neither.
ColumnOrder GameColumnOrder(bool gameList, int column);

// The count a Played text stands for, read as the counter file's reader does:
// a sign and the leading digits, 0 without digits ("abc", ""). Here and in
// sizes, a number of more than 15 digits counts as the largest of 15.
long long CountSortKey(const char* text);

// A key that orders size texts ("0 bytes", "900.0 KB", "1.0 MB", "2.5 GB") by
// the size they stand for; an empty or foreign text (a folder) sorts first.
long long SizeSortKey(const char* text);

// The comparison of the sort callback for a column of that order: negative,
// zero or positive, negated unless `direction` is 1.
int CompareColumnTexts(const char* a, const char* b, ColumnOrder order, int direction);

// A stable order of the rows by their texts of one column: order[i] is the old
// index of the row that goes to position i; equal rows keep their order.
std::vector<int> SortedColumnOrder(const std::vector<std::string>& texts, ColumnOrder order, int direction);
