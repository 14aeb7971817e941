// mkgamelist.exe: writes docs\gamelist.txt of its own folder from what the
// installed emulator says about itself, for emulators that no longer ship the
// document, and tells which option switches of the options page the emulator
// does not know.
//
//   mkgamelist.exe [-wait SECONDS] [-progress] [FILE]      (-h or /? shows the usage)
//
// Without FILE it runs "mame.exe -listxml" from its own folder and reads the
// output through a pipe; with FILE it reads a saved output. The document is
// written only when the whole input was read: first to gamelist.txt.new, then
// moved into place, the former one kept as gamelist.txt.bak. -wait sets how
// long the emulator may print nothing before it counts as hung (default 60).
// -progress is for a program that runs the tool through a pipe (Vintor): a
// line "progress: N" after every 100 machines read, where a console would
// show its counter.
//
// Exit codes: 0 written (or the usage asked for); 1 bad arguments; 2 input
// missing (FILE or mame.exe) or the tool's folder path too long; 3 the input
// is not a whole machine list, holds no machines, no game to list or too
// many; 4 the emulator failed or hung; 5 the document cannot be written;
// 6 xmllite.dll missing.
#include "companions/mkgamelist/console_text.h"
#include "companions/mkgamelist/console_win.h"
#include "companions/mkgamelist/document_file_win.h"
#include "companions/mkgamelist/machine_list_win.h"
#include "companions/mkgamelist/sources_win.h"
#include "companions/mkgamelist/switch_check_win.h"
#include "companions/mkgamelist/table_collector.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

enum { kPathMax = 1024 };

struct Paths {
  char folder[kPathMax];
  char emulator[kPathMax];
  char docs[kPathMax];
  char document[kPathMax];
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
    return k > 0 && k < kPathMax - 8;  // room for ".bak.new" beside it
  };
  return put(p->folder, self, "") && put(p->emulator, self, "\\mame.exe") && put(p->docs, self, "\\docs") &&
         put(p->document, self, "\\docs\\gamelist.txt");
}

// Feeds the table and shows how far the reading has come.
class Gatherer : public MachineHandler {
 public:
  TableCollector table;
  char build[128] = "";
  bool pipeProgress = false;  // -progress

