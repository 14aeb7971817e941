// What mkgamelist.exe tells Vintor while it runs with -progress: lines
// "progress: N" (machines read so far) on its output and, when it fails, its
// one-line reason "mkgamelist: ..." on its errors; both come through one pipe.
#pragma once
#include <cstddef>

enum { kToolLineSize = 1024 };  // longer lines keep their head

class ToolOutputReader {
 public:
  // Takes the bytes as the pipe gives them; a line may come in pieces, and a
  // carriage return ends a line as a line feed does.
  void Feed(const char* data, size_t count);
  // The output has ended: its last line counts even without a line end.
  void Finish();
  long machines() const { return machines_; }
  // The first "mkgamelist: ..." line, whole, or empty.
  const char* reason() const { return reason_; }

 private:
  void EndLine();
  char line_[kToolLineSize] = "";
  size_t length_ = 0;
  long machines_ = 0;
  char reason_[kToolLineSize] = "";
};
