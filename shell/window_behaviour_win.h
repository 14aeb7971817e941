// Always-on-top and the Magnet rule of the main window.
#pragma once
#include <windows.h>
void ApplyOntop();
// WM_MOVING with Magnet on: may change the dragged rectangle; returns 1, or 0
// when the work area cannot be read.
LRESULT SnapToWorkArea(RECT* dragged);
