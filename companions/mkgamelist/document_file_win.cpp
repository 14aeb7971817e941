// Writing through a stream on a handle of our own, so that the system's
// error code is there to tell when the file cannot be made.
#include "companions/mkgamelist/document_file_win.h"
#include "companions/common/replace_file_win.h"
#include "companions/mkgamelist/console_win.h"
#include "companions/mkgamelist/document.h"
#include <fcntl.h>
#include <io.h>
#include <cstdio>

bool WriteDocumentFile(const char* docs, const char* document, const char* build, const GameRow* rows,
                       size_t count, bool* backedUp, const FileMoves& moves) {
  *backedUp = false;
  char fresh[1040];  // as long as the backup name beside it
  int n = snprintf(fresh, sizeof fresh, "%s.new", document);
  if (n < 0 || n >= (int)sizeof fresh) {
    Fail(kCannotWrite, "the path %s is too long; nothing written.", document);
    return false;
  }
  if (!CreateDirectoryA(docs, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    Fail(kCannotWrite, "cannot make the folder %s: %s; nothing written.", docs, SystemText(GetLastError()).c_str());
    return false;
  }
  HANDLE h = CreateFileA(fresh, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    Fail(kCannotWrite, "cannot write %s: %s; the old document is unchanged.", fresh, SystemText(GetLastError()).c_str());
    return false;
  }
  int fd = _open_osfhandle((intptr_t)h, _O_WRONLY | _O_BINARY);
  FILE* f = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
  if (!f) {
    if (fd >= 0) _close(fd);
    else CloseHandle(h);
    DeleteFileA(fresh);
    Fail(kCannotWrite, "cannot write %s; the old document is unchanged.", fresh);
    return false;
  }
  setvbuf(f, nullptr, _IOFBF, 1 << 16);
  bool ok = WriteGameListDocument(f, build, rows, count);
  ok = fflush(f) == 0 && ok;
  DWORD error = ok ? 0 : GetLastError();
  ok = fclose(f) == 0 && ok;
  if (!ok) {
    DeleteFileA(fresh);
    Fail(kCannotWrite, "writing %s failed: %s; the old document is unchanged.", fresh,
         SystemText(error ? error : ERROR_WRITE_FAULT).c_str());
    return false;
  }
  bool hadDocument = FileExists(document);
  ReplaceResult r = ReplaceKeepingBackup(fresh, document, moves);
  DWORD moveError = GetLastError();
  switch (r) {
    case kReplaced:
      *backedUp = hadDocument;
      return true;
    case kReplacedBackupAside:
      Fail(kWritten, "the former document is %s%s: the older %s%s would not go (%s).", document, BackupSuffix(r),
           document, BackupSuffix(kReplaced), SystemText(moveError).c_str());
      return true;
    case kNotReplaced:
      DeleteFileA(fresh);
      Fail(kCannotWrite, "cannot put the new document in place of %s: %s; the old document is unchanged.", document,
           SystemText(moveError).c_str());
      return false;
    case kFormerOutputAside:
      DeleteFileA(fresh);
      Fail(kCannotWrite, "cannot put the new document in place of %s, nor the old one back (%s): the old document "
           "is now %s%s.", document, SystemText(moveError).c_str(), document, BackupSuffix(r));
      return false;
  }
  return false;
}
