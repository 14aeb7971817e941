// Skipping the program name of a command line; the arguments are then ignored.
#include "shell/command_line.h"

const char* SkipProgramName(const char* p) {
  if (!p) return "";
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}
