// The options page: loading, saving on a worker thread, and the parameter text.
#pragma once
#include <windows.h>
#include <cstddef>
void LoadEmulatorOptions();
DWORD WINAPI SaveEmulatorOptions(LPVOID);
// Appends the switches and the free command line to a buffer holding a short
// name, each box's switch as the settings file's switch record gives it.
void AppendEmulatorOptions(char* buffer, size_t bufferSize);
// Where the saver's progress bar stands (client coordinates of the main window)
// for the layout growth dw, dh.
RECT SaveProgressRect(int dw, int dh);
