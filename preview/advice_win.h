// Document pages' text loader and the advice dialog (DLGADVICE).
#pragma once
#include <windows.h>

// Fills control `controlId` of `parent` with the text of a document file; a
// file that cannot be read leaves the control as it was.
void LoadTextIntoControl(const char* path, int controlId, HWND parent);
INT_PTR ShowAdviceDialog();
INT_PTR CALLBACK AdviceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The emulator project's release page, opened by the dialog's link button.
extern const char kReleasePageAddress[];

// The link button opens the page through this function (ShellExecuteA unless
// a test counts the calls).
typedef HINSTANCE(WINAPI* ShellOpenFunction)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
void SetAdviceShellOpener(ShellOpenFunction open);
