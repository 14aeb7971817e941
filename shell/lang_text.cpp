// Language texts: line breaks and the one-integer formats (strings 100 and 101).
#include "shell/lang_text.h"
#include <cstdio>
#include <cstring>

void ExpandLineBreaks(char* text) {
  for (; text && *text; ++text)
    if (*text == '~') *text = '\n';
}

void FormatWithInteger(char* out, size_t outSize, const char* format, long value) {
  if (!out || outSize == 0) return;
  size_t o = 0;
  bool used = false;
  for (const char* f = format ? format : ""; *f && o + 1 < outSize; ++f) {
    if (*f == '%' && f[1] == '%') { out[o++] = '%'; ++f; continue; }
    if (*f == '%' && !used) {
      // Flags, a width of at most three digits, length letters, then one
      // integer conversion. A longer width would pad for seconds, and '#' or a
      // letter among the digits means nothing for integers.
      const char* g = f + 1;
      while (*g && strchr("-+ 0", *g)) ++g;
      const char* digits = g;
      while (*g >= '0' && *g <= '9') ++g;
      const bool widthOk = g - digits <= 3;
      while (*g == 'l') ++g;
      if (widthOk && (*g == 'd' || *g == 'i' || *g == 'u')) {
        char spec[32], num[64];
        size_t len = (size_t)(g - f);
        if (len < sizeof spec - 2) {
          memcpy(spec, f, len);
          size_t s = len;
          while (s > 1 && spec[s - 1] == 'l') --s;   // we pass a long ourselves
          spec[s] = 'l'; spec[s + 1] = *g; spec[s + 2] = 0;
          snprintf(num, sizeof num, spec, value);
          for (const char* n = num; *n && o + 1 < outSize; ++n) out[o++] = *n;
          used = true;
          f = g;
          continue;
        }
      }
    }
    out[o++] = *f;
  }
  out[o] = 0;
}
