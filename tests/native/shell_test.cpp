// Start-up arithmetic and texts of the application shell.
#include "tests/testkit/testkit.h"
#include "shell/install_paths.h"
#include "shell/placement.h"
#include "shell/command_line.h"
#include "shell/lang_text.h"
#include <map>
#include <string>

// Every path is the program folder plus its tail; the manual's name is appended.
TEST_CASE(paths_from_program_folder) {
  InstallPaths p;
  BuildInstallPaths(&p, "C:\\Games\\My MAME", "vintor-eng.txt");
  CHECK_STR(p.programFolder, "C:\\Games\\My MAME");
  CHECK_STR(p.settingsFile, "C:\\Games\\My MAME\\vintor.ini");
  CHECK_STR(p.languageFile, "C:\\Games\\My MAME\\lang\\default.lng");
  CHECK_STR(p.gameListDocument, "C:\\Games\\My MAME\\docs\\gamelist.txt");
  CHECK_STR(p.romFolder, "C:\\Games\\My MAME\\roms\\");
  CHECK_STR(p.emulator, "C:\\Games\\My MAME\\mame.exe");
  CHECK_STR(p.converter, "C:\\Games\\My MAME\\snap\\png2bmp.exe");
  CHECK_STR(p.previewFile, "C:\\Games\\My MAME\\snap\\mamegame.bmp");
  CHECK_STR(p.counterFolder, "C:\\Games\\My MAME\\winis\\");
  CHECK_STR(p.defaultPicture, "C:\\Games\\My MAME\\snap\\defgame.bmp");
  CHECK_STR(p.manual, "C:\\Games\\My MAME\\docs\\vintor-eng.txt");
}

TEST_CASE(program_folder_is_cut_at_last_backslash) {
  char folder[kPathSize];
  ProgramFolderOf("C:\\A B\\vintor.exe", folder, sizeof folder);
  CHECK_STR(folder, "C:\\A B");
  ProgramFolderOf("vintor.exe", folder, sizeof folder);
  CHECK_STR(folder, "vintor.exe");
}

// A program folder near the 260-character limit cuts the tails instead of overrunning.
TEST_CASE(long_program_folder_never_overruns) {
  std::string folder = "C:\\" + std::string(254, 'x');
  InstallPaths p;
  memset(&p, 0x55, sizeof p);
  BuildInstallPaths(&p, folder.c_str(), std::string(300, 'm').c_str());
  CHECK_EQ(strlen(p.manual), (size_t)259);
  CHECK_EQ(strlen(p.settingsFile), (size_t)259);
  CHECK_EQ(strlen(p.programFolder), (size_t)257);
}

static unsigned FakeShorten(const char* in, char* out, unsigned size) {
  std::string s = in;
  if (s.find("docs") != std::string::npos) return 0;  // cannot be shortened
  size_t at;
  while ((at = s.find("My MAME")) != std::string::npos) s.replace(at, 7, "MYMAME~1");
  if (s.size() >= size) return (unsigned)s.size() + 1;
  CopyText(out, size, s.c_str());
  return (unsigned)s.size();
}

// The first eight are shortened where possible; the last three keep the long form.
TEST_CASE(first_eight_paths_shortened) {
  InstallPaths p;
  BuildInstallPaths(&p, "C:\\My MAME", "manual.txt");
  ShortenInstallPaths(&p, FakeShorten);
  CHECK_STR(p.programFolder, "C:\\MYMAME~1");
  CHECK_STR(p.settingsFile, "C:\\MYMAME~1\\vintor.ini");
  CHECK_STR(p.gameListDocument, "C:\\My MAME\\docs\\gamelist.txt");
  CHECK_STR(p.previewFile, "C:\\MYMAME~1\\snap\\mamegame.bmp");
  CHECK_STR(p.counterFolder, "C:\\My MAME\\winis\\");
  CHECK_STR(p.defaultPicture, "C:\\My MAME\\snap\\defgame.bmp");
  CHECK_STR(p.manual, "C:\\My MAME\\docs\\manual.txt");
}

TEST_CASE(default_size_adds_frames) {
  FrameMetrics m = {4, 2, 1, 4, 1, 4, 1, 1, 4, 19, 19};
  int w, h;
  ComputeDefaultSize(m, 22, &w, &h);
  CHECK_EQ(w, 936 + 2 * (4 + 2 + 1 + 4 + 1));
  CHECK_EQ(h, 536 + 22 + 19 + 2 * (4 + 1 + 1 + 4) + 19);
}

static int MapReader(const char* key, int def, void* ctx) {
  auto* m = static_cast<std::map<std::string, int>*>(ctx);
  auto it = m->find(key);
  return it == m->end() ? def : it->second;
}

