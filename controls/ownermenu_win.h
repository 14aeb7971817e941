// Owner-drawn popup menus with a caption band down their left edge.
#pragma once
#include <windows.h>
#include "controls/ownermenu_metrics.h"
#include <cstddef>

// MENUITEMINFOA without hbmpItem (44 bytes in a 32-bit program): the form every
// version of the system understands, measured for the architecture at hand.
const UINT kMenuItemInfoSize = (UINT)offsetof(MENUITEMINFOA, hbmpItem);

// One record per item of a converted menu; all records of a menu share one
// heap block, found again through the item data of position 0.
struct OwnerMenuItem {
  char signature[16];        // "{44DE039E-73AC-4", no terminator
  HBITMAP band;              // shared by the records of one menu; owned by the block
  UINT typeBefore;           // fType before conversion (MFT_SEPARATOR is kept only here)
  int bandOffset;            // first band row of this item's slice
  int bandWidth;             // 0 when the menu has no band
  int itemHeight;
  int reportedWidth;         // 0 for a separator
  int itemWidth;
  char text[kMenuTextSize];  // label, a tab, accelerator
};

int MakeOwnerDrawnMenu(HMENU menu, const char* caption);
BOOL MeasureMenuItem(WPARAM wParam, MEASUREITEMSTRUCT* item);
BOOL DrawMenuItem(WPARAM wParam, DRAWITEMSTRUCT* item);
void FreeOwnerDrawnMenus(HWND window);
void ShowMenuBarPopup(HWND window, LPARAM packedPoint, int position);
HMENU FindMenuOfCommand(HMENU menu, UINT command);
void ToggleMenuCheck(HWND window, UINT command);
void ToggleMenuEnabled(HWND window, UINT command);

// The record of an item's data, or null when the data is not one of ours.
const OwnerMenuItem* OwnerMenuRecord(ULONG_PTR itemData);
