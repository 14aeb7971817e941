// The command handler (WM_COMMAND of the main window).
#pragma once
#include <windows.h>
void HandleCommand(HWND window, int id, HWND control, int code);
// ShellExecuteExA with the default verb when `verb` is null; returns its result.
BOOL RunProgram(const char* program, const char* parameters, const char* verb);
