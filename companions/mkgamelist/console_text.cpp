// Wording and wrapping of the tool's console lines.
#include "companions/mkgamelist/console_text.h"

std::string CountOf(long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string LabelledLines(const char* label, const std::string& text, size_t width) {
  std::string out = label ? label : "";
  out.append(out.size() < kLabelColumn ? kLabelColumn - out.size() : 1, ' ');
  size_t column = out.size();
  bool lineEmpty = true;
  for (size_t at = 0; at < text.size();) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    size_t n = end - at;
    if (!lineEmpty && column + 1 + n > width) {
      out += "\n" + std::string(kLabelColumn, ' ');
      column = kLabelColumn;
      lineEmpty = true;
    }
    if (!lineEmpty) {
      out += ' ';
      ++column;
    }
    out.append(text, at, n);
    column += n;
    lineEmpty = false;
    at = end;
  }
  return out + "\n";
}
