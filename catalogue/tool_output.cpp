// Reading mkgamelist.exe's progress and reason out of its output.
#include "catalogue/tool_output.h"
#include <cstring>

static const char kProgress[] = "progress: ";
static const char kReason[] = "mkgamelist: ";

void ToolOutputReader::Feed(const char* data, size_t count) {
  for (size_t i = 0; data && i < count; ++i) {
    char c = data[i];
    if (c == '\n' || c == '\r') {
      EndLine();
    } else if (length_ + 1 < sizeof line_) {
      // A control character would show as a box in a message.
      line_[length_++] = (unsigned char)c < 0x20 ? ' ' : c;
    }
  }
}

void ToolOutputReader::Finish() { EndLine(); }

void ToolOutputReader::EndLine() {
  line_[length_] = 0;
  if (!strncmp(line_, kProgress, sizeof kProgress - 1)) {
    const char* d = line_ + sizeof kProgress - 1;
    long n = 0;
    int digits = 0;
    for (; *d >= '0' && *d <= '9' && digits < 9; ++d, ++digits) n = n * 10 + (*d - '0');
    if (digits > 0 && (*d == 0 || *d == ' ')) machines_ = n;
  } else if (!reason_[0] && !strncmp(line_, kReason, sizeof kReason - 1)) {
    memcpy(reason_, line_, length_ + 1);
  }
  length_ = 0;
}
