// Asks the emulator for its usage text (-showusage) and tells which switches
// of the options page it does not know. Never fatal: the document is written.
#pragma once
#include <windows.h>

void CheckOptionSwitches(const char* emulator, const char* folder, DWORD waitMs);
