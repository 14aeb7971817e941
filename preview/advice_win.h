// Document pages' text loader and the advice dialog (DLGADVICE).
#pragma once
#include <windows.h>
void LoadTextIntoControl(const char* path, int controlId, HWND parent);
INT_PTR ShowAdviceDialog();
