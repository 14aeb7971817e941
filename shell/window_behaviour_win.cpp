// Always-on-top and the Magnet rule of the main window.
#include "shell/window_behaviour_win.h"
#include "shell/app_win.h"
#include "shell/magnet.h"
#include "shell/settings_win.h"

void ApplyOntop() {
  HWND after = ReadSettingsInt("Ontop", 0) != 0 ? HWND_TOPMOST : HWND_NOTOPMOST;
  SetWindowPos(g_mainWindow, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// The rectangle of the last WM_MOVING, kept for the whole process.
static SnapRect s_previous;

LRESULT SnapToWorkArea(RECT* dragged) {
  RECT work;
  if (!dragged || !SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return 0;
  SnapRect r = {dragged->left, dragged->top, dragged->right, dragged->bottom};
  SnapRect area = {work.left, work.top, work.right, work.bottom};
  ApplyMagnet(&r, area, &s_previous);
  dragged->left = r.left;
  dragged->top = r.top;
  dragged->right = r.right;
  dragged->bottom = r.bottom;
  return 1;
}
