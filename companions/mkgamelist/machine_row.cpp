// Row composition for the game table: status words, code page, cutting, order.
#include "companions/mkgamelist/machine_row.h"
#include <algorithm>
#include <cstring>

void TextHead::Append(const char16_t* text, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    // Leading blanks, tabs, line ends and DEL (which the code page shows as
    // a blank) would give the row a blank at position 2, and the table
    // reader skips such rows.
    if (length == 0 && (text[i] <= 0x20 || text[i] == 0x7F)) continue;
    if (kept < kKeptNameUnits) units[kept++] = text[i];
    if (length < (size_t)-1) ++length;
  }
}

void MachineFacts::Clear() { *this = MachineFacts(); }

void MachineFacts::SetShortName(const char16_t* text, size_t count) {
  size_t n = count < kKeptShortUnits ? count : kKeptShortUnits;
  for (size_t i = 0; i < n; ++i) shortName[i] = text[i];
  shortNameLength = count;
}

static bool FitsShortNameField(char16_t c) {
  // The short name is also an archive's base name in roms\, so what a file
  // name cannot hold is refused with the blank that would end the field.
  return c > 0x20 && c < 0x7F && !strchr("\\/:*?\"<>|", (char)c);
}

Verdict JudgeMachine(const MachineFacts& m) {
  if (m.isDevice) return kVerdictDevice;
  if (m.isBios) return kVerdictBios;
  if (m.notRunnable) return kVerdictNotRunnable;
  // A name the field cannot hold whole is left out: cut, it would start another machine.
  if (m.shortNameLength == 0 || m.shortNameLength > kShortNameMax) return kVerdictBadShortName;
  for (size_t i = 0; i < m.shortNameLength; ++i) {
    if (!FitsShortNameField(m.shortName[i])) return kVerdictBadShortName;
  }
  return kVerdictRow;
}

static bool SameAscii(const char16_t* value, size_t count, const char* ascii) {
  size_t n = strlen(ascii);
  if (count != n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (value[i] != (char16_t)(unsigned char)ascii[i]) return false;
  }
  return true;
}

Emulation EmulationOfFeature(const char16_t* value, size_t count) {
  if (SameAscii(value, count, "unemulated") || SameAscii(value, count, "preliminary")) return kEmulationMissing;
  if (SameAscii(value, count, "imperfect")) return kEmulationImperfect;
  return kEmulationGood;
}

void StatusCells(const MachineFacts& m, char cells[4][kStatusWidth + 1]) {
  static const char kYes[] = "  Yes  ", kNo[] = "   No  ", kClose[] = " Close ", kPartial[] = "Partial",
                    kYesSamples[] = " Yes(2)", kPartialSamples[] = "Part(2)";
  // The colours column meant wrong or imperfect colours: today's palette, not graphics.
  const char* colours = kYes;
  if (m.palette == kEmulationMissing) colours = kNo;
  else if (m.palette == kEmulationImperfect) colours = kClose;
  const char* sound = m.needsSamples ? kYesSamples : kYes;
  if (m.sound == kEmulationMissing) sound = kNo;
  else if (m.sound == kEmulationImperfect) sound = m.needsSamples ? kPartialSamples : kPartial;
  const char* words[4] = {m.NotWorking() ? kNo : kYes, colours, sound, m.cocktailPreliminary ? kNo : kYes};
  for (int i = 0; i < 4; ++i) memcpy(cells[i], words[i], kStatusWidth + 1);
}

// Code page 1252 bytes 0x80 to 0x9F; 0 where the code page has no character.
static const char16_t kHighRow[32] = {
  0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
  0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E,
  0x0178,
};

static char ByteOf(char16_t c) {
  if (c < 0x20 || c == 0x7F) return ' ';
  if (c < 0x80) return (char)c;
  if (c >= 0xA0 && c <= 0xFF) return (char)(unsigned char)c;
  for (int i = 0; i < 32; ++i) {
    if (kHighRow[i] == c) return (char)(unsigned char)(0x80 + i);
  }
  return '?';
}

size_t ToCodePage1252(const char16_t* text, size_t count, char* out, size_t outSize) {
  if (!out || outSize == 0) return 0;
  size_t o = 0;
  for (size_t i = 0; i < count && o + 1 < outSize; ++i) {
    char16_t c = text[i];
    // One character outside the basic plane is one '?', not two.
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
    out[o++] = ByteOf(c);
  }
  out[o] = 0;
  return o;
}

static void PutField(char* at, const char* text, size_t width) {
  size_t n = strlen(text);
  if (n > width) n = width;
  memcpy(at, text, n);
  memset(at + n, ' ', width - n);
}

void ComposeRow(const MachineFacts& m, GameRow* row) {
  char name[kNameWidth + 1];
  ToCodePage1252(m.description.units, m.description.kept, name, sizeof name);
  char shortName[kShortNameMax + 1];
  ToCodePage1252(m.shortName, std::min(m.shortNameLength, kShortNameMax), shortName, sizeof shortName);
  // A machine without a description is listed under its short name.
  if (!name[0]) memcpy(name, shortName, sizeof shortName);
  char cells[4][kStatusWidth + 1];
  StatusCells(m, cells);
  char* t = row->text;
  memcpy(t, kWideRuleLine, kWideRowWidth + 1);  // the separators stand where the rule line has '+'
  t[0] = '|';
  t[1] = ' ';
  PutField(t + 2, name, kNameWidth);
  for (int i = 0; i < 4; ++i) {
    t[35 + 8 * i] = '|';
    PutField(t + 36 + 8 * i, cells[i], kStatusWidth);
  }
  t[67] = '|';
  t[kShortFieldStart] = ' ';
  PutField(t + kShortFieldStart + 1, shortName, kWideShortFieldWidth - 1);
  t[kWideRowWidth - 1] = '|';
  t[kWideRowWidth] = 0;
}

bool NeedsWideTable(const GameRow& row) { return row.text[kShortFieldStart + 1 + kClassicShortNameMax] != ' '; }

void NarrowRow(GameRow* row) {
  row->text[kRowWidth - 1] = '|';
  row->text[kRowWidth] = 0;
}

bool RowBefore(const GameRow& a, const GameRow& b) {
  int byName = memcmp(a.text + 2, b.text + 2, kNameWidth);
  if (byName != 0) return byName < 0;
  return memcmp(a.text + kShortFieldStart + 1, b.text + kShortFieldStart + 1, kShortNameMax) < 0;
}

void SortRows(GameRow* rows, size_t count) { std::sort(rows, rows + count, RowBefore); }
