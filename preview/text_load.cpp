// Document text conversion (see text_load.h).
#include "preview/text_load.h"

static const char kEndOfText = 0x1A;  // Ctrl-Z: a text stream ends there

// Calls emit(c) for each character of the converted text.
template <class Emit>
static void Convert(const char* bytes, size_t n, Emit emit) {
  for (size_t i = 0; i < n; ++i) {
    char c = bytes[i];
    if (c == kEndOfText) return;
    if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') continue;  // the LF below adds it back
    if (c == '\n') {
      if (!emit('\r')) return;
    }
    if (!emit(c)) return;
  }
}

size_t DocumentTextLength(const char* bytes, size_t n) {
  size_t length = 0;
  Convert(bytes, n, [&](char) { ++length; return true; });
  return length;
}

size_t ConvertDocumentText(const char* bytes, size_t n, char* out, size_t outSize) {
  if (outSize == 0) return 0;
  size_t length = 0;
  Convert(bytes, n, [&](char c) {
    if (length + 1 >= outSize) return false;
    out[length++] = c;
    return true;
  });
  out[length] = 0;
  return length;
}
