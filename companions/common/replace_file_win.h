// Moving a finished output file into place, shared by the outside programs.
#pragma once
#include <windows.h>

// The platform calls the move makes; tests put failing ones in.
struct FileMoves {
  BOOL(WINAPI* replace)(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID, LPVOID);
  BOOL(WINAPI* move)(LPCSTR from, LPCSTR to, DWORD flags);
};
extern const FileMoves kPlatformMoves;  // ReplaceFileA and MoveFileExA

enum ReplaceResult {
  kReplaced,             // `fresh` is the output; a former output is output + ".bak"
  kReplacedBackupAside,  // the same, but the older backup would not go: the former output is output + ".bak.new"
  kNotReplaced,          // nothing changed, an older backup neither; `fresh` is left for the caller to delete
  kFormerOutputAside,    // failed, and the former output would not go back: it is output + ".bak.new"
};

// Moves `fresh` to `output`. A former output goes to output + ".bak.new" in
// the same step as `fresh` comes in, and only then replaces an older backup,
// so that no failure loses either. The system's error code of the step that
// failed is left for GetLastError.
ReplaceResult ReplaceKeepingBackup(const char* fresh, const char* output, const FileMoves& moves = kPlatformMoves);

// The name a former output has for each result: output + ".bak" or + ".bak.new".
const char* BackupSuffix(ReplaceResult r);
