// Writing of the game list document around the composed rows.
#include "companions/mkgamelist/document.h"
#include <cstring>

static const char* const kIntroduction[] = {
  "",
  "This list was made by mkgamelist.exe from what the emulator says about itself",
  "(mame.exe -listxml). It holds one row per machine that can be run and is",
  "neither a device nor a BIOS set. Machines whose internal name is longer than",
  "9 characters are left out. Run mkgamelist.exe again after each update of the",
  "emulator.",
  "",
  "Here are the meanings of the columns:",
  "",
  "Working",
  "=======",
  "  NO: The emulator marks the driver as preliminary; the game does not work",
  "  correctly.",
  "",
  "Correct Colors",
  "==============",
  "    YES: Colors should be identical to the original.",
  "  CLOSE: Colors are nearly correct.",
  "     NO: Colors are not emulated.",
  "",
  "Sound",
  "=====",
  "  PARTIAL: Sound support is incomplete or not entirely accurate.",
  "       NO: Sound is not emulated.",
  "",
  "Screen Flip",
  "===========",
  "  NO: The cocktail mode of the game is not emulated yet.",
  "",
  "Internal Name",
  "=============",
  "  This is the unique name that must be used when running the game from a",
  "  command line.",
  "",
  "  Note: Each game's ROM set must be placed in the ROM path, either in a .zip",
  "  file or in a subdirectory with the game's Internal Name.",
  "",
};

static bool PutLine(FILE* f, const char* text) { return fputs(text, f) >= 0 && fputs("\r\n", f) >= 0; }

bool WriteGameListDocument(FILE* f, const char* build, const GameRow* rows, size_t count) {
  bool ok = fputs("This is the complete list of games supported by MAME", f) >= 0;
  if (build && build[0]) ok = ok && fputs(" ", f) >= 0 && fputs(build, f) >= 0;
  ok = ok && PutLine(f, ".");
  for (const char* line : kIntroduction) ok = ok && PutLine(f, line);
  ok = ok && PutLine(f, kRuleLine) &&
       PutLine(f, "|                                  |       |Correct|       |Screen | Internal |") &&
       PutLine(f, "| Game Name                        |Working|Colors | Sound | Flip  |   Name   |") &&
       PutLine(f, kRuleLine);
  for (size_t i = 0; ok && i < count; ++i) ok = PutLine(f, rows[i].text);
  ok = ok && PutLine(f, kRuleLine) && PutLine(f, "") &&
       PutLine(f, "(1) There are variants of the game (usually bootlegs) that work correctly") &&
       PutLine(f, "(2) Needs samples provided separately");
  return ok;
}
