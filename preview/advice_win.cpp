// The text loader shared by the document pages and the advice dialog, and the
// advice dialog that a missing emulator brings up.
#include "preview/advice_win.h"
#include "preview/text_load.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include <shellapi.h>
#include <cstdio>
#include <cstdlib>
#include <io.h>

const char kReleasePageAddress[] = "https://www.mamedev.org/release.html";

// Larger files are not documents; the page stays empty rather than the
// program stalling on them.
static const long long kMaxDocumentBytes = 64LL * 1024 * 1024;

static ShellOpenFunction s_open = ShellExecuteA;

void SetAdviceShellOpener(ShellOpenFunction open) { s_open = open ? open : ShellExecuteA; }

void LoadTextIntoControl(const char* path, int controlId, HWND parent) {
  FILE* file = fopen(path, "rb");
  if (!file) return;
  long long length = _filelengthi64(_fileno(file));
  if (length < 0 || length > kMaxDocumentBytes) {
    fclose(file);
    return;
  }
  size_t n = (size_t)length;
  char* bytes = (char*)malloc(n + 1);
  if (!bytes) {
    fclose(file);
    return;
  }
  n = fread(bytes, 1, n, file);
  fclose(file);
  size_t textSize = DocumentTextLength(bytes, n) + 1;
  char* text = (char*)malloc(textSize);
  if (text) {
    ConvertDocumentText(bytes, n, text, textSize);
    SetWindowTextA(GetDlgItem(parent, controlId), text);
    free(text);
  }
  free(bytes);
}

static INT_PTR OnInitAdvice(HWND dialog) {
  LoadTextIntoControl(g_paths.manual, IDC_ADVICE_TEXT, dialog);
  SetDlgItemTextA(dialog, IDC_ADVICE_LINK, GetLanguageString(103));
  return TRUE;
}

static INT_PTR OnAdviceCommand(HWND dialog, int id) {
  if (id == IDOK || id == IDCANCEL) EndDialog(dialog, id);
  // The dialog stays open so that the user can still read the manual.
  if (id == IDC_ADVICE_LINK) s_open(g_mainWindow, "open", kReleasePageAddress, "", "", SW_SHOW);
  return TRUE;
}

INT_PTR CALLBACK AdviceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return OnInitAdvice(dialog);
    case WM_COMMAND:    return OnAdviceCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}

INT_PTR ShowAdviceDialog() {
  return DialogBoxParamA(g_instance, "DLGADVICE", g_mainWindow, AdviceDialogProc, 0);
}
