// Messages of the tool.
#include "companions/mkgamelist/console_win.h"
#include "companions/mkgamelist/console_text.h"
#include "shell/system_text_win.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>

bool FileExists(const char* path) {
  DWORD a = GetFileAttributesA(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SystemText(DWORD error) {
  char text[512];
  SystemErrorText(error, text, sizeof text);
  // The tool's own line ends with its full stop.
  size_t n = strlen(text);
  while (n > 0 && (text[n - 1] == '.' || text[n - 1] == ' ')) --n;
  text[n] = 0;
  if (!text[0]) snprintf(text, sizeof text, "error %lu", (unsigned long)error);
  return text;
}

int Fail(int code, const char* format, ...) {
  char text[2048];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  fprintf(stderr, "mkgamelist: %s\n", text);
  return code;
}

void Say(const char* label, const std::string& text) { fputs(LabelledLines(label, text).c_str(), stdout); }

bool IsConsole(HANDLE h) {
  DWORD mode;
  return GetConsoleMode(h, &mode) != 0;
}

void KeepOwnWindowOpen() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD processes[2];
  if (!IsConsole(input) || GetConsoleProcessList(processes, 2) != 1) return;
  printf("Press Enter to close this window.\n");
  fflush(stdout);
  char line[16];
  DWORD read = 0;
  ReadConsoleA(input, line, sizeof line, &read, nullptr);
}
