// Stand-in until this module is built.
#include "catalogue/sort_win.h"
void SortListByColumn(HWND, int) {}
void SortListsAtStartup() {}
INT_PTR ShowSearchDialog() { return 0; }
