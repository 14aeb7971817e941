// Menu help keys, arrow-key prediction and the texts the commands compose.
#include "tests/testkit/testkit.h"
#include "shell/menu_help.h"
#include "shell/web_addresses.h"
#include <string>

TEST_CASE(menu_help_key_by_flags) {
  struct { unsigned flags; unsigned item; bool menu; int want; const char* what; } rows[] = {
    {0xFFFF, 0, false, 0, "menu closed"},
    {0xFFFF, 0, true, 0, "0xFFFF with a menu counts as a separator"},
    {0x0800, 0, true, 0, "separator"},
    {0x0810, 3, true, 0, "separator bit wins over popup"},
    {0x0010, 1, true, 0, "popup title of the bar"},
    {0x2010, 0, true, 2030, "system menu popup"},
    {0x2000, 0xF060, true, 61536, "system Close item"},
    {0x0000, 505, true, 505, "plain command"},
    {0x0180, 518, true, 518, "owner-drawn highlighted command"},
    {0x0183, 518, true, 518, "greyed command still has help"},
    {0x0100, 0, true, 0, "converted separator has identifier 0"},
  };
  for (auto& r : rows) {
    int got = MenuHelpKey(r.flags, r.item, r.menu);
    if (got != r.want) testkit::Fail(__FILE__, __LINE__, std::string(r.what) + ": " + std::to_string(got));
  }
}

TEST_CASE(key_prediction_is_clamped) {
  struct { int selected, key, count, want; } rows[] = {
    {4, kKeyDown, 5, 4},   // down on the last item stays there
    {0, kKeyUp, 5, 0},     // up on the first item stays there
    {2, kKeyDown, 5, 3}, {2, kKeyUp, 5, 1},
    {-1, kKeyDown, 5, 1},  // none selected: from item 0
    {-1, kKeyUp, 5, 0},
    {2, 0x21, 5, 2},       // Page Up shows the item selected before the key
    {2, 0x24, 5, 2},       // Home likewise
    {2, 'A', 5, 2},
    {9, 0x41, 5, 4},       // a stale index beyond the end is lowered
    {0, kKeyDown, 1, 0},
    {-1, kKeyDown, 0, -1}, // empty list: nothing to predict
    {3, kKeyUp, 0, -1},
    {0x7FFFFFFF, kKeyDown, 5, 4},  // no overflow on a wild index
  };
  for (auto& r : rows) CHECK_EQ(PredictKeyItem(r.selected, r.key, r.count), r.want);
  CHECK_EQ(ClampListItem(-7, 3), 0);
  CHECK_EQ(ClampListItem(7, 3), 2);
  CHECK_EQ(ClampListItem(0, 0), -1);
}

TEST_CASE(web_search_addresses) {
  char out[kAddressSize];
  ComposeRomSearchAddress("pacman", out, sizeof out);
  CHECK_STR(out, "https://www.google.com/search?client=vintor&ie=UTF-8&q=pacman.zip+rom+mame+download&sa=Search");
  ComposeRomSearchAddress("", out, sizeof out);
  CHECK_STR(out, "https://www.google.com/search?client=vintor&ie=UTF-8&q=.zip+rom+mame+download&sa=Search");
  ComposeBiosSearchAddress(out, sizeof out);
  CHECK_STR(out,
            "https://www.google.com/search?client=vintor&ie=UTF-8&q=neogeo.zip+decocass.zip+mame+download&sa=Search");
  CHECK(std::string(kWebSearchPrefix).size() > 12);
  CHECK_STR(std::string(kWebSearchPrefix).substr(std::string(kWebSearchPrefix).size() - 12), "&ie=UTF-8&q=");
  CHECK_STR(std::string(kSupportAddress).substr(0, 7), "mailto:");
  // A short name far longer than the buffer: cut, still ending in the query's tail.
  std::string huge(3000, 'x');
  ComposeRomSearchAddress(huge.c_str(), out, sizeof out);
  std::string s = out;
  CHECK_EQ(s.size(), (size_t)kAddressSize - 1);
  CHECK_STR(s.substr(s.size() - 10), "&sa=Search");
  // Buffers too small for any query never overrun.
  char tiny[8];
  ComposeRomSearchAddress("pacman", tiny, sizeof tiny);
  CHECK_STR(tiny, "https:/");
  ComposeBiosSearchAddress(tiny, 0);
}

TEST_CASE(game_info_text) {
  struct { const char* description; const char* shortName; const char* want; } rows[] = {
    {"Pac-Man (Midway)", "pacman", "\r\nPac-Man (Midway)\r\n\r\nShort name:pacman"},
    {"Galaga                           ", "galaga", "\r\nGalaga\r\n\r\nShort name:galaga"},
    {"", "", "\r\n\r\n\r\nShort name:"},  // a click below the last row
    {"   ", "x", "\r\n\r\n\r\nShort name:x"},
    {" lead", "y", "\r\n lead\r\n\r\nShort name:y"},
  };
  char out[1600];
  for (auto& r : rows) {
    ComposeGameInfoText(r.description, "Short name:", r.shortName, out, sizeof out);
    CHECK_STR(out, r.want);
  }
  char small[10];
  ComposeGameInfoText("Galaga", "Short name:", "galaga", small, sizeof small);
  CHECK_STR(small, "\r\nGalaga\r");
}

TEST_CASE(file_names_and_targets) {
  struct { const char* path; const char* want; } rows[] = {
    {"C:\\games\\pacman.zip", "pacman.zip"}, {"pacman.zip", "pacman.zip"}, {"C:\\dir\\", ""}, {"", ""},
  };
  for (auto& r : rows) CHECK_STR(FileNameOfPath(r.path), r.want);
  CHECK_STR(FileNameOfPath(nullptr), "");
  char out[32];
  CHECK_EQ(JoinFolderAndName("C:\\v\\roms\\", "galaga.zip", out, sizeof out), 1);
  CHECK_STR(out, "C:\\v\\roms\\galaga.zip");
  // A target that would be cut is refused rather than copied to a wrong name.
  CHECK_EQ(JoinFolderAndName("C:\\v\\roms\\", "a-very-long-archive-name.zip", out, sizeof out), 0);
  CHECK_STR(out, "");
}
