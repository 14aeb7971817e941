// Keeps names from the ROM folder from turning into commands of cmd.
#include "launch/cmd_safe.h"
#include <cstdio>
#include <cstring>

bool IsCmdSafeName(const char* name) {
  if (!name) return true;
  for (const unsigned char* p = (const unsigned char*)name; *p; ++p) {
    if (*p < 0x20 || *p == 0x7F) return false;
    if (strchr("&|<>^%!\"()", *p)) return false;
  }
  return true;
}

bool ComposeVerifyParameters(const char* shortName, char* out, size_t outSize) {
  if (!out || outSize == 0) return false;
  out[0] = 0;
  if (!IsCmdSafeName(shortName)) return false;
  int n = snprintf(out, outSize, "/k \"mame.exe\" -verifyroms %s", shortName ? shortName : "");
  if (n < 0 || (size_t)n >= outSize) {
    out[0] = 0;
    return false;
  }
  return true;
}
