// What one machine of the emulator's -listxml output becomes in the game table
// of docs\gamelist.txt: the row text, the status words, the code page, the
// order. No platform needed; the XML reading lives in the *_win files beside.
#pragma once
#include <cstddef>
#include "catalogue/gamelist_parse.h"

const size_t kShortNameMax = kShortFieldWidth - 1;  // the field begins with a blank
const size_t kKeptNameUnits = 80;   // of a description: enough for 33 characters and a cut surrogate
const size_t kKeptShortUnits = 16;  // of a short name: enough to tell that it is too long

// How well a part of the machine is emulated, from <driver> and <feature>.
enum Emulation { kEmulationGood = 0, kEmulationImperfect = 1, kEmulationMissing = 2 };

// Keeps the head of a text that may arrive in pieces: leading white space and
// DEL (a blank in the table) are dropped and only the first `kKeptNameUnits`
// UTF-16 units are kept; the whole length is counted all the same.
struct TextHead {
  char16_t units[kKeptNameUnits];
  size_t kept = 0;
  size_t length = 0;  // units seen after the leading white space, saturating
  void Clear() { kept = 0; length = 0; }
  void Append(const char16_t* text, size_t count);
};

// The facts of one <machine> that the table needs.
struct MachineFacts {
  char16_t shortName[kKeptShortUnits];
  size_t shortNameLength = 0;  // whole length, even when only the head is kept
  TextHead description;
  bool haveDescription = false;
  bool isBios = false, isDevice = false, notRunnable = false;
  bool needsSamples = false;       // <sample> elements or a sampleof attribute
  bool workingPreliminary = false; // <driver status="preliminary">
  bool cocktailPreliminary = false;
  Emulation graphics = kEmulationGood, palette = kEmulationGood, sound = kEmulationGood;
  void Clear();
  void SetShortName(const char16_t* text, size_t count);
};

// Why a machine gets no row; kVerdictRow when it gets one.
enum Verdict {
  kVerdictRow,
  kVerdictDevice,
  kVerdictBios,
  kVerdictNotRunnable,
  kVerdictLongShortName,    // longer than the short name field holds
  kVerdictBadShortName,     // empty, or a character the field cannot carry
};
Verdict JudgeMachine(const MachineFacts& m);

// The worse of two emulation levels.
inline Emulation Worse(Emulation a, Emulation b) { return a > b ? a : b; }

// Emulation level of a <feature> status or overall value ("imperfect",
// "unemulated"); anything else counts as good.
Emulation EmulationOfFeature(const char16_t* value, size_t count);

// The four status cells, each 7 characters, in the words of the real tables.
void StatusCells(const MachineFacts& m, char cells[4][kStatusWidth + 1]);

// UTF-16 to code page 1252: a character the code page lacks becomes '?', a
// surrogate pair one '?', control characters blanks. Writes at most
// outSize - 1 characters and terminates; returns the number written.
size_t ToCodePage1252(const char16_t* text, size_t count, char* out, size_t outSize);

// One table row: 79 characters, terminated. Only for kVerdictRow machines.
struct GameRow {
  char text[kRowWidth + 1];
};
void ComposeRow(const MachineFacts& m, GameRow* row);

// Table order: by the name field, byte by byte, then by short name.
bool RowBefore(const GameRow& a, const GameRow& b);
void SortRows(GameRow* rows, size_t count);
