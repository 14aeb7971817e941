// A stand-in for the MAME emulator, for tests and the demo: it appends its
// command line and current folder to mame_log.txt next to itself and, when
// mame_show.txt lies next to it, shows for a moment what it was asked to run.
// Asked for -listxml or -showusage, it prints mame_listxml.xml or
// mame_usage.txt from next to itself (without the file: an error and exit
// code 1); with mame_hang.txt beside it, it prints half and then hangs.
// mame_exit.txt beside it chooses how a game start ends, by lines of the form
// "<game or *> <exit code> [milliseconds to run first]"; the first line for
// the game asked for (the first argument) or "*" counts. Without one it ends
// at once with 0.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static void CALLBACK EndStandIn(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

static void FolderOfSelf(char* out, DWORD size) {
  GetModuleFileNameA(NULL, out, size);
  out[size - 1] = 0;
  char* slash = strrchr(out, '\\');
  if (slash) slash[1] = 0;
}

// True when the command line holds the word `option`.
static bool Asked(const char* commandLine, const char* option) {
  size_t n = strlen(option);
  for (const char* p = strstr(commandLine, option); p; p = strstr(p + 1, option)) {
    if (p > commandLine && p[-1] == ' ' && (p[n] == 0 || p[n] == ' ')) return true;
  }
  return false;
}

// Prints a file beside the stand-in to standard output; returns the exit code.
static int PrintBeside(const char* folder, const char* name) {
  char path[MAX_PATH + 32], hang[MAX_PATH + 32];
  snprintf(path, sizeof path, "%s%s", folder, name);
  snprintf(hang, sizeof hang, "%smame_hang.txt", folder);
  bool hangs = GetFileAttributesA(hang) != INVALID_FILE_ATTRIBUTES;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  HANDLE in = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  if (in == INVALID_HANDLE_VALUE) {
    DWORD written;
    static const char kError[] = "Error: the stand-in has no answer for this\r\n";
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), kError, sizeof kError - 1, &written, NULL);
    if (hangs) Sleep(120000);
    return 1;
  }
  DWORD size = GetFileSize(in, NULL), sent = 0;
  DWORD limit = hangs ? size / 2 : size;
  static char buffer[65536];
  DWORD got;
  while (sent < limit && ReadFile(in, buffer, sizeof buffer < limit - sent ? sizeof buffer : limit - sent, &got, NULL) &&
         got > 0) {
    DWORD written;
    if (!WriteFile(out, buffer, got, &written, NULL)) break;
    sent += got;
  }
  CloseHandle(in);
  if (hangs) Sleep(120000);
  return 0;
}

// The exit code and running time that mame_exit.txt chooses for `game`.
static int ChosenEnd(const char* folder, const char* game, DWORD* runMs) {
  char path[MAX_PATH + 32], line[512];
  snprintf(path, sizeof path, "%smame_exit.txt", folder);
  FILE* f = fopen(path, "r");
  if (!f) return 0;
  int code = 0;
  while (fgets(line, sizeof line, f)) {
    char name[260] = "";
    int chosen = 0;
    unsigned long ms = 0;
    int fields = sscanf(line, "%259s %d %lu", name, &chosen, &ms);
    if (fields < 2 || (strcmp(name, "*") != 0 && strcmp(name, game) != 0)) continue;
    code = chosen;
    *runMs = fields == 3 ? (DWORD)ms : 0;
    break;
  }
  fclose(f);
  return code;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char folder[MAX_PATH], log[MAX_PATH + 32], show[MAX_PATH + 32], cwd[MAX_PATH] = "";
  FolderOfSelf(folder, sizeof folder);
  snprintf(log, sizeof log, "%smame_log.txt", folder);
  snprintf(show, sizeof show, "%smame_show.txt", folder);
  GetCurrentDirectoryA(sizeof cwd, cwd);
  const char* commandLine = GetCommandLineA();
  // One record per start: "cmdline: ..." then "cwd: ...".
  HANDLE h = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, NULL);
  if (h != INVALID_HANDLE_VALUE) {
    char line[4096];
    int n = snprintf(line, sizeof line, "cmdline: %s\r\ncwd: %s\r\n", commandLine, cwd);
    if (n > (int)sizeof line - 1) n = sizeof line - 1;
    DWORD written;
    WriteFile(h, line, (DWORD)n, &written, NULL);
    CloseHandle(h);
  }
  if (Asked(commandLine, "-listxml")) return PrintBeside(folder, "mame_listxml.xml");
  if (Asked(commandLine, "-showusage")) return PrintBeside(folder, "mame_usage.txt");
  if (GetFileAttributesA(show) != INVALID_FILE_ATTRIBUTES) {
    char text[2048];
    snprintf(text, sizeof text, "The emulator stand-in was asked to run:\n\n%s\n\nin %s", commandLine, cwd);
    MSGBOXPARAMSA p = {};
    p.cbSize = sizeof p;
    p.lpszText = text;
    p.lpszCaption = "MAME (stand-in)";
    p.dwStyle = MB_OK | MB_ICONINFORMATION;
    // Closes itself after a moment so that the demo goes on by itself.
    SetTimer(NULL, 0, 2500, EndStandIn);
    MessageBoxIndirectA(&p);
  }
  DWORD runMs = 0;
  int code = ChosenEnd(folder, __argc > 1 ? __argv[1] : "", &runMs);
  if (runMs) Sleep(runMs);
  return code;
}
