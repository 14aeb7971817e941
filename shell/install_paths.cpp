// Installation layout: every path is the program folder plus a fixed tail.
#include "shell/install_paths.h"
#include <cstring>

void CopyText(char* dst, size_t dstSize, const char* src) {
  if (!dst || dstSize == 0) return;
  if (!src) src = "";
  size_t n = strlen(src);
  if (n >= dstSize) n = dstSize - 1;
  memcpy(dst, src, n);
  dst[n] = 0;
}

void AppendText(char* dst, size_t dstSize, const char* src) {
  if (!dst || dstSize == 0) return;
  size_t used = strnlen(dst, dstSize);
  if (used >= dstSize) { dst[dstSize - 1] = 0; return; }
  CopyText(dst + used, dstSize - used, src);
}

void ProgramFolderOf(const char* modulePath, char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  CopyText(out, outSize, modulePath);
  char* slash = strrchr(out, '\\');
  if (slash) *slash = 0;
}

static void Join(char* dst, const char* folder, const char* tail) {
  CopyText(dst, kPathSize, folder);
  AppendText(dst, kPathSize, tail);
}

void BuildInstallPaths(InstallPaths* p, const char* folder, const char* manualName) {
  CopyText(p->programFolder, kPathSize, folder);
  Join(p->settingsFile, folder, "\\vintor.ini");
  Join(p->languageFile, folder, "\\lang\\default.lng");
  Join(p->manual, folder, "\\docs\\");
  AppendText(p->manual, kPathSize, manualName);
  Join(p->gameListDocument, folder, "\\docs\\gamelist.txt");
  Join(p->romFolder, folder, "\\roms\\");
  Join(p->emulator, folder, "\\mame.exe");
  Join(p->converter, folder, "\\snap\\png2bmp.exe");
  Join(p->previewFile, folder, "\\snap\\mamegame.bmp");
  Join(p->counterFolder, folder, "\\winis\\");
  Join(p->defaultPicture, folder, "\\snap\\defgame.bmp");
}

void ShortenInstallPaths(InstallPaths* p, PathShortener shorten) {
  char* shortened[] = {p->programFolder, p->settingsFile, p->languageFile, p->gameListDocument,
                       p->romFolder, p->emulator, p->converter, p->previewFile};
  for (char* path : shortened) {
    char out[kPathSize];
    unsigned n = shorten(path, out, kPathSize);
    if (n > 0 && n < kPathSize) CopyText(path, kPathSize, out);
  }
}
