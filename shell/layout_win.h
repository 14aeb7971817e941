// The resize layout of the main window (WM_SIZE).
#pragma once
void LayoutMainWindow();
