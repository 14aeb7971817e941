// The former output steps aside in the same call that moves the fresh one in
// (ReplaceFileA), to a name of its own, so that an older backup stays until
// the fresh output is in place. Where the former output is after a failure,
// the file system tells: with some failures (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
// it has already left its place.
#include "companions/common/replace_file_win.h"
#include <cstdio>

const FileMoves kPlatformMoves = {ReplaceFileA, MoveFileExA};

static bool IsFile(const char* path) {
  DWORD a = GetFileAttributesA(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

const char* BackupSuffix(ReplaceResult r) { return r == kReplaced ? ".bak" : ".bak.new"; }

ReplaceResult ReplaceKeepingBackup(const char* fresh, const char* output, const FileMoves& moves) {
  char backup[1040], aside[1040];  // the longest path the callers take, and the suffix
  int n = snprintf(backup, sizeof backup, "%s%s", output, BackupSuffix(kReplaced));
  int m = snprintf(aside, sizeof aside, "%s%s", output, BackupSuffix(kReplacedBackupAside));
  if (n < 0 || n >= (int)sizeof backup || m < 0 || m >= (int)sizeof aside) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return kNotReplaced;
  }
  if (!IsFile(output)) return moves.move(fresh, output, 0) ? kReplaced : kNotReplaced;
  if (!moves.replace(output, fresh, aside, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    DWORD error = GetLastError();
    ReplaceResult r = kNotReplaced;
    if (!IsFile(output) && IsFile(aside) && !moves.move(aside, output, 0)) {
      error = GetLastError();
      r = kFormerOutputAside;
    }
    SetLastError(error);
    return r;
  }
  return moves.move(aside, backup, MOVEFILE_REPLACE_EXISTING) ? kReplaced : kReplacedBackupAside;
}
