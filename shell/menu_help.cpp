// Menu help keys and arrow-key prediction: pure rules, tested natively.
#include "shell/menu_help.h"

int MenuHelpKey(unsigned flags, unsigned item, bool menuPresent) {
  flags &= 0xFFFF;
  if (flags == kMenuFlagClosed && !menuPresent) return 0;
  if (flags & kMenuFlagSeparator) return 0;  // also catches 0xFFFF with a menu
  if (flags & kMenuFlagPopup) return (flags & kMenuFlagSysMenu) ? 2030 : 0;
  return (int)(item & 0xFFFF);
}

int ClampListItem(int item, int count) {
  if (count <= 0) return -1;
  if (item < 0) item = 0;
  if (item > count - 1) item = count - 1;
  return item;
}

int PredictKeyItem(int selected, int key, int count) {
  if (count <= 0) return -1;
  // The notification comes before the list moves, so guard the sum too.
  if (selected < 0) selected = 0;
  if (key == kKeyDown && selected < count) selected += 1;
  else if (key == kKeyUp) selected -= 1;
  return ClampListItem(selected, count);
}
