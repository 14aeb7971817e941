// A mame.exe for the tests that runs the real emulator, the host's Linux
// /usr/games/mame, and behaves to its caller like the Windows one: its output on
// our standard output and error, its exit code as ours. Wine starts a Linux
// program with its output on /dev/null and gives the caller no exit code, so
// the Linux side runs a small shell script that sends the output to files and
// writes the exit code last; we copy the files while they grow.
//
// As a Windows MAME without a mame.ini would, the emulator reads no
// configuration (-noreadconfig): ROMs come from roms\ of the working folder,
// not from the host's /etc/mame paths. Each start is appended to mame_log.txt
// beside this program, as the stand-in emulator does, and its end as
// "exit: <code>". VINTOR_REAL_MAME names another Linux program to run.
//
// Ending this program (as a job or a test does) must end the emulator too, as
// it would on Windows; but the Linux process is no child of ours that Wine
// could end. So we touch a file while we live, and the script ends the
// emulator once the file has not been touched for a few seconds (a running
// game may take SIGTERM as a request it never gets to: SIGKILL follows).
#include <windows.h>
#include <shellapi.h>
#include <cstdio>
#include <cstring>
#include <string>

typedef char* (CDECL* UnixFileName)(const WCHAR*);

enum { kRelayFailed = 3 };  // what the emulator itself says for a fatal error
enum { kAliveSeconds = 5 };  // untouched this long, the alive file means we are gone

static std::string Utf8(const WCHAR* text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out((size_t)n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
  out.resize((size_t)n - 1);
  return out;
}

static std::wstring Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out((size_t)n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &out[0], n);
  out.resize((size_t)n - 1);
  return out;
}

