// The context menu's position, worked out apart from the windows.
#include "shell/context_menu_point.h"

static int Clamp(int v, int low, int high) { return v < low ? low : v > high ? high : v; }

MenuPoint ContextMenuPoint(long long packed) {
  MenuPoint p = {(short)(packed & 0xFFFF), (short)((packed >> 16) & 0xFFFF)};
  return p;
}

bool IsKeyboardMenuPoint(MenuPoint p) { return p.x == -1 && p.y == -1; }

MenuPoint KeyboardMenuPoint(const PixelRect* row, PixelRect list) {
  MenuPoint p = {list.left, list.top};
  if (!row) return p;
  int right = list.right > list.left ? list.right - 1 : list.left;
  int bottom = list.bottom > list.top ? list.bottom - 1 : list.top;
  p.x = Clamp(row->left, list.left, right);
  p.y = Clamp(row->bottom, list.top, bottom);
  return p;
}
