// Which of the options page's switches an emulator's -showusage text names,
// and the record of what each box is to give that emulator.
#pragma once
#include "launch/compose.h"
#include <cstddef>

// True when `usage` names the switch (given with its leading "-", e.g.
// "-window") as a word of its own: "-window" or "-window," but not
// "-windowed". A usage line that writes "-[no]sound" names "-sound" and
// "-nosound" both.
bool UsageNamesSwitch(const char* usage, size_t length, const char* option);

// Option rows 1 to 9 (of launch/compose.h) whose switch the usage text does
// not name, as a bit mask: bit n - 1 for row n.
unsigned UnknownOptionRows(const char* usage, size_t length);

// For each box: its switch where the usage text names it (older emulators
// write true/false switches as "-[no]window"); else today's equivalent that
// the text names: "-sound none" for -nosound (but -nosound itself where
// -sound is a true/false switch, "enable ..."), "-priority 1" for
// -high_priority; else nothing (the box's switch is not supported).
void RecordSwitchesFromUsage(const char* usage, size_t length, SwitchRecord* record);
