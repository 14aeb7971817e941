// The size text of an archive in column 7 of the game lists.
#pragma once
#include <cstddef>

// Tenths of K (divisor 102), M (104858) or G (107374182), cut, at least two
// digits: 1024 -> "1.0 KB", 5000000 -> "4.7 MB"; 0 -> "0 bytes". From exactly
// 2^20 bytes on the unit is M, from exactly 2^30 on it is G. A negative size
// (a length that could not be read) gives an empty text.
void FormatFileSizeTo(long long size, char* out, size_t outSize);

// The same into one static buffer that each call overwrites (user-interface
// thread only); callers copy it at once.
const char* FormatFileSize(long long size);
