// What one machine of the emulator's -listxml output becomes in the game table
// of docs\gamelist.txt: the row text, the status words, the code page, the
// order. No platform needed; the XML reading lives in the *_win files beside.
#pragma once
#include <cstddef>
#include "catalogue/gamelist_parse.h"

const size_t kShortNameMax = kWideShortFieldWidth - 2;    // 16: the wide field is a blank, the name, a blank
const size_t kClassicShortNameMax = kShortFieldWidth - 1;  // 9: the classic field begins with a blank
const size_t kKeptNameUnits = 80;   // of a description: enough for 33 characters and a cut surrogate
const size_t kKeptShortUnits = kShortNameMax + 1;  // of a short name: enough to tell that it is too long

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

// The facts of one <machine> (or <game>, in older lists) that the table needs.
struct MachineFacts {
  char16_t shortName[kKeptShortUnits];
  size_t shortNameLength = 0;  // whole length, even when only the head is kept
  TextHead description;
  bool haveDescription = false;
  bool isBios = false, isDevice = false, notRunnable = false;
  bool needsSamples = false;          // <sample> elements or a sampleof attribute
  bool statusPreliminary = false;     // <driver status="preliminary">: the overall verdict
  bool haveEmulation = false;         // <driver emulation> is there (older lists lack it)
  bool emulationPreliminary = false;  // <driver emulation="preliminary">: the machine does not work
  bool cocktailPreliminary = false;
  // <feature type="palette|sound">, or <driver color|sound> of older lists.
  Emulation palette = kEmulationGood, sound = kEmulationGood;
  void Clear();
  void SetShortName(const char16_t* text, size_t count);
  // Whether a machine works is its emulation; the overall status also turns
  // preliminary for unemulated sound, protection and the like.
  bool NotWorking() const { return haveEmulation ? emulationPreliminary : statusPreliminary; }
};

// Why a machine gets no row; kVerdictRow when it gets one.
enum Verdict {
  kVerdictRow,
  kVerdictDevice,
  kVerdictBios,
  kVerdictNotRunnable,
  kVerdictBadShortName,  // empty, longer than 16, or a character the field cannot carry
};
Verdict JudgeMachine(const MachineFacts& m);

// The worse of two emulation levels.
inline Emulation Worse(Emulation a, Emulation b) { return a > b ? a : b; }

// Emulation level of a <feature> status or overall value ("imperfect",
// "unemulated"), or of an older <driver color|sound> ("imperfect",
// "preliminary"); anything else counts as good.
Emulation EmulationOfFeature(const char16_t* value, size_t count);

// The four status cells, each 7 characters, in the words of the real tables.
void StatusCells(const MachineFacts& m, char cells[4][kStatusWidth + 1]);

// UTF-16 to code page 1252: a character the code page lacks becomes '?', a
// surrogate pair one '?', control characters blanks. Writes at most
// outSize - 1 characters and terminates; returns the number written.
size_t ToCodePage1252(const char16_t* text, size_t count, char* out, size_t outSize);

// One table row, composed for the wide table: 87 characters, terminated.
// Only for kVerdictRow machines.
struct GameRow {
  char text[kWideRowWidth + 1];
};
void ComposeRow(const MachineFacts& m, GameRow* row);
// True when the short name of a row as ComposeRow made it is longer than the
// classic table's field holds.
bool NeedsWideTable(const GameRow& row);
// Cuts a row whose short name fits the classic table to its 79 characters.
void NarrowRow(GameRow* row);

// Table order: by the name field, byte by byte, then by short name.
bool RowBefore(const GameRow& a, const GameRow& b);
void SortRows(GameRow* rows, size_t count);
