// The emulator's fixed-width game table in docs\gamelist.txt, read line by line
// into bounded rows; nothing here knows about the list views.
//
// Two tables share the layout up to the short-name field: the classic one of
// the emulator's own documents (short names of up to 9 characters), and a wide
// one for today's short names of up to 16. The rule line that opens the table
// tells which it is.
#pragma once
#include <cstddef>
#include <cstdio>

enum {
  kRowWidth = 79,              // the classic table
  kWideRowWidth = 87,          // the wide table
  kNameWidth = 33,
  kStatusWidth = 7,
  kShortFieldWidth = 10,       // classic: a blank and up to 9 characters
  kWideShortFieldWidth = 18,   // wide: a blank, up to 16 characters and a blank
  kShortFieldStart = 68,
};

extern const char kRuleLine[];      // 79 characters, '+' at 0, 35, 43, 51, 59, 67, 78
extern const char kWideRuleLine[];  // 87 characters, '+' at 0, 35, 43, 51, 59, 67, 86

// One game row cut at the separator positions; padding blanks are kept and a
// field that the line does not reach is empty. The short-name field is as wide
// as the table's.
struct DocumentRow {
  char name[kNameWidth + 1];
  char status[4][kStatusWidth + 1];
  char shortField[kWideShortFieldWidth + 1];
};

// Reads a stream in blocks and hands out lines. Only the first `lineSize` - 1
// bytes of a line are stored; the rest of it is skipped. A carriage return just before the
// line feed is dropped, as a text-mode stream does.
class LineReader {
 public:
  explicit LineReader(FILE* f) : file_(f) {}
  // False at the end of the stream. `length` is the line's whole length (the
  // stored part is its first lineSize - 1 bytes); `line` is always terminated.
  bool Next(char* line, size_t lineSize, size_t* length);

 private:
  int Get();
  FILE* file_;
  unsigned char buffer_[64 * 1024];
  size_t pos_ = 0;
  size_t end_ = 0;
  bool eof_ = false;
};

// The row width of the table that a line opens when it is one of the two rule
// lines (kRowWidth or kWideRowWidth), else 0.
size_t RuleLineWidth(const char* line, size_t length);

// A table line (already known to begin with '|') of a table whose rows are
// `width` characters: false when it is to be skipped (a blank at position 2,
// or the line ends before it).
bool CutGameRow(const char* line, size_t length, DocumentRow* row, size_t width = kRowWidth);

// Reads the table of a document and hands each game row, in document order, to
// `sink`. Returns the number of game rows. A stream that ends before the table
// or inside the heading gives none; the end of the stream also ends the table.
typedef void (*DocumentRowSink)(const DocumentRow& row, void* context);
long ReadGameListTable(FILE* f, DocumentRowSink sink, void* context);
