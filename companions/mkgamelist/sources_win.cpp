// File and pipe reading. The pipe is polled rather than read blindly, so that
// an emulator that stops printing cannot hold the tool forever.
#include "companions/mkgamelist/sources_win.h"
#include <cstdio>

bool FileSource::Open(const char* path) {
  file_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  return file_ != INVALID_HANDLE_VALUE;
}

FileSource::~FileSource() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

ByteSource::Result FileSource::Read(char* buffer, size_t capacity, size_t* got) {
  DWORD n = 0;
  *got = 0;
  if (!ReadFile(file_, buffer, (DWORD)capacity, &n, nullptr)) return kFailed;
  *got = n;
  return n > 0 ? kData : kEnd;
}

EmulatorSource::~EmulatorSource() {
  if (pipe_) CloseHandle(pipe_);
  if (process_) {
    // Never leave a stand-alone emulator behind.
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 1);
    CloseHandle(process_);
  }
}

static HANDLE InheritableCopy(HANDLE h) {
  HANDLE copy = nullptr;
  if (h && h != INVALID_HANDLE_VALUE &&
      DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS)) {
    return copy;
  }
  return nullptr;
}

bool EmulatorSource::Start(const char* exe, const char* arguments, const char* folder) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&pipe_, &writeEnd, &inherit, 1 << 20)) {
    pipe_ = nullptr;
    return false;
  }
  SetHandleInformation(pipe_, HANDLE_FLAG_INHERIT, 0);
  HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                             nullptr);
  HANDLE errors = InheritableCopy(GetStdHandle(STD_ERROR_HANDLE));
  if (!errors) errors = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                                    nullptr);
  if (errors == INVALID_HANDLE_VALUE) errors = nullptr;
  char line[2 * MAX_PATH + 64];
  int length = snprintf(line, sizeof line, "\"%s\" %s", exe, arguments);
  if (length < 0 || length >= (int)sizeof line) {
    CloseHandle(writeEnd);
    if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
    if (errors) CloseHandle(errors);
    CloseHandle(pipe_);
    pipe_ = nullptr;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = input == INVALID_HANDLE_VALUE ? nullptr : input;
  si.hStdOutput = writeEnd;
  si.hStdError = errors;
  PROCESS_INFORMATION pi = {};
  BOOL started = CreateProcessA(exe, line, nullptr, nullptr, TRUE, 0, nullptr, folder, &si, &pi);
  DWORD error = GetLastError();
  // Only the child keeps the write end: its exit then ends the pipe.
  CloseHandle(writeEnd);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  if (errors) CloseHandle(errors);
  if (!started) {
    CloseHandle(pipe_);
    pipe_ = nullptr;
    SetLastError(error);
    return false;
  }
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  return true;
}

ByteSource::Result EmulatorSource::Read(char* buffer, size_t capacity, size_t* got) {
  *got = 0;
  if (!pipe_) return kFailed;
  DWORD quietSince = GetTickCount();
  for (;;) {
    DWORD waiting = 0;
    if (!PeekNamedPipe(pipe_, nullptr, 0, nullptr, &waiting, nullptr)) {
      return GetLastError() == ERROR_BROKEN_PIPE ? kEnd : kFailed;
    }
    if (waiting > 0) {
      DWORD n = 0;
      DWORD want = waiting < capacity ? waiting : (DWORD)capacity;
      if (!ReadFile(pipe_, buffer, want, &n, nullptr)) return GetLastError() == ERROR_BROKEN_PIPE ? kEnd : kFailed;
      *got = n;
      if (n > 0) return kData;
    }
    if (GetTickCount() - quietSince >= silenceMs_) return kSilent;
    Sleep(5);
  }
}

EmulatorSource::End EmulatorSource::Finish(bool endNow, DWORD* exitCode) {
  if (pipe_) {
    CloseHandle(pipe_);
    pipe_ = nullptr;
  }
  *exitCode = 0;
  if (!process_) return kExited;
  End end = kExited;
  if (WaitForSingleObject(process_, endNow ? 0 : silenceMs_) != WAIT_OBJECT_0) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
    end = kHung;
  }
  GetExitCodeProcess(process_, exitCode);
  CloseHandle(process_);
  process_ = nullptr;
  return end;
}
