// Settings file and language strings through the platform's profile functions.
#include "tests/testkit/testkit.h"
#include "tests/win32/test_files.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include <cstdio>
#include <string>
#include <thread>

static std::string g_dir;

// A scratch installation in the temp folder, with a blank in its name.
static void UseScratchInstallation(const char* language) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  g_dir = std::string(temp) + "vintor settings test";
  CreateDirectoryA(g_dir.c_str(), NULL);
  CreateDirectoryA((g_dir + "\\lang").c_str(), NULL);
  DeleteFileA((g_dir + "\\vintor.ini").c_str());
  DeleteFileA((g_dir + "\\lang\\default.lng").c_str());
  if (language) WriteFileBytes(g_dir + "\\lang\\default.lng", language);
  BuildInstallPaths(&g_paths, g_dir.c_str(), "vintor-eng.txt");
}

TEST_CASE(language_string_tilde_and_missing) {
  UseScratchInstallation("[INTERFACE]\r\n7=two~words\r\n8=plain\r\n[LANGUAGE]\r\n4=manual.txt\r\n");
  CHECK_STR(GetLanguageString(7), "two\nwords");
  CHECK_STR(GetLanguageString("8"), "plain");
  CHECK_STR(GetLanguageString(9999), "");
  // A key of our own that an older language file lacks: its stand-in text.
  CHECK_STR(GetLanguageString(7, "stand-in"), "two\nwords");
  CHECK_STR(GetLanguageString(9999, "stand-in~text"), "stand-in\ntext");
  UseScratchInstallation(nullptr);
  CHECK_STR(GetLanguageString(7), "");
  CHECK_STR(GetLanguageString(7, "stand-in"), "stand-in");
}

// Each thread has its own result buffer: a worker's lookup does not change ours.
TEST_CASE(language_strings_from_two_threads) {
  UseScratchInstallation("[INTERFACE]\r\n1=first\r\n2=second\r\n");
  const char* mine = GetLanguageString(1);
  std::string theirs;
  std::thread worker([&] { for (int i = 0; i < 200; ++i) theirs = GetLanguageString(2); });
  for (int i = 0; i < 200; ++i) CHECK_STR(mine, "first");
  worker.join();
  CHECK_STR(theirs, "second");
  CHECK_STR(mine, "first");
}

// Integer reads: a sign and the leading digits; no digits read as 0; absent gives the default.
TEST_CASE(integer_reads) {
  UseScratchInstallation(nullptr);
  WriteFileBytes(g_paths.settingsFile,
            "[OPTIONS]\r\nA=yes\r\nB=2\r\nC=-5\r\nD=12abc\r\nE=\r\nF=18\r\n");
  struct { const char* key; int def; int want; } rows[] = {
    {"A", 7, 0}, {"B", 0, 2}, {"C", 0, -5}, {"D", 0, 12}, {"F", 0, 18}, {"Missing", 95, 95},
  };
  for (auto& r : rows) CHECK_EQ(ReadSettingsInt(r.key, r.def), r.want);
  CHECK_EQ(ReadSettingsInt("Transparent", 95) & 0xFF, 95);
}

TEST_CASE(transparent_low_byte) {
  UseScratchInstallation(nullptr);
  WriteFileBytes(g_paths.settingsFile, "[OPTIONS]\r\nTransparent=356\r\n");
  CHECK_EQ(ReadSettingsInt("Transparent", 95) & 0xFF, 100);
  WriteFileBytes(g_paths.settingsFile, "[OPTIONS]\r\nTransparent=300\r\n");
  CHECK_EQ(ReadSettingsInt("Transparent", 95) & 0xFF, 44);
}

TEST_CASE(write_int_and_toggle_flag) {
  UseScratchInstallation(nullptr);
  CHECK(WriteSettingsInt("OPTIONS", "Transparent", -12, g_paths.settingsFile));
  CHECK_EQ(ReadSettingsInt("Transparent", 0), -12);
  // Writes report a file that cannot be written.
  CHECK(!WriteSettingsInt("OPTIONS", "Runs", 1, (g_dir + "\\no folder\\x.ini").c_str()));
  HANDLE hold = CreateFileA(g_paths.settingsFile, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  CHECK(!WriteSettingsText("Magnet", "1"));
  CloseHandle(hold);
  CHECK(WriteSettingsText("Magnet", "0"));
  g_mainMenu = CreateMenu();
  AppendMenuA(g_mainMenu, MF_STRING, 508, "Always on top");
  CHECK_EQ(ToggleSettingsFlag(508, "Ontop"), 1);
  CHECK(ReadFileBytes(g_paths.settingsFile).find("Ontop=18") != std::string::npos);
  CHECK_EQ(GetMenuState(g_mainMenu, 508, MF_BYCOMMAND) & MF_CHECKED, (UINT)MF_CHECKED);
  CHECK_EQ(ToggleSettingsFlag(508, "Ontop"), 0);
  CHECK(ReadFileBytes(g_paths.settingsFile).find("Ontop=0") != std::string::npos);
  CHECK_EQ(GetMenuState(g_mainMenu, 508, MF_BYCOMMAND) & MF_CHECKED, 0u);
  // A stored "2" is on, "yes" is off.
  WriteSettingsText("Magnet", "2");
  CHECK_EQ(ToggleSettingsFlag(508, "Magnet"), 0);
  WriteSettingsText("Magnet", "yes");
  CHECK_EQ(ToggleSettingsFlag(508, "Magnet"), 1);
  DestroyMenu(g_mainMenu);
  g_mainMenu = NULL;
}

// The real shortener: the eight shortened paths hold no blank, the last three keep theirs.
TEST_CASE(short_paths_in_folder_with_blanks) {
  UseScratchInstallation("[LANGUAGE]\r\n4=my manual.txt\r\n");
  CreateDirectoryA((g_dir + "\\docs").c_str(), NULL);
  CreateDirectoryA((g_dir + "\\roms").c_str(), NULL);
  CreateDirectoryA((g_dir + "\\snap").c_str(), NULL);
  WriteFileBytes(g_dir + "\\vintor.ini", "");
  WriteFileBytes(g_dir + "\\mame.exe", "");
  WriteFileBytes(g_dir + "\\docs\\gamelist.txt", "");
  BuildInstallPaths(&g_paths, g_dir.c_str(), "my manual.txt");
  ShortenInstallPaths(&g_paths, [](const char* in, char* out, unsigned n) { return (unsigned)GetShortPathNameA(in, out, n); });
  const char* shortened[] = {g_paths.programFolder, g_paths.settingsFile, g_paths.languageFile,
                             g_paths.gameListDocument, g_paths.romFolder, g_paths.emulator};
  for (const char* p : shortened) CHECK(strchr(p, ' ') == nullptr);
  CHECK(strstr(g_paths.counterFolder, "vintor settings test\\winis\\") != nullptr);
  CHECK(strstr(g_paths.defaultPicture, "vintor settings test\\snap\\defgame.bmp") != nullptr);
  CHECK(strstr(g_paths.manual, "vintor settings test\\docs\\my manual.txt") != nullptr);
  // The converter and preview file do not exist yet: they keep their long form.
  CHECK(strstr(g_paths.previewFile, "mamegame.bmp") != nullptr);
}
