// Reads the emulator's -listxml output with the platform's XmlLite (loaded at
// run time: MinGW has its header but no import library) and hands over the
// facts of each <machine>, one at a time; nothing of the document is kept.
#pragma once
#include <windows.h>
#include <cstddef>
#include "companions/mkgamelist/machine_row.h"

// Where the bytes come from: a saved file or the emulator's pipe.
class ByteSource {
 public:
  enum Result { kData, kEnd, kFailed, kSilent };
  virtual ~ByteSource() {}
  // Blocks until some bytes are there (then kData with *got > 0), the input
  // has ended, it failed, or it stayed silent for too long.
  virtual Result Read(char* buffer, size_t capacity, size_t* got) = 0;
};

class MachineHandler {
 public:
  virtual ~MachineHandler() {}
  // The root element's build attribute (the emulator's version text).
  virtual void OnBuild(const char16_t* text, size_t count) = 0;
  // One machine; false stops the reading (kListTooLong).
  virtual bool OnMachine(const MachineFacts& machine) = 0;
};

enum ListOutcome {
  kListRead,          // the whole input: the root element, then only white space, comments, instructions
  kListNoReader,      // xmllite.dll or CreateXmlReader missing
  kListMalformed,     // the reader reported an error
  kListTruncated,     // the input ended before the root element did
  kListSourceFailed,  // reading the input failed
  kListSilent,        // the input stayed silent too long
  kListStopped,       // the handler stopped it
};

struct ListReport {
  ListOutcome outcome = kListRead;
  HRESULT error = S_OK;      // the reader's error for kListMalformed
  UINT line = 0, column = 0; // where the reader stood when it stopped
  long machines = 0;         // <machine> elements handed over
};

ListReport ReadMachineList(ByteSource* source, MachineHandler* handler);