// A word for the shell, in single quotes.
static std::string Quoted(const std::string& word) {
  std::string out = "'";
  for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

static std::string UnixPath(UnixFileName convert, const WCHAR* path) {
  char* unixPath = convert ? convert(path) : nullptr;
  if (!unixPath) return std::string();
  std::string out = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return out;
}

static void Say(const char* text) {
  DWORD written;
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (err && err != INVALID_HANDLE_VALUE) WriteFile(err, text, (DWORD)strlen(text), &written, nullptr);
}

static void AppendToLog(const WCHAR* folder, const std::string& line) {
  WCHAR log[MAX_PATH + 32];
  _snwprintf(log, MAX_PATH + 31, L"%lsmame_log.txt", folder);
  log[MAX_PATH + 31] = 0;
  HANDLE h = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(h, line.data(), (DWORD)line.size(), &written, nullptr);
  CloseHandle(h);
}

static void LogStart(const WCHAR* folder) {
  WCHAR cwd[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, cwd);
  AppendToLog(folder, "cmdline: " + Utf8(GetCommandLineW()) + "\r\ncwd: " + Utf8(cwd) + "\r\n");
}

// Copies what `from` has gained since `*done` bytes to `to`.
static void CopyNew(HANDLE from, HANDLE to, LONGLONG* done) {
  static char buffer[65536];
  LARGE_INTEGER at;
  at.QuadPart = *done;
  if (!SetFilePointerEx(from, at, nullptr, FILE_BEGIN)) return;
  DWORD got = 0, written;
  while (ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    if (to && to != INVALID_HANDLE_VALUE) WriteFile(to, buffer, got, &written, nullptr);
    *done += got;
  }
}

// Writes the file anew, which gives it the time of now (emptying an empty
// file would not).
static void TouchFile(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(h, "alive\n", 6, &written, nullptr);
  CloseHandle(h);
}

// Touches the alive file every second, whatever the copying does meanwhile.
static DWORD WINAPI KeepTouching(void* path) {
  for (;;) {
    Sleep(1000);
    TouchFile(*(const std::wstring*)path);
  }
}

static HANDLE OpenShared(const WCHAR* path) {
  return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  WCHAR self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  self[MAX_PATH - 1] = 0;
  WCHAR* slash = wcsrchr(self, L'\\');
  if (slash) slash[1] = 0;
  LogStart(self);

  UnixFileName convert = (UnixFileName)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                               "wine_get_unix_file_name");
  if (!convert) {
    Say("mame.exe (test relay): runs only under Wine\n");
    return kRelayFailed;
  }
  const char* real = getenv("VINTOR_REAL_MAME");
  std::string emulator = real && *real ? real : "/usr/games/mame";

  // Our arguments, as the Windows emulator would split them.
  int argc = 0;
  WCHAR** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::string arguments;
  for (int i = 1; argv && i < argc; ++i) arguments += " " + Quoted(Utf8(argv[i]));
  if (argv) LocalFree(argv);

  WCHAR temp[MAX_PATH], work[MAX_PATH], cwd[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  _snwprintf(work, MAX_PATH - 1, L"%lsmame-relay-%lu", temp, GetCurrentProcessId());
  work[MAX_PATH - 1] = 0;
  CreateDirectoryW(work, nullptr);
  GetCurrentDirectoryW(MAX_PATH, cwd);
  std::wstring base = work;
  std::wstring script = base + L"\\run.sh", out = base + L"\\out", err = base + L"\\err", code = base + L"\\code";
  std::wstring aliveFile = base + L"\\alive";
  TouchFile(aliveFile);
  std::string unixWork = UnixPath(convert, work), unixCwd = UnixPath(convert, cwd);
  if (unixWork.empty() || unixCwd.empty()) {
    Say("mame.exe (test relay): cannot name the folders for Linux\n");
    return kRelayFailed;
  }
  // The exit code is written last, and whole (moved into place), so that it
  // tells us the output files are complete.
  std::string done = "echo $? >" + Quoted(unixWork + "/code.new") + " && mv " + Quoted(unixWork + "/code.new") +
                     " " + Quoted(unixWork + "/code") + "\n";
  std::string alive = Quoted(unixWork + "/alive");
  std::string text = "cd " + Quoted(unixCwd) + " || exit 1\n" +
                     "if test -x " + Quoted(emulator) + "; then\n" +
                     "  " + Quoted(emulator) + " -noreadconfig" + arguments + " >" + Quoted(unixWork + "/out") +
                     " 2>" + Quoted(unixWork + "/err") + " </dev/null &\n" +
                     "  m=$!\n" +
                     "  (while kill -0 $m 2>/dev/null; do\n" +
                     "     t=$(stat -c %Y " + alive + " 2>/dev/null) || t=0\n" +
                     "     if [ $(( $(date +%s) - t )) -gt " + std::to_string(kAliveSeconds) + " ]; then\n" +
                     "       kill $m; sleep 2; kill -9 $m 2>/dev/null; break\n" +
                     "     fi\n" +
                     "     sleep 1\n" +
                     "   done) </dev/null >/dev/null 2>&1 &\n" +
                     "  wait $m\n" +
                     "else\n" +
                     "  echo " + Quoted("mame.exe (test relay): " + emulator + " is not installed") + " >" +
                     Quoted(unixWork + "/err") + "; (exit 3)\n" +
                     "fi\n" + done;
  HANDLE f = CreateFileW(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  if (f == INVALID_HANDLE_VALUE || !WriteFile(f, text.data(), (DWORD)text.size(), &written, nullptr)) {
    Say("mame.exe (test relay): cannot write its script\n");
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    return kRelayFailed;
  }
  CloseHandle(f);

  // Wine hands the arguments over as they stand: the script's name must be the Linux one.
  std::wstring line = L"Z:\\bin\\sh \"" + Wide(unixWork + "/run.sh") + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, work, &si, &pi)) {
    Say("mame.exe (test relay): cannot start /bin/sh\n");
    return kRelayFailed;
  }
  CloseHandle(pi.hThread);

  // Copy the output while it grows, until the exit code is there.
  HANDLE stdOut = GetStdHandle(STD_OUTPUT_HANDLE), stdErr = GetStdHandle(STD_ERROR_HANDLE);
  HANDLE outFile = INVALID_HANDLE_VALUE, errFile = INVALID_HANDLE_VALUE;
  LONGLONG outDone = 0, errDone = 0;
  int exitCode = kRelayFailed;
  HANDLE shell = pi.hProcess;
  DWORD shellEndedAt = 0;
  HANDLE toucher = CreateThread(nullptr, 0, KeepTouching, &aliveFile, 0, nullptr);
  for (;;) {
    bool finished = GetFileAttributesW(code.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (outFile == INVALID_HANDLE_VALUE) outFile = OpenShared(out.c_str());
    if (errFile == INVALID_HANDLE_VALUE) errFile = OpenShared(err.c_str());
    if (outFile != INVALID_HANDLE_VALUE) CopyNew(outFile, stdOut, &outDone);
    if (errFile != INVALID_HANDLE_VALUE) CopyNew(errFile, stdErr, &errDone);
    // Should the shell end without an exit code (it could not run its
    // script), do not wait for one forever.
    if (!finished && WaitForSingleObject(shell, 0) == WAIT_OBJECT_0) {
      if (!shellEndedAt) shellEndedAt = GetTickCount();
      if (GetTickCount() - shellEndedAt > 5000) break;
    }
    if (finished) {
      HANDLE c = OpenShared(code.c_str());
      char number[32] = "";
      DWORD got = 0;
      if (c != INVALID_HANDLE_VALUE) {
        ReadFile(c, number, sizeof number - 1, &got, nullptr);
        CloseHandle(c);
      }
      number[got] = 0;
      exitCode = atoi(number);
      break;
    }
    Sleep(20);
  }
  CloseHandle(shell);
  if (toucher) {
    TerminateThread(toucher, 0);  // it only sleeps and touches a file of ours
    CloseHandle(toucher);
  }
  if (outFile != INVALID_HANDLE_VALUE) CloseHandle(outFile);
  if (errFile != INVALID_HANDLE_VALUE) CloseHandle(errFile);
  DeleteFileW(script.c_str());
  DeleteFileW(out.c_str());
  DeleteFileW(err.c_str());
  DeleteFileW(code.c_str());
  DeleteFileW(aliveFile.c_str());
  RemoveDirectoryW(work);
  AppendToLog(self, "exit: " + std::to_string(exitCode) + "\r\n");
  return exitCode;
}