  void OnBuild(const char16_t* text, size_t count) override { ToCodePage1252(text, count, build, sizeof build); }
  bool OnMachine(const MachineFacts& m) override {
    bool more = table.Add(m);
    if (progress_ && table.machines() % 500 == 0) {
      printf("\rMachines read: %ld", table.machines());
      fflush(stdout);
    } else if (!progress_ && pipeProgress && table.machines() % 100 == 0) {
      printf("progress: %ld\n", table.machines());
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
      return Fail(kBadList, "reading %s failed (machines read: %ld); nothing written.", input, r.machines);
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
  if (!FileExists(paths.emulator)) {
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
    return Fail(kEmulatorFailed, "mame.exe -listxml stopped answering (nothing for %lu s; machines read: %ld) and "
                "was ended; nothing written.", (unsigned long)(waitMs / 1000), report.machines);
  }
  if (exitCode != 0) {
    return Fail(kEmulatorFailed, "mame.exe -listxml failed with exit code %lu; nothing written.",
                (unsigned long)exitCode);
  }
  return ListFailure(report, "the output of mame.exe -listxml");
}

void PrintSummary(const Paths& paths, const TableCollector& t, bool hadBackup, DWORD startedAt) {
  Say("Machines read:", std::to_string(t.machines()));
  Say("Rows written:", std::to_string(t.rows().size()) + " to " + paths.document +
                           (hadBackup ? " (the former one is now gamelist.txt.bak)" : ""));
  if (t.wide()) {
    Say("Table:", "wide, for short names of up to " + std::to_string(kShortNameMax) + " characters (" +
                      CountOf(t.longNames(), "name", "names") + " longer than " +
                      std::to_string(kClassicShortNameMax) + ")");
  } else {
    Say("Table:", "classic (no short name is longer than " + std::to_string(kClassicShortNameMax) + " characters)");
  }
  Say("Not games:", CountOf(t.count(kVerdictDevice), "device", "devices") + ", " +
                        CountOf(t.count(kVerdictBios), "BIOS set", "BIOS sets") + ", " +
                        std::to_string(t.count(kVerdictNotRunnable)) + " not runnable");
  long badOnes = t.count(kVerdictBadShortName);
  if (badOnes) {
    Say("Left out:", CountOf(badOnes, "machine", "machines") + " whose short name cannot stand in the table "
                     "(empty, longer than " + std::to_string(kShortNameMax) + " characters, or with a character "
                     "that is not printable ASCII or not allowed in a file name)");
  }
  DWORD ms = GetTickCount() - startedAt;
  Say("Time taken:", std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100) + " s");
}

// The last line of a run that wrote the document: what to do now, and where
// the archives of machines without a row will be.
void PrintNextStep(const TableCollector& t) {
  Say("Next:", std::string("start vintor.exe, or press Rescan in a Vintor that runs, to see these games. ROM "
                           "archives in roms\\ that match no row (BIOS sets, devices") +
                   (t.count(kVerdictBadShortName) ? ", the machines left out" : "") +
                   ") show on Vintor's Other files page.");
}

const char kUsage[] =
    "usage: mkgamelist.exe [-wait SECONDS] [-progress] [FILE]\n"
    "  FILE           a saved output of \"mame.exe -listxml\", read instead of\n"
    "                 starting mame.exe\n"
    "  -wait SECONDS  how long mame.exe may print nothing before it is stopped\n"
    "                 (1 to 3600; 60 when not given)\n"
    "  -progress      a line \"progress: N\" after every 100 machines, for a program\n"
    "                 that reads this output (Vintor does)\n"
    "  -h, /?         shows this text\n"
    "It also records in vintor.ini which switches of Vintor's Options page mame.exe\n"
    "accepts. Exit code 0: the document was written; the manual lists the others.\n";
const char kWhatItDoes[] =
    "mkgamelist: makes Vintor's game list docs\\gamelist.txt from mame.exe -listxml.\n";

bool AsksForUsage(const char* a) {
  return !strcmp(a, "-h") || !strcmp(a, "/?") || !strcmp(a, "-?") || !strcmp(a, "/h") || !strcmp(a, "--help");
}

// Reads the arguments; returns the first one it cannot use, or null.
const char* ParseArguments(int argc, char** argv, const char** file, DWORD* waitMs, bool* pipeProgress,
                           bool* usage) {
  *file = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (AsksForUsage(argv[i])) {
      *usage = true;
    } else if (!strcmp(argv[i], "-progress") || !strcmp(argv[i], "/progress")) {
      *pipeProgress = true;
    } else if (!strcmp(argv[i], "-wait") || !strcmp(argv[i], "/wait")) {
      if (i + 1 >= argc) return argv[i];
      char* end = nullptr;
      long seconds = strtol(argv[++i], &end, 10);
      if (!end || *end || seconds < 1 || seconds > 3600) return argv[i];
      *waitMs = (DWORD)seconds * 1000;
    } else if (argv[i][0] == '-' || argv[i][0] == '/' || *file) {
      return argv[i];
    } else {
      *file = argv[i];
    }
  }
  return nullptr;
}

int Run(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  DWORD startedAt = GetTickCount();
  const char* file = nullptr;
  DWORD waitMs = 60000;
  bool pipeProgress = false;
  bool usage = false;
  if (const char* bad = ParseArguments(argc, argv, &file, &waitMs, &pipeProgress, &usage)) {
    Fail(kBadArguments, "cannot use the argument \"%s\"; nothing written.", bad);
    fputs(kWhatItDoes, stderr);
    fputs(kUsage, stderr);
    return kBadArguments;
  }
  if (usage) {
    fputs(kWhatItDoes, stdout);
    fputs(kUsage, stdout);
    return kWritten;
  }
  Paths paths;
  if (!BuildPaths(&paths)) return Fail(kNoInput, "the folder of mkgamelist.exe has too long a path.");
  Gatherer* gatherer = new Gatherer;  // the table's rows live on the heap anyway
  gatherer->pipeProgress = pipeProgress;
  int code = ReadList(paths, file, waitMs, gatherer);
  gatherer->EndProgress();
  const char* source = file ? file : "the output of mame.exe -listxml";
  if (code == kWritten && gatherer->table.machines() == 0) {
    code = Fail(kBadList, "%s holds no machines; nothing written.", source);
  } else if (code == kWritten && gatherer->table.rows().empty()) {
    // An empty table would only hide the games of the former document.
    code = Fail(kBadList, "%s lists no game that can be run (machines read: %ld); nothing written.", source,
                gatherer->table.machines());
  }
  if (code == kWritten) {
    gatherer->table.Finish();
    bool backedUp = false;
    const std::vector<GameRow>& rows = gatherer->table.rows();
    if (!WriteDocumentFile(paths.docs, paths.document, gatherer->build, rows.data(), rows.size(), &backedUp)) {
      code = kCannotWrite;
    }
    if (code == kWritten) PrintSummary(paths, gatherer->table, backedUp, startedAt);
  }
  if (code == kWritten) {
    CheckOptionSwitches(paths.emulator, paths.folder, waitMs);
    PrintNextStep(gatherer->table);
  }
  delete gatherer;
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  int code = Run(argc, argv);
  KeepOwnWindowOpen();
  return code;
}
