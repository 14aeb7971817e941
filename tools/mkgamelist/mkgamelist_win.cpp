// mkgamelist.exe: writes docs\gamelist.txt of its own folder from what the
// installed emulator says about itself, for emulators that no longer ship the
// document, and tells which option switches of the options page the emulator
// does not know.
//
//   mkgamelist.exe [-wait SECONDS] [FILE]
//
// Without FILE it runs "mame.exe -listxml" from its own folder and reads the
// output through a pipe; with FILE it reads a saved output. The document is
// written only when the whole input was read: first to gamelist.txt.new, then
// moved into place, the former one kept as gamelist.txt.bak. -wait sets how
// long the emulator may print nothing before it counts as hung (default 60).
//
// Exit codes: 0 written; 1 bad arguments; 2 input missing (FILE or mame.exe);
// 3 the input is not a whole machine list; 4 the emulator failed or hung;
// 5 the document cannot be written; 6 xmllite.dll missing.
#include "tools/common/replace_file_win.h"
#include "tools/mkgamelist/document.h"
#include "tools/mkgamelist/machine_list_win.h"
#include "tools/mkgamelist/sources_win.h"
#include "tools/mkgamelist/table_collector.h"
#include "tools/mkgamelist/usage_switches.h"
#include "launch/compose.h"
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

enum ExitCode { kWritten = 0, kBadArguments = 1, kNoInput = 2, kBadList = 3, kEmulatorFailed = 4, kCannotWrite = 5,
                kNoXmlReader = 6 };
enum { kPathMax = 1024, kUsageMax = 4 << 20 };

struct Paths {
  char folder[kPathMax];
  char emulator[kPathMax];
  char docs[kPathMax];
  char document[kPathMax];
  char fresh[kPathMax];
};

bool BuildPaths(Paths* p) {
  char self[kPathMax];
  DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
  if (n == 0 || n >= sizeof self) return false;
  char* slash = strrchr(self, '\\');
  if (!slash) return false;
  *slash = 0;
  auto put = [](char* out, const char* a, const char* b) {
    int k = snprintf(out, kPathMax, "%s%s", a, b);
    return k > 0 && k < kPathMax - 8;  // room for ".bak" beside it
  };
  return put(p->folder, self, "") && put(p->emulator, self, "\\mame.exe") && put(p->docs, self, "\\docs") &&
         put(p->document, self, "\\docs\\gamelist.txt") && put(p->fresh, p->document, ".new");
}

