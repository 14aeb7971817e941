// Whether Vintor offers to make docs\gamelist.txt with mkgamelist.exe: only
// when the tool and the emulator are there and the document is missing or
// older than the emulator, and not for an emulator the user said "No" for.
#pragma once
#include <cstddef>

// What the file system says about one file. The write time is any number that
// grows with time (a FILETIME as one 64-bit number).
struct FileFacts {
  bool present = false;
  unsigned long long size = 0;
  unsigned long long writeTime = 0;
};

struct OfferFacts {
  FileFacts tool, emulator, document;
  const char* declined = "";  // the remembered stamp of a "No", empty when none
};

// The stamp of an emulator, remembered for a "No": its size and write time in
// decimal, "<size> <time>". Always terminated; cut (never overrun) when too small.
void EmulatorStamp(const FileFacts& emulator, char* out, size_t outSize);

bool ShouldOfferDocument(const OfferFacts& facts);
