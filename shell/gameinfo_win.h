// Status bar part 0 and the information box for the selected game.
#pragma once
#include <windows.h>
void ShowGameInfo(HWND list, int item);
void UpdateSelectedGameInfo();
void RestoreStatusText();
