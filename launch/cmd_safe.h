// The verification hands a short name to the command interpreter, which would
// treat some characters as separators, redirections, variables or quoting.
// A short name comes from a file in roms\, so it can hold any of them.
#pragma once
#include <cstddef>

// True when the name holds none of the characters the command interpreter
// treats specially (& | < > ^ % ! " ( ) and control characters).
bool IsCmdSafeName(const char* name);

// "/k "mame.exe" -verifyroms " and the short name, byte for byte. Returns
// false, with an empty text, for a name that is not safe or does not fit.
bool ComposeVerifyParameters(const char* shortName, char* out, size_t outSize);
