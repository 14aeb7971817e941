// Writing of the game list document around the composed rows.
#include "companions/mkgamelist/document.h"
#include <cstring>

// What the columns mean, in the words of the emulator's own documents where
// they still hold, under the names that Vintor's game pages give the columns.
static const char* const kIntroduction[] = {
  "",
  "This list was made by mkgamelist.exe from what the emulator says about itself",
  "(mame.exe -listxml). It holds one row per machine that can be run and is",
  "neither a device nor a BIOS set. Run mkgamelist.exe again after each update of",
  "the emulator.",
  "",
  "Here are the meanings of the columns (Vintor's game pages use the same names):",
  "",
  "Working",
  "=======",
  "  NO: The emulator marks the game as not working: its emulation is",
  "  preliminary (with older emulators, which do not tell the emulation apart,",
  "  its overall status is preliminary).",
  "",
  "Colours",
  "=======",
  "    YES: Colours should be identical to the original.",
  "  CLOSE: Colours are nearly correct (the palette is marked imperfect).",
  "     NO: Colours are not emulated (the palette is marked unemulated).",
  "",
  "Sound",
  "=====",
  "  PARTIAL: Sound support is incomplete or not entirely accurate.",
  "       NO: Sound is not emulated.",
  "      (2): The game needs samples, provided separately (\"Yes(2)\", \"Part(2)\").",
  "",
  "Flip",
  "====",
  "  NO: The cocktail mode of the game (its flipped screen) is not emulated yet.",
  "",
  "Short name",
  "==========",
  "  This is the unique name that must be used when running the game from a",
  "  command line.",
};

static const char* const kWideNames[] = {
  "",
  "  Some short names are longer than 9 characters, so this column is wider",
  "  than in the emulator's own lists: it holds names of up to 16 characters.",
};

static const char* const kRomNote[] = {
  "",
  "  Note: Each game's ROM set must be placed in the ROM path, either in a .zip",
  "  file or in a subdirectory named by the game's short name. Vintor looks for",
  "  it in the roms folder beside vintor.exe.",
  "",
};

static bool PutLine(FILE* f, const char* text) { return fputs(text, f) >= 0 && fputs("\r\n", f) >= 0; }

bool WriteGameListDocument(FILE* f, const char* build, const GameRow* rows, size_t count) {
  bool wide = count > 0 && strlen(rows[0].text) == kWideRowWidth;
  const char* rule = wide ? kWideRuleLine : kRuleLine;
  bool ok = fputs("This is the complete list of games supported by MAME", f) >= 0;
  if (build && build[0]) ok = ok && fputs(" ", f) >= 0 && fputs(build, f) >= 0;
  ok = ok && PutLine(f, ".");
  for (const char* line : kIntroduction) ok = ok && PutLine(f, line);
  if (wide)
    for (const char* line : kWideNames) ok = ok && PutLine(f, line);
  for (const char* line : kRomNote) ok = ok && PutLine(f, line);
  ok = ok && PutLine(f, rule) &&
       PutLine(f, wide ? "| Game                             |Working|Colours| Sound | Flip  | Short name       |"
                       : "| Game                             |Working|Colours| Sound | Flip  |Short name|");
  ok = ok && PutLine(f, rule);
  for (size_t i = 0; ok && i < count; ++i) ok = PutLine(f, rows[i].text);
  ok = ok && PutLine(f, rule) && PutLine(f, "") && PutLine(f, "(2) Needs samples provided separately");
  return ok;
}
