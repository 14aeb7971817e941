// The snapshot preview: the selected game's PNG is turned into the preview work
// file by the outside converter, which is then loaded at the preview's size into
// control 311. No cache: every selection converts again.
#include "preview/snapshot_win.h"
#include "preview/snapshot_paths.h"
#include "shell/app_win.h"
#include <shellapi.h>

// A converter that hangs must not freeze the window for good.
static const DWORD kConverterWaitMs = 5000;

static bool Exists(const char* path) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(path, &found);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  return true;
}

static void RunConverter(const char* snapshot) {
  char args[kConverterArgsSize] = "";
  if (!BuildConverterArguments(g_paths.previewFile, snapshot, args, sizeof args)) return;
  SHELLEXECUTEINFOA run;
  ZeroMemory(&run, sizeof run);
  run.cbSize = sizeof run;
  // No error box when the converter is missing: failures here are silent.
  run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  run.lpFile = g_paths.converter;
  run.lpParameters = args;
  run.nShow = SW_HIDE;
  if (!ShellExecuteExA(&run) || !run.hProcess) return;
  if (WaitForSingleObject(run.hProcess, kConverterWaitMs) == WAIT_TIMEOUT) {
    // Left running it could later overwrite the work file with a stale picture.
    TerminateProcess(run.hProcess, 1);
    WaitForSingleObject(run.hProcess, 1000);
  }
  CloseHandle(run.hProcess);
}

static bool g_holdReloads;
static bool g_reloadOwed;

// Loads the work file stretched to the preview size and hands it to control 311,
// releasing the picture the control held before.
static void LoadPreviewPicture() {
  g_reloadOwed = false;
  int width = 0, height = 0;
  PreviewPictureSize(g_dw, g_dh, &width, &height);
  HBITMAP picture = (HBITMAP)LoadImageA(nullptr, g_paths.previewFile, IMAGE_BITMAP, width, height,
                                        LR_LOADFROMFILE);
  HWND control = GetDlgItem(g_mainWindow, IDC_PREVIEW);
  if (!control) {
    if (picture) DeleteObject(picture);
    return;
  }
  HBITMAP before = (HBITMAP)SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)picture);
  if (before && before != picture) DeleteObject(before);
  // A static control of the common controls 6 may keep its own copy; ours is then spare.
  HBITMAP held = (HBITMAP)SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0);
  if (picture && held != picture) DeleteObject(picture);
}

void ShowGameSnapshot(const char* gameName) {
  const char* game = gameName ? gameName : "";
  char snapshot[MAX_PATH] = "";
  bool found = BuildSnapshotCandidateA(g_paths.programFolder, game, snapshot, sizeof snapshot) &&
               Exists(snapshot);
  if (!found)
    found = BuildSnapshotCandidateB(g_paths.programFolder, game, snapshot, sizeof snapshot) &&
            Exists(snapshot);
  if (!found) {
    CopyFileA(g_paths.defaultPicture, g_paths.previewFile, FALSE);
    LoadPreviewPicture();
    return;
  }
  RunConverter(snapshot);
  LoadPreviewPicture();
  char backup[MAX_PATH];
  if (BuildBackupPath(g_paths.previewFile, backup, sizeof backup)) DeleteFileA(backup);
}

void ReloadPreviewPicture() {
  if (g_holdReloads) {
    g_reloadOwed = true;
    return;
  }
  LoadPreviewPicture();
}

void HoldPreviewReloads(bool hold) {
  g_holdReloads = hold;
  if (!hold && g_reloadOwed) LoadPreviewPicture();
}
