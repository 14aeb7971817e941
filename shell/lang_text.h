// Text rules of the language file that need no platform.
#pragma once
#include <cstddef>

// Turns every "~" into a line feed, in place.
void ExpandLineBreaks(char* text);

// Formats a language text that holds one integer conversion (such as "%d").
// Only one conversion of d, i or u is honoured; anything else is copied as it
// stands, so a translator's stray "%s" can never read a missing argument.
void FormatWithInteger(char* out, size_t outSize, const char* format, long value);
