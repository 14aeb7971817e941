// The eleven installation paths, all derived from the folder of the program's
// own executable; the first eight are later shortened to their 8.3 form.
#pragma once
#include <cstddef>

enum { kPathSize = 260 };

struct InstallPaths {
  // Shortened at start-up (these eight come first, in this order).
  char programFolder[kPathSize];
  char settingsFile[kPathSize];
  char languageFile[kPathSize];
  char gameListDocument[kPathSize];
  char romFolder[kPathSize];
  char emulator[kPathSize];
  char converter[kPathSize];
  char previewFile[kPathSize];
  // Kept in their long form.
  char counterFolder[kPathSize];
  char defaultPicture[kPathSize];
  char manual[kPathSize];
};

// Program folder of a module path: the text before its last backslash.
void ProgramFolderOf(const char* modulePath, char* out, size_t outSize);

// Builds every path from the program folder and the manual's file name.
// Paths that would not fit are cut, never overrun.
void BuildInstallPaths(InstallPaths* p, const char* programFolder, const char* manualName);

// Replaces the first eight paths by what `shorten` gives; a shortener that fails
// (returns 0 or a text that does not fit) leaves the path as it was.
typedef unsigned (*PathShortener)(const char* longPath, char* out, unsigned outSize);
void ShortenInstallPaths(InstallPaths* p, PathShortener shorten);

// Bounded copy and append for fixed buffers; both always terminate.
void CopyText(char* dst, size_t dstSize, const char* src);
void AppendText(char* dst, size_t dstSize, const char* src);
