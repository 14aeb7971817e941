// The two inputs of the tool: a saved -listxml output, or the standard output
// of mame.exe read through a pipe with a bounded wait.
#pragma once
#include <windows.h>
#include "companions/mkgamelist/machine_list_win.h"

class FileSource : public ByteSource {
 public:
  // False (with GetLastError) when the file cannot be opened.
  bool Open(const char* path);
  ~FileSource() override;
  Result Read(char* buffer, size_t capacity, size_t* got) override;

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

// An emulator run: its process and the read end of its standard output.
class EmulatorSource : public ByteSource {
 public:
  // `silenceMs`: how long the emulator may print nothing before it counts as hung.
  explicit EmulatorSource(DWORD silenceMs) : silenceMs_(silenceMs) {}
  ~EmulatorSource() override;
  // Starts "<exe> <arguments>" in `folder`, its standard input empty and its
  // errors on ours. False (with GetLastError) when it cannot be started.
  bool Start(const char* exe, const char* arguments, const char* folder);
  Result Read(char* buffer, size_t capacity, size_t* got) override;

  enum End { kExited, kHung };
  // Closes the pipe and waits (as long as the silence allowed, or not at all
  // with `endNow`) for the process to end; one that does not is ended and
  // counts as hung.
  End Finish(bool endNow, DWORD* exitCode);

 private:
  DWORD silenceMs_;
  HANDLE process_ = nullptr;
  HANDLE pipe_ = nullptr;
};