bool Exists(const char* path) {
  DWORD a = GetFileAttributesA(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// The system's text for an error code, on one line.
std::string SystemText(DWORD error) {
  char text[512] = "";
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                           sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ' || text[n - 1] == '.')) --n;
  text[n] = 0;
  for (DWORD i = 0; i < n; ++i) {
    if (text[i] == '\r' || text[i] == '\n') text[i] = ' ';
  }
  if (!text[0]) snprintf(text, sizeof text, "error %lu", (unsigned long)error);
  return text;
}

int Fail(int code, const char* format, ...) __attribute__((format(printf, 2, 3)));
int Fail(int code, const char* format, ...) {
  char text[2048];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  fprintf(stderr, "mkgamelist: %s\n", text);
  return code;
}

bool IsConsole(HANDLE h) {
  DWORD mode;
  return GetConsoleMode(h, &mode) != 0;
}

// Feeds the table and shows how far the reading has come.
class Gatherer : public MachineHandler {
 public:
  TableCollector table;
  char build[128] = "";

  void OnBuild(const char16_t* text, size_t count) override { ToCodePage1252(text, count, build, sizeof build); }
  bool OnMachine(const MachineFacts& m) override {
    bool more = table.Add(m);
    if (progress_ && table.machines() % 500 == 0) {
      printf("\rReading the machine list: %ld machines", table.machines());
      fflush(stdout);
    }
    return more;
  }
  void EndProgress() {
    if (progress_) printf("\r%60s\r", "");
  }

 private:
  bool progress_ = IsConsole(GetStdHandle(STD_OUTPUT_HANDLE));
};

int ListFailure(const ListReport& r, const char* input) {
  switch (r.outcome) {
    case kListRead: break;
    case kListNoReader:
      return Fail(kNoXmlReader, "xmllite.dll (the system's XML reader) is not available; nothing written.");
    case kListMalformed:
      return Fail(kBadList, "%s is not well-formed XML (error 0x%08lX at line %u, column %u); nothing written.", input,
                  (unsigned long)r.error, r.line, r.column);
    case kListTruncated:
      return Fail(kBadList, "%s ends before the machine list does (line %u); nothing written.", input, r.line);
    case kListSourceFailed:
      return Fail(kBadList, "reading %s failed after %ld machines; nothing written.", input, r.machines);
    case kListSilent: break;  // told with the emulator's end
    case kListStopped:
      return Fail(kBadList, "%s lists more than %d machines to show; nothing written.", input, (int)kMaxRows);
  }
  return kWritten;
}

// Reads the machine list from a saved output or from the emulator.
int ReadList(const Paths& paths, const char* file, DWORD waitMs, Gatherer* gatherer) {
  if (file) {
    FileSource source;
    if (!source.Open(file)) return Fail(kNoInput, "cannot open %s: %s.", file, SystemText(GetLastError()).c_str());
    return ListFailure(ReadMachineList(&source, gatherer), file);
  }
  if (!Exists(paths.emulator)) {
    return Fail(kNoInput, "mame.exe is not in %s; put mkgamelist.exe into the MAME folder, or name a saved "
                "\"mame -listxml\" output.", paths.folder);
  }
  EmulatorSource source(waitMs);
  if (!source.Start(paths.emulator, "-listxml", paths.folder)) {
    return Fail(kNoInput, "cannot start %s: %s.", paths.emulator, SystemText(GetLastError()).c_str());
  }
  ListReport report = ReadMachineList(&source, gatherer);
  DWORD exitCode = 0;
  bool silent = report.outcome == kListSilent;
  if (source.Finish(silent, &exitCode) == EmulatorSource::kHung || silent) {
    return Fail(kEmulatorFailed, "mame.exe -listxml stopped answering (nothing for %lu s, %ld machines read) and "
                "was ended; nothing written.", (unsigned long)(waitMs / 1000), report.machines);
  }
  if (exitCode != 0) {
    return Fail(kEmulatorFailed, "mame.exe -listxml failed with exit code %lu; nothing written.",
                (unsigned long)exitCode);
  }
  return ListFailure(report, "the output of mame.exe -listxml");
}

int WriteDocument(const Paths& paths, const Gatherer& gatherer) {
  if (!CreateDirectoryA(paths.docs, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    return Fail(kCannotWrite, "cannot make the folder %s: %s; nothing written.", paths.docs,
                SystemText(GetLastError()).c_str());
  }
  HANDLE h = CreateFileA(paths.fresh, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    return Fail(kCannotWrite, "cannot write %s: %s; the old document is unchanged.", paths.fresh,
                SystemText(GetLastError()).c_str());
  }
  int fd = _open_osfhandle((intptr_t)h, _O_WRONLY | _O_BINARY);
  FILE* f = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
  if (!f) {
    if (fd >= 0) _close(fd);
    else CloseHandle(h);
    DeleteFileA(paths.fresh);
    return Fail(kCannotWrite, "cannot write %s; the old document is unchanged.", paths.fresh);
  }
  setvbuf(f, nullptr, _IOFBF, 1 << 16);
  const std::vector<GameRow>& rows = gatherer.table.rows();
  bool ok = WriteGameListDocument(f, gatherer.build, rows.data(), rows.size());
  ok = fflush(f) == 0 && ok;
  DWORD error = ok ? 0 : GetLastError();
  ok = fclose(f) == 0 && ok;
  if (!ok) {
    DeleteFileA(paths.fresh);
    return Fail(kCannotWrite, "writing %s failed: %s; the old document is unchanged.", paths.fresh,
                SystemText(error ? error : ERROR_WRITE_FAULT).c_str());
  }
  if (!ReplaceKeepingBackup(paths.fresh, paths.document)) {
    DWORD moveError = GetLastError();
    DeleteFileA(paths.fresh);
    return Fail(kCannotWrite, "cannot put the new document in place of %s: %s; the old document is unchanged.",
                paths.document, SystemText(moveError).c_str());
  }
  return kWritten;
}

void PrintSummary(const Paths& paths, const TableCollector& t, bool hadBackup, DWORD startedAt) {
  printf("Machines read:  %ld\n", t.machines());
  printf("Rows written:   %lu to %s%s\n", (unsigned long)t.rows().size(), paths.document,
         hadBackup ? " (the former one is now gamelist.txt.bak)" : "");
  long longOnes = t.count(kVerdictLongShortName), badOnes = t.count(kVerdictBadShortName);
  printf("Left out:       %ld whose short name is longer than the table's %d characters", longOnes,
         (int)kShortNameMax);
  for (size_t i = 0; i < t.namedLongOnes().size(); ++i) {
    printf("%s%s", i == 0 ? " (" : ", ", t.namedLongOnes()[i].c_str());
  }
  if (!t.namedLongOnes().empty()) printf("%s)", longOnes > (long)t.namedLongOnes().size() ? ", ..." : "");
  printf("\n");
  if (badOnes) printf("                %ld whose short name cannot stand in the table\n", badOnes);
  printf("Not games:      %ld devices, %ld BIOS sets, %ld not runnable\n", t.count(kVerdictDevice),
         t.count(kVerdictBios), t.count(kVerdictNotRunnable));
  DWORD ms = GetTickCount() - startedAt;
  printf("Time taken:     %lu.%lu s\n", (unsigned long)(ms / 1000), (unsigned long)(ms % 1000 / 100));
}

// Asks the emulator for its usage text and tells which switches it lacks.
void CheckSwitches(const Paths& paths, DWORD waitMs) {
  if (!Exists(paths.emulator)) {
    printf("Options:        mame.exe is not in this folder, so its option switches were not checked.\n");
    return;
  }
  EmulatorSource source(waitMs);
  if (!source.Start(paths.emulator, "-showusage", paths.folder)) {
    printf("Options:        cannot start mame.exe -showusage (%s); switches not checked.\n",
           SystemText(GetLastError()).c_str());
    return;
  }
  std::string usage;
  char buffer[16384];
  size_t got = 0;
  ByteSource::Result r;
  while ((r = source.Read(buffer, sizeof buffer, &got)) == ByteSource::kData) {
    if (usage.size() < kUsageMax) usage.append(buffer, got);
  }
  DWORD exitCode = 0;
  if (source.Finish(r == ByteSource::kSilent, &exitCode) == EmulatorSource::kHung || r != ByteSource::kEnd ||
      usage.empty()) {
    printf("Options:        mame.exe -showusage gave no usage text; switches not checked.\n");
    return;
  }
  unsigned unknown = UnknownOptionRows(usage.data(), usage.size());
  if (!unknown) {
    printf("Options:        this mame.exe knows all nine option switches of the Options page.\n");
    return;
  }
  printf("Options:        this mame.exe does not know");
  for (int n = 1; n <= kOptionCount; ++n) {
    if (unknown & (1u << (n - 1))) printf("%s", OptionSwitch(n));
  }
  printf("; leave these unchecked on the Options page.\n");
}

bool ParseArguments(int argc, char** argv, const char** file, DWORD* waitMs) {
  *file = nullptr;
  for (int i = 1; i < argc; ++i) {
    if ((!strcmp(argv[i], "-wait") || !strcmp(argv[i], "/wait")) && i + 1 < argc) {
      char* end = nullptr;
      long seconds = strtol(argv[++i], &end, 10);
      if (!end || *end || seconds < 1 || seconds > 3600) return false;
      *waitMs = (DWORD)seconds * 1000;
    } else if (argv[i][0] == '-' || argv[i][0] == '/' || *file) {
      return false;
    } else {
      *file = argv[i];
    }
  }
  return true;
}

// Started by a double-click, the tool has a console window of its own that
// would close with it before the user could read a word.
void KeepOwnWindowOpen() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD processes[2];
  if (!IsConsole(input) || GetConsoleProcessList(processes, 2) != 1) return;
  printf("Press Enter to close this window.\n");
  fflush(stdout);
  char line[16];
  DWORD read = 0;
  ReadConsoleA(input, line, sizeof line, &read, nullptr);
}

int Run(int argc, char** argv);

}  // namespace

int main(int argc, char** argv) {
  int code = Run(argc, argv);
  KeepOwnWindowOpen();
  return code;
}

namespace {

int Run(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  DWORD startedAt = GetTickCount();
  const char* file = nullptr;
  DWORD waitMs = 60000;
  if (!ParseArguments(argc, argv, &file, &waitMs)) {
    fprintf(stderr, "usage: mkgamelist.exe [-wait SECONDS] [saved output of mame -listxml]\n");
    return kBadArguments;
  }
  Paths paths;
  if (!BuildPaths(&paths)) return Fail(kNoInput, "the folder of mkgamelist.exe has too long a path.");
  Gatherer* gatherer = new Gatherer;  // the table's rows live on the heap anyway
  int code = ReadList(paths, file, waitMs, gatherer);
  gatherer->EndProgress();
  if (code == kWritten && gatherer->table.machines() == 0) {
    code = Fail(kBadList, "%s holds no machines; nothing written.", file ? file : "the output of mame.exe -listxml");
  }
  if (code == kWritten) {
    gatherer->table.Finish();
    bool hadDocument = Exists(paths.document);
    code = WriteDocument(paths, *gatherer);
    if (code == kWritten) PrintSummary(paths, gatherer->table, hadDocument, startedAt);
  }
  if (code == kWritten) CheckSwitches(paths, waitMs);
  delete gatherer;
  return code;
}

}  // namespace
