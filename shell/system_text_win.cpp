// The system's error texts, one line each.
#include "shell/system_text_win.h"

void SystemErrorText(DWORD error, char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  out[0] = 0;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, out,
                           outSize > 0xFFFF ? 0xFFFF : (DWORD)outSize, NULL);
  if (n >= outSize) n = 0;
  while (n > 0 && (out[n - 1] == '\r' || out[n - 1] == '\n' || out[n - 1] == ' ')) --n;
  out[n] = 0;
  for (DWORD i = 0; i < n; ++i) {
    if (out[i] == '\r' || out[i] == '\n') out[i] = ' ';
  }
}
