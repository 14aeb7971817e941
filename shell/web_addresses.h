// Addresses the Help and Games commands open through the shell, and the other
// texts the command handler composes.
#pragma once
#include <cstddef>

enum { kAddressSize = 1024 };

extern const char kHomePageAddress[];
extern const char kSupportAddress[];
extern const char kWebSearchPrefix[];  // ends in "&ie=UTF-8&q="

// The web search for one game's ROM archive; a short name that would not fit
// is cut, the address always ends in "&sa=Search" and stays terminated.
void ComposeRomSearchAddress(const char* shortName, char* out, size_t outSize);
// The fixed web search for the BIOS archives.
void ComposeBiosSearchAddress(char* out, size_t outSize);

// The information box text: "\r\n", the description without trailing blanks,
// "\r\n\r\n", the label (language text 6) and the short name.
void ComposeGameInfoText(const char* description, const char* label, const char* shortName, char* out,
                         size_t outSize);

// The text after the last backslash of a path (the whole path without one).
const char* FileNameOfPath(const char* path);

// folder + name, where folder already ends in a backslash; 0 when it would not fit.
int JoinFolderAndName(const char* folder, const char* name, char* out, size_t outSize);