// Start-up placement by the Size and Position flags.
TEST_CASE(start_placement_table) {
  struct Row { std::map<std::string, int> keys; Placement want; };
  Row rows[] = {
    {{}, {1280 / 2 - 961 / 2, 1024 / 2 - 655 / 2, 961, 655}},
    {{{"Right", 700}, {"Left", 5}}, {1280 / 2 - 961 / 2, 1024 / 2 - 655 / 2, 961, 655}},
    {{{"Size", 1}, {"Right", 1000}, {"Bottom", 700}}, {140, 162, 1000, 700}},
    {{{"Size", 18}}, {1280 / 2 - 961 / 2, 1024 / 2 - 655 / 2, 961, 655}},
    {{{"Position", 1}, {"Left", -20}, {"Top", 30}}, {-20, 30, 961, 655}},
    {{{"Position", 1}, {"Top", 30}}, {1280 / 2 - 961 / 2, 30, 961, 655}},
    // What a maximised close leaves: the default size wins through the minimum tracking size.
    {{{"Size", 1}, {"Right", 640}, {"Bottom", 432}}, {320, 296, 640, 432}},
  };
  for (auto& r : rows) {
    Placement p = ComputeStartPlacement(961, 655, 1280, 1024, MapReader, &r.keys);
    CHECK_EQ(p.x, r.want.x);
    CHECK_EQ(p.y, r.want.y);
    CHECK_EQ(p.width, r.want.width);
    CHECK_EQ(p.height, r.want.height);
  }
}

TEST_CASE(placement_saved_at_close) {
  PixelRect win = {100, 50, 1061, 705};
  PixelRect normal = {100, 50, 1061, 705};
  SavedPlacement s = PlacementToSave(win, 1, normal);
  CHECK_STR(s.left, "100"); CHECK_STR(s.top, "50");
  CHECK_STR(s.right, "961"); CHECK_STR(s.bottom, "655");
  CHECK_STR(s.showMaximized, "0");
  s = PlacementToSave({-4, -4, 1284, 1000}, 3, normal);
  CHECK_STR(s.showMaximized, "1");
  CHECK_STR(s.right, "640"); CHECK_STR(s.bottom, "432");
  CHECK_STR(s.left, ""); CHECK_STR(s.top, "");
  // Minimised: the restored rectangle, not the far-off iconic one.
  s = PlacementToSave({-32000, -32000, -31840, -31970}, 2, normal);
  CHECK_STR(s.left, "100"); CHECK_STR(s.top, "50");
  CHECK_STR(s.right, "961"); CHECK_STR(s.bottom, "655");
  CHECK_STR(s.showMaximized, "0");
}

TEST_CASE(program_name_is_skipped) {
  CHECK_STR(SkipProgramName("\"C:\\a b\\vintor.exe\"  -x y"), "-x y");
  CHECK_STR(SkipProgramName("vintor.exe   arg"), "arg");
  CHECK_STR(SkipProgramName("vintor.exe"), "");
  CHECK_STR(SkipProgramName("\"unterminated"), "");
  CHECK_STR(SkipProgramName(""), "");
}

TEST_CASE(tilde_becomes_line_feed) {
  char t[] = "two~words~";
  ExpandLineBreaks(t);
  CHECK_STR(t, "two\nwords\n");
}

TEST_CASE(one_integer_formats) {
  char out[50];
  FormatWithInteger(out, sizeof out, "Transparency: %d%%", 95);
  CHECK_STR(out, "Transparency: 95%");
  FormatWithInteger(out, sizeof out, "%d matches found.", 0);
  CHECK_STR(out, "0 matches found.");
  FormatWithInteger(out, sizeof out, "%s and %d and %d", 7);
  CHECK_STR(out, "%s and 7 and %d");
  FormatWithInteger(out, 8, "level %d percent", 100);
  CHECK_STR(out, "level 1");
  // Found by fuzzing: a width of 888888889 made the formatter pad for seconds.
  // Widths of more than three digits and malformed conversions stay as they stand.
  struct { const char* format; const char* text; } rows[] = {
      {"[%5d]", "[    7]"}, {"[%-3d]", "[7  ]"}, {"[%03ld]", "[007]"}, {"[%+d]", "[+7]"},
      {"[%888888889u]", "[%888888889u]"}, {"[%1234d]", "[%1234d]"}, {"[%l5d]", "[%l5d]"},
      {"[%5-d]", "[%5-d]"}, {"[%#d]", "[%#d]"},
  };
  for (auto& r : rows) {
    FormatWithInteger(out, sizeof out, r.format, 7);
    CHECK_STR(out, r.text);
  }
}
