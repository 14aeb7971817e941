// Which of the options page's switches an emulator's -showusage text names.
#pragma once
#include <cstddef>

// True when `usage` names the switch (given with its leading "-", e.g.
// "-window") as a word of its own: "-window" or "-window," but not
// "-windowed". A usage line that writes "-[no]sound" names "-sound" and
// "-nosound" both.
bool UsageNamesSwitch(const char* usage, size_t length, const char* option);

// Option rows 1 to 9 (of launch/compose.h) whose switch the usage text does
// not name, as a bit mask: bit n - 1 for row n.
unsigned UnknownOptionRows(const char* usage, size_t length);
