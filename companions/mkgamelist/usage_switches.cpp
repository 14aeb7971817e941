// Whole-word search of the switches in the emulator's usage text.
#include "companions/mkgamelist/usage_switches.h"
#include "launch/compose.h"
#include <cstdio>
#include <cstring>

static bool PartOfName(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

static bool NamesWord(const char* text, size_t length, const char* word) {
  size_t n = strlen(word);
  if (n == 0 || n > length) return false;
  for (size_t i = 0; i + n <= length; ++i) {
    if (memcmp(text + i, word, n) != 0) continue;
    bool startsWord = i == 0 || !PartOfName(text[i - 1]);
    bool endsWord = i + n == length || !PartOfName(text[i + n]);
    if (startsWord && endsWord) return true;
  }
  return false;
}

bool UsageNamesSwitch(const char* usage, size_t length, const char* option) {
  if (!usage || !option) return false;
  if (NamesWord(usage, length, option)) return true;
  if (strncmp(option, "-no", 3) != 0) return false;
  char negatable[64];
  int n = snprintf(negatable, sizeof negatable, "-[no]%s", option + 3);
  return n > 0 && n < (int)sizeof negatable && NamesWord(usage, length, negatable);
}

unsigned UnknownOptionRows(const char* usage, size_t length) {
  unsigned rows = 0;
  for (int n = 1; n <= kOptionCount; ++n) {
    const char* option = OptionSwitch(n);
    while (*option == ' ') ++option;
    if (!UsageNamesSwitch(usage, length, option)) rows |= 1u << (n - 1);
  }
  return rows;
}
