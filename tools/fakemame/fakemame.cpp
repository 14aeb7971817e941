// A stand-in for the MAME emulator, for tests and the demo: it appends its
// command line and current folder to mame_log.txt next to itself and, when
// mame_show.txt lies next to it, shows for a moment what it was asked to run.
#include <windows.h>
#include <cstdio>
#include <cstring>

static void CALLBACK EndStandIn(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

static void FolderOfSelf(char* out, DWORD size) {
  GetModuleFileNameA(NULL, out, size);
  out[size - 1] = 0;
  char* slash = strrchr(out, '\\');
  if (slash) slash[1] = 0;
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
  return 0;
}
