// Snapshot candidates and converter arguments, kept free of the platform.
#include "preview/snapshot_paths.h"
#include <cstring>

// Joins the parts into out; on overflow out is left empty and false returned.
static bool Join(char* out, size_t outSize, const char* const* parts, int count) {
  if (!out || outSize == 0) return false;
  size_t used = 0;
  for (int i = 0; i < count; ++i) {
    const char* s = parts[i] ? parts[i] : "";
    size_t n = strlen(s);
    if (n >= outSize - used) { out[0] = 0; return false; }
    memcpy(out + used, s, n);
    used += n;
  }
  out[used] = 0;
  return true;
}

bool BuildSnapshotCandidateA(const char* programFolder, const char* game, char* out, size_t outSize) {
  const char* parts[] = {programFolder, "//snap//", game, ".png"};
  return Join(out, outSize, parts, 4);
}

bool BuildSnapshotCandidateB(const char* programFolder, const char* game, char* out, size_t outSize) {
  const char* parts[] = {programFolder, "//snap//", game, "//0000.png"};
  return Join(out, outSize, parts, 4);
}

bool BuildConverterArguments(const char* output, const char* input, char* out, size_t outSize) {
  const char* parts[] = {"-Q -O ", output, " ", input};
  return Join(out, outSize, parts, 4);
}

bool BuildBackupPath(const char* previewFile, char* out, size_t outSize) {
  const char* parts[] = {previewFile, ".bak"};
  return Join(out, outSize, parts, 2);
}

void PreviewPictureSize(int dw, int dh, int* width, int* height) {
  *width = dw / 2 + 202;
  *height = dh + 212;
}
