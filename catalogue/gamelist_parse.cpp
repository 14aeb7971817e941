// Reading of the game table: rule line, heading, rows, end of table.
#include "catalogue/gamelist_parse.h"
#include <cstring>

const char kRuleLine[] = "+----------------------------------+-------+-------+-------+-------+----------+";
const char kWideRuleLine[] = "+----------------------------------+-------+-------+-------+-------+------------------+";

int LineReader::Get() {
  if (pos_ == end_) {
    if (eof_ || !file_) return EOF;
    end_ = fread(buffer_, 1, sizeof buffer_, file_);
    pos_ = 0;
    if (end_ == 0) {
      eof_ = true;
      return EOF;
    }
  }
  return buffer_[pos_++];
}

bool LineReader::Next(char* line, size_t lineSize, size_t* length) {
  size_t n = 0;  // whole length, saturating
  size_t stored = 0;
  int c = Get();
  if (c == EOF) {
    if (line && lineSize) line[0] = 0;
    if (length) *length = 0;
    return false;
  }
  bool pendingCr = false;
  while (c != EOF && c != '\n') {
    if (pendingCr) {  // a carriage return not followed by a line feed is part of the line
      if (stored + 1 < lineSize) line[stored++] = '\r';
      if (n < (size_t)-1) ++n;
      pendingCr = false;
    }
    if (c == '\r') {
      pendingCr = true;
    } else {
      if (stored + 1 < lineSize) line[stored++] = (char)c;
      if (n < (size_t)-1) ++n;
    }
    c = Get();
  }
  if (pendingCr && c == EOF) {  // "\r" at the very end stays, as in text mode
    if (stored + 1 < lineSize) line[stored++] = '\r';
    ++n;
  }
  if (lineSize) line[stored] = 0;
  if (length) *length = n;
  return true;
}

size_t RuleLineWidth(const char* line, size_t length) {
  if (length == kRowWidth && memcmp(line, kRuleLine, kRowWidth) == 0) return kRowWidth;
  if (length == kWideRowWidth && memcmp(line, kWideRuleLine, kWideRowWidth) == 0) return kWideRowWidth;
  return 0;
}

// Copies line[from, to) into a field, stopping at the line's end.
static void CopyField(const char* line, size_t length, size_t from, size_t to, char* out) {
  size_t o = 0;
  for (size_t i = from; i < to && i < length; ++i) out[o++] = line[i];
  out[o] = 0;
}

bool CutGameRow(const char* line, size_t length, DocumentRow* row, size_t width) {
  if (width != kWideRowWidth) width = kRowWidth;
  if (length > width) length = width;
  if (length < 3 || line[2] == ' ') return false;
  CopyField(line, length, 2, 35, row->name);
  CopyField(line, length, 36, 43, row->status[0]);
  CopyField(line, length, 44, 51, row->status[1]);
  CopyField(line, length, 52, 59, row->status[2]);
  CopyField(line, length, 60, 67, row->status[3]);
  CopyField(line, length, kShortFieldStart, width - 1, row->shortField);
  return true;
}

long ReadGameListTable(FILE* f, DocumentRowSink sink, void* context) {
  if (!f) return 0;
  LineReader* reader = new LineReader(f);  // its block buffer is too big for a thread's stack
  char line[kWideRowWidth + 2];  // one character more than a row, for the rule test's sake
  size_t length = 0;
  long rows = 0;
  size_t width = 0;  // of the table's rows, once a rule line has opened it
  while (!width && reader->Next(line, sizeof line, &length)) width = RuleLineWidth(line, length);
  // The heading ends at the next line equal to the rule line that opened it.
  bool headed = false;
  while (width && !headed && reader->Next(line, sizeof line, &length)) headed = RuleLineWidth(line, length) == width;
  if (headed) {
    while (reader->Next(line, sizeof line, &length)) {
      if (length == 0 || line[0] != '|') break;
      DocumentRow row;
      if (!CutGameRow(line, length, &row, width)) continue;
      ++rows;
      if (sink) sink(row, context);
    }
  }
  delete reader;
  return rows;
}
