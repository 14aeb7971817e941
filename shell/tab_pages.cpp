// The page tables of the main tab control (see tab_pages.h).
#include "shell/tab_pages.h"

const int kPageControls[] = {305, 302, 306, 308, 319, 321, 322, 324, 325, 326, 327, 328, 329,
                             330, 331, 332, 307, 309, 310, 503, 504, 505, 518, 521, 519, 531, 524, 525};
const int kPageControlCount = (int)(sizeof kPageControls / sizeof kPageControls[0]);

static bool InList(int id, const int* ids, int count) {
  for (int i = 0; i < count; ++i)
    if (ids[i] == id) return true;
  return false;
}

bool PageShowsControl(int page, int id) {
  static const int page0[] = {305, 503, 504, 505};
  static const int page1[] = {302, 518, 521, 504};
  static const int page2[] = {306, 504, 519, 505};
  static const int page3[] = {308, 319, 321, 322, 324, 325, 326, 327, 328, 329, 330, 331, 332, 531, 524, 525};
  static const int page4[] = {307, 531, 524, 525};
  static const int page5[] = {309, 310, 531, 524, 525};
  switch (page) {
    case 0: return InList(id, page0, 4);
    case 1: return InList(id, page1, 4);
    case 2: return InList(id, page2, 4);
    case 3: return InList(id, page3, 16);
    case 4: return InList(id, page4, 4);
    case 5: return InList(id, page5, 5);
  }
  return false;
}

const int kPageMenuCommands[4] = {503, 504, 505, 518};

bool PageEnablesCommand(int page, int command) {
  // Rows: pages 0 to 2; columns: Play, Rescan, Delete, web search.
  static const bool table[3][4] = {
      {true, true, true, false},
      {false, true, false, true},
      {false, true, true, false},
  };
  if (page < 0 || page > 2) return false;
  for (int i = 0; i < 4; ++i)
    if (kPageMenuCommands[i] == command) return table[page][i];
  return false;
}

bool PageEnablesSearch(int page) { return page >= 0 && page <= 2; }
