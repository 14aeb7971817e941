// Texts and sizes of the snapshot preview: where a game's screenshot may lie,
// what the converter is told, and how large the picture is loaded.
#pragma once
#include <cstddef>

enum { kConverterArgsSize = 540 };

// program folder + "//snap//" + game + ".png". False (and an empty text) when the
// path does not fit: a cut path could name some other file.
bool BuildSnapshotCandidateA(const char* programFolder, const char* game, char* out, size_t outSize);
// program folder + "//snap//" + game + "//0000.png", likewise.
bool BuildSnapshotCandidateB(const char* programFolder, const char* game, char* out, size_t outSize);

// "-Q -O " + output + " " + input, the paths unquoted.
bool BuildConverterArguments(const char* output, const char* input, char* out, size_t outSize);

// preview work file + ".bak"; false when it does not fit (nothing to delete then).
bool BuildBackupPath(const char* previewFile, char* out, size_t outSize);

// Picture size for the layout values dw and dh.
void PreviewPictureSize(int dw, int dh, int* width, int* height);
