// The order of a column sort, computed on texts read once from a list.
#pragma once
#include <string>
#include <vector>

enum { kSortTextSize = 200 };  // 199 characters count

// _stricmp on the first 199 characters of each text: A to Z folded to a to z,
// then compared as unsigned bytes. Negative, zero or positive.
int CompareCellTexts(const char* a, const char* b);

// The comparison of the sort callback: the result above when `direction` is 1,
// its negation otherwise.
int CompareInDirection(const char* a, const char* b, int direction);

// A stable order of the rows by `keys`: order[i] is the old index of the row
// that goes to position i. Equal rows keep their relative order.
std::vector<int> SortedRowOrder(const std::vector<std::string>& keys, int direction);
