// Times ShowGameSnapshot for every snap\*.png of an installation folder, in a
// window of our own with the preview control, and prints one line per call.
// Usage: snapshot_bench FOLDER [ROUNDS]
#include "preview/snapshot_win.h"
#include "shell/app_win.h"
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 2) { fprintf(stderr, "usage: snapshot_bench FOLDER [ROUNDS]\n"); return 2; }
  int rounds = argc > 2 ? atoi(argv[2]) : 1;
  char folder[MAX_PATH];
  GetShortPathNameA(argv[1], folder, sizeof folder);
  BuildInstallPaths(&g_paths, folder, "vintor-eng.txt");
  std::vector<std::string> games;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((std::string(folder) + "\\snap\\*.png").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      games.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
  g_mainWindow = CreateWindowA("STATIC", "snapshot bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 600,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, 647, 32, 283, 306, g_mainWindow,
                (HMENU)(INT_PTR)IDC_PREVIEW, GetModuleHandleA(nullptr), nullptr);
  g_dw = 160;
  g_dh = 94;
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  for (int r = 0; r < rounds; ++r) {
    for (const std::string& game : games) {
      QueryPerformanceCounter(&t0);
      ShowGameSnapshot(game.c_str());
      QueryPerformanceCounter(&t1);
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      printf("%s %.3f\n", game.c_str(), (double)(t1.QuadPart - t0.QuadPart) * 1000.0 / (double)freq.QuadPart);
    }
  }
  fflush(stdout);
  return 0;
}
