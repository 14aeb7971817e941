// The process entry's one rule about its command line.
#pragma once

// Skips the program name (quoted up to its closing quote, or up to the first
// blank) and the blanks after it; returns the rest.
const char* SkipProgramName(const char* commandLine);
