// Snapshot candidates, converter arguments and the preview size.
#include "tests/testkit/testkit.h"
#include "preview/snapshot_paths.h"
#include <string>

TEST_CASE(candidates_use_doubled_forward_slashes) {
  struct { const char* folder; const char* game; const char* a; const char* b; } rows[] = {
    {"C:\\MAME", "pacman", "C:\\MAME//snap//pacman.png", "C:\\MAME//snap//pacman//0000.png"},
    {"C:\\PROGRA~1\\MAME", "1942", "C:\\PROGRA~1\\MAME//snap//1942.png",
     "C:\\PROGRA~1\\MAME//snap//1942//0000.png"},
    {"C:\\MAME", "", "C:\\MAME//snap//.png", "C:\\MAME//snap////0000.png"},
  };
  char out[260];
  for (auto& r : rows) {
    CHECK(BuildSnapshotCandidateA(r.folder, r.game, out, sizeof out));
    CHECK_STR(out, r.a);
    CHECK(BuildSnapshotCandidateB(r.folder, r.game, out, sizeof out));
    CHECK_STR(out, r.b);
  }
}

TEST_CASE(paths_that_do_not_fit_are_refused_not_cut) {
  char out[260];
  std::string folder(240, 'x');
  // A: 240 + 8 + 7 + 4 = 259 characters fit exactly; one more does not.
  CHECK(BuildSnapshotCandidateA(folder.c_str(), "abcdefg", out, sizeof out));
  CHECK_EQ(std::string(out).size(), (size_t)259);
  CHECK(!BuildSnapshotCandidateA(folder.c_str(), "abcdefgh", out, sizeof out));
  CHECK_STR(out, "");
  CHECK(!BuildSnapshotCandidateB(folder.c_str(), "abcdefg", out, sizeof out));
  CHECK_STR(out, "");
  std::string work(256, 'w');
  CHECK(BuildBackupPath(work.substr(0, 255).c_str(), out, sizeof out));
  CHECK_EQ(std::string(out), work.substr(0, 255) + ".bak");
  CHECK(!BuildBackupPath(work.c_str(), out, sizeof out));
  CHECK(!BuildSnapshotCandidateA("C:\\MAME", "pacman", out, 0));
}

TEST_CASE(converter_arguments_unquoted_and_fit_two_full_paths) {
  char out[kConverterArgsSize];
  CHECK(BuildConverterArguments("C:\\MAME\\snap\\mamegame.bmp", "C:\\MAME//snap//pacman.png", out, sizeof out));
  CHECK_STR(out, "-Q -O C:\\MAME\\snap\\mamegame.bmp C:\\MAME//snap//pacman.png");
  std::string longest(259, 'p');
  CHECK(BuildConverterArguments(longest.c_str(), longest.c_str(), out, sizeof out));
  CHECK_EQ(std::string(out).size(), (size_t)(6 + 259 + 1 + 259));
  CHECK(!BuildConverterArguments(longest.c_str(), longest.c_str(), out, 100));
  CHECK_STR(out, "");
}

TEST_CASE(picture_size_follows_layout_values) {
  struct { int dw, dh, w, h; } rows[] = {
    {0, 0, 202, 212},        // before the first WM_SIZE
    {160, 94, 282, 306},     // default window size
    {161, 95, 282, 307},     // odd growth is truncated
    {-1, -10, 202, 202},     // toward zero, not down
    {-3, 0, 201, 212},
    {1000, 600, 702, 812},
  };
  for (auto& r : rows) {
    int w = 0, h = 0;
    PreviewPictureSize(r.dw, r.dh, &w, &h);
    CHECK_EQ(w, r.w);
    CHECK_EQ(h, r.h);
  }
}
