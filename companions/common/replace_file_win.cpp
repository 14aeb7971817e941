// The former output steps aside before the fresh one moves in, and comes back
// if the move fails.
#include "companions/common/replace_file_win.h"
#include <windows.h>
#include <cstdio>

bool ReplaceKeepingBackup(const char* fresh, const char* output) {
  char backup[1040];  // the longest path the callers take, and ".bak"
  int n = snprintf(backup, sizeof backup, "%s.bak", output);
  if (n < 0 || n >= (int)sizeof backup) return false;
  DWORD a = GetFileAttributesA(output);
  bool hadOutput = a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  if (hadOutput && !MoveFileExA(output, backup, MOVEFILE_REPLACE_EXISTING)) return false;
  if (MoveFileA(fresh, output)) return true;
  if (hadOutput) MoveFileA(backup, output);
  return false;
}
