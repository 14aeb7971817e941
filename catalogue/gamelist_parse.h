// The emulator's fixed-width game table in docs\gamelist.txt, read line by line
// into bounded rows; nothing here knows about the list views.
#pragma once
#include <cstddef>
#include <cstdio>

enum {
  kRowWidth = 79,
  kNameWidth = 33,
  kStatusWidth = 7,
  kShortFieldWidth = 10,
};

extern const char kRuleLine[];  // 79 characters, '+' at 0, 35, 43, 51, 59, 67, 78

// One game row cut at the separator positions; padding blanks are kept and a
// field that the line does not reach is empty.
struct DocumentRow {
  char name[kNameWidth + 1];
  char status[4][kStatusWidth + 1];
  char shortField[kShortFieldWidth + 1];
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

bool IsRuleLine(const char* line, size_t length);

// A table line (already known to begin with '|'): false when it is to be
// skipped (a blank at position 2, or the line ends before it).
bool CutGameRow(const char* line, size_t length, DocumentRow* row);

// Reads the table of a document and hands each game row, in document order, to
// `sink`. Returns the number of game rows. A stream that ends before the table
// or inside the heading gives none; the end of the stream also ends the table.
typedef void (*DocumentRowSink)(const DocumentRow& row, void* context);
long ReadGameListTable(FILE* f, DocumentRowSink sink, void* context);
