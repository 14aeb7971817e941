// Asks the emulator for its usage text (-showusage) and records in vintor.ini
// beside it which switch each box of Vintor's options page gives it. Never
// fatal: the document is written either way.
#pragma once
#include <windows.h>

void CheckOptionSwitches(const char* emulator, const char* folder, DWORD waitMs);
