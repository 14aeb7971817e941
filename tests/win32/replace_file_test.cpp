// Putting a finished output in place (the game list maker's document, the
// snapshot converter's bitmap): with the platform's calls, and with failing
// ones put in where no real file system fails on demand. No failure may lose
// the former output or an older backup, and the game list maker must say
// where the old document is.
#include "tests/testkit/testkit.h"
#include "tests/win32/test_files.h"
#include "companions/common/replace_file_win.h"
#include "companions/mkgamelist/document_file_win.h"
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <string>

namespace {

const std::string kOld = "the former output", kOlder = "an older backup", kFresh = "the fresh output";

struct Folder {
  std::string dir, output, fresh, backup, aside;
};

Folder Stage(const char* name) {
  Folder f;
  f.dir = FreshFolder(name);
  f.output = f.dir + "\\gamelist.txt";
  f.fresh = f.output + ".new";
  f.backup = f.output + ".bak";
  f.aside = f.output + ".bak.new";
  WriteFileBytes(f.output, kOld);
  WriteFileBytes(f.backup, kOlder);
  WriteFileBytes(f.fresh, kFresh);
  return f;
}

std::string Read(const std::string& path) { return FileThere(path) ? ReadFileBytes(path) : "(none)"; }

// The four files as "output|fresh|backup|aside".
std::string State(const Folder& f) {
  return Read(f.output) + "|" + Read(f.fresh) + "|" + Read(f.backup) + "|" + Read(f.aside);
}

// Failing platform calls. The replacement that fails after the former file has
// gone to the backup name, as ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 is documented.
BOOL WINAPI ReplaceMovedThenFailed(LPCSTR replaced, LPCSTR, LPCSTR backup, DWORD, LPVOID, LPVOID) {
  MoveFileExA(replaced, backup, MOVEFILE_REPLACE_EXISTING);
  SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
  return FALSE;
}

BOOL WINAPI ReplaceFailedAtOnce(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID) {
  SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
  return FALSE;
}

BOOL WINAPI MoveDenied(LPCSTR, LPCSTR, DWORD) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

const FileMoves kMovedThenFailed = {ReplaceMovedThenFailed, MoveFileExA};
const FileMoves kFailedAtOnce = {ReplaceFailedAtOnce, MoveFileExA};
const FileMoves kNothingMovesBack = {ReplaceMovedThenFailed, MoveDenied};
const FileMoves kBackupStays = {ReplaceFileA, MoveDenied};

// Holds a file open as another program may, without leave to delete or rename it.
HANDLE Hold(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
}

// The game list maker's one-line messages go to the error output.
std::string ErrorsOf(const std::string& dir, bool (*run)(void*), void* context, bool* result) {
  std::string path = dir + "\\errors.txt";
  fflush(stderr);
  int saved = _dup(2);
  int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0600);
  _dup2(fd, 2);
  *result = run(context);
  fflush(stderr);
  _dup2(saved, 2);
  _close(fd);
  _close(saved);
  return ReadFileBytes(path);
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST_CASE(replacing_keeps_the_older_backup_until_the_fresh_output_is_in) {
  struct Case {
    const char* what;
    const FileMoves* moves;
    bool noOutput, holdOutput, holdBackup;
    ReplaceResult want;
    std::string state;  // output|fresh|backup|aside afterwards
    DWORD error;        // GetLastError afterwards, 0: any but 0, ~0: not looked at
  } cases[] = {
      {"plain", &kPlatformMoves, false, false, false, kReplaced, kFresh + "|(none)|" + kOld + "|(none)", ~0ul},
      {"no former output", &kPlatformMoves, true, false, false, kReplaced,
       kFresh + "|(none)|" + kOlder + "|(none)", ~0ul},
      {"former output held open", &kPlatformMoves, false, true, false, kNotReplaced,
       kOld + "|" + kFresh + "|" + kOlder + "|(none)", 0},
      {"older backup held open", &kPlatformMoves, false, false, true, kReplacedBackupAside,
       kFresh + "|(none)|" + kOlder + "|" + kOld, 0},
      {"moved aside, then failed", &kMovedThenFailed, false, false, false, kNotReplaced,
       kOld + "|" + kFresh + "|" + kOlder + "|(none)", ERROR_UNABLE_TO_MOVE_REPLACEMENT_2},
      {"failed at once", &kFailedAtOnce, false, false, false, kNotReplaced,
       kOld + "|" + kFresh + "|" + kOlder + "|(none)", ERROR_UNABLE_TO_MOVE_REPLACEMENT},
      {"moved aside, and would not come back", &kNothingMovesBack, false, false, false, kFormerOutputAside,
       "(none)|" + kFresh + "|" + kOlder + "|" + kOld, ERROR_ACCESS_DENIED},
      {"older backup would not go", &kBackupStays, false, false, false, kReplacedBackupAside,
       kFresh + "|(none)|" + kOlder + "|" + kOld, ERROR_ACCESS_DENIED},
  };
  for (const Case& c : cases) {
    Folder f = Stage("replace_file_test");
    if (c.noOutput) DeleteFileA(f.output.c_str());
    HANDLE held = c.holdOutput ? Hold(f.output) : c.holdBackup ? Hold(f.backup) : INVALID_HANDLE_VALUE;
    SetLastError(0);
    ReplaceResult r = ReplaceKeepingBackup(f.fresh.c_str(), f.output.c_str(), *c.moves);
    DWORD error = GetLastError();
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    std::string state = State(f);
    bool errorOk = c.error == ~0ul || (c.error == 0 ? error != 0 : error == c.error);
    if (r != c.want || state != c.state || !errorOk) {
      testkit::Fail(__FILE__, __LINE__, std::string(c.what) + ": result " + std::to_string(r) + ", error " +
                                            std::to_string(error) + ", " + state);
    }
  }
}

struct Write {
  Folder folder;
  const FileMoves* moves;
  bool backedUp;
};

static bool WriteDocument(void* context) {
  Write* w = (Write*)context;
  return WriteDocumentFile(w->folder.dir.c_str(), w->folder.output.c_str(), "0.251", nullptr, 0, &w->backedUp,
                           *w->moves);
}

TEST_CASE(the_game_list_maker_says_where_the_old_document_is) {
  struct Case {
    const char* what;
    const FileMoves* moves;
    bool written, backedUp;
    const char* says;  // in the one line, or "" for no line
    bool oldInPlace;
  } cases[] = {
      {"replaced", &kPlatformMoves, true, true, "", false},
      {"older backup would not go", &kBackupStays, true, false, "the former document is ", false},
      {"failed, put back", &kMovedThenFailed, false, false, "the old document is unchanged", true},
      {"failed at once", &kFailedAtOnce, false, false, "the old document is unchanged", true},
      {"failed, not put back", &kNothingMovesBack, false, false, "nor the old one back", false},
  };
  for (const Case& c : cases) {
    Write w = {Stage("replace_file_test"), c.moves, !c.backedUp};
    DeleteFileA(w.folder.fresh.c_str());
    bool written = false;
    std::string errors = ErrorsOf(w.folder.dir, WriteDocument, &w, &written);
    bool ok = written == c.written && w.backedUp == c.backedUp && !FileThere(w.folder.fresh) &&
              (Read(w.folder.output) == kOld) == c.oldInPlace && Read(w.folder.backup) == (c.backedUp ? kOld : kOlder);
    if (*c.says) {
      ok = ok && Has(errors, c.says) && errors.find('\n') == errors.size() - 1;
    } else {
      ok = ok && errors.empty();
    }
    // Wherever the old document went, the line names the place; "unchanged" only when it is.
    if (c.moves != &kPlatformMoves && !c.oldInPlace) ok = ok && Has(errors, w.folder.aside) && !Has(errors, "unchanged");
    if (!ok) testkit::Fail(__FILE__, __LINE__, std::string(c.what) + ": " + errors + " / " + State(w.folder));
  }
}
