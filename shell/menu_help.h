// Which language text the status bar shows while a menu item is highlighted,
// and which list item an arrow key is about to select.
#pragma once

// Menu flag bits as WM_MENUSELECT reports them (same values as the platform's).
enum MenuSelectFlag {
  kMenuFlagPopup = 0x0010,
  kMenuFlagSeparator = 0x0800,
  kMenuFlagSysMenu = 0x2000,
  kMenuFlagClosed = 0xFFFF,
};

// The help key for a WM_MENUSELECT: 0 means "put the selected game back".
// `flags` is the high word, `item` the low word, `menuPresent` whether lParam
// held a menu. Popups of the system menu give 2030, other popups and
// separators 0, anything else the item's identifier.
int MenuHelpKey(unsigned flags, unsigned item, bool menuPresent);

// Key codes the prediction knows (same values as the platform's).
enum { kKeyUp = 0x26, kKeyDown = 0x28 };

// The item a key press in a list will select: the selected item moved by
// one for Up and Down, clamped to the list. Other keys keep the selection.
// With no items at all the result is -1.
int PredictKeyItem(int selected, int key, int count);

// An item index raised to 0 and lowered to count - 1 (-1 for an empty list).
int ClampListItem(int item, int count);
