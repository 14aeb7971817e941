// The system's own words for an error code, for the messages that tell why
// something failed.
#pragma once
#include <windows.h>
#include <cstddef>

// The text of `error` on one line, without its closing line break; empty
// when the system has none.
void SystemErrorText(DWORD error, char* out, size_t outSize);
