// Size texts: tenths of a unit, cut rather than rounded.
#include "catalogue/file_size_text.h"
#include <cstdio>

void FormatFileSizeTo(long long size, char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  out[0] = 0;
  if (size < 0) return;
  if (size == 0) {
    snprintf(out, outSize, "0 bytes");
    return;
  }
  const long long kMega = 1048576LL, kGiga = 1073741824LL;
  char unit = 'K';
  long long divisor = 102;
  if (size >= kGiga) {
    unit = 'G';
    divisor = 107374182;
  } else if (size >= kMega) {
    unit = 'M';
    divisor = 104858;
  }
  long long tenths = size / divisor;
  snprintf(out, outSize, "%lld.%lld %cB", tenths / 10, tenths % 10, unit);
}

const char* FormatFileSize(long long size) {
  static char text[32];
  FormatFileSizeTo(size, text, sizeof text);
  return text;
}
