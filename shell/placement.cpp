// Default size, start-up placement and the placement saved at shutdown.
#include "shell/placement.h"
#include <cstdio>

void ComputeDefaultSize(const FrameMetrics& m, int statusBarHeight, int* width, int* height) {
  *width = 936 + 2 * (m.cxDrag + m.cxEdge + m.cxBorder + m.cxFrame + m.cxFocusBorder);
  *height = 536 + statusBarHeight + m.cyCaption +
            2 * (m.cyDrag + m.cyBorder + m.cyFocusBorder + m.cyFrame) + m.cyMenu;
}

Placement ComputeStartPlacement(int defaultWidth, int defaultHeight, int screenWidth, int screenHeight,
                                SettingsIntReader read, void* context) {
  Placement p;
  p.width = defaultWidth;
  p.height = defaultHeight;
  if (read("Size", 0, context) != 0) {
    p.width = read("Right", defaultWidth, context);
    p.height = read("Bottom", defaultHeight, context);
  }
  p.x = screenWidth / 2 - p.width / 2;
  p.y = screenHeight / 2 - p.height / 2;
  if (read("Position", 0, context) != 0) {
    p.x = read("Left", p.x, context);
    p.y = read("Top", p.y, context);
  }
  return p;
}

SavedPlacement PlacementToSave(PixelRect window, int showCmd, PixelRect normal) {
  SavedPlacement s;
  PixelRect r = showCmd == kShowMinimized ? normal : window;
  snprintf(s.left, sizeof s.left, "%d", r.left);
  snprintf(s.top, sizeof s.top, "%d", r.top);
  snprintf(s.right, sizeof s.right, "%d", r.right - r.left);
  snprintf(s.bottom, sizeof s.bottom, "%d", r.bottom - r.top);
  if (showCmd == kShowMaximized) {
    snprintf(s.showMaximized, sizeof s.showMaximized, "1");
    snprintf(s.right, sizeof s.right, "640");
    snprintf(s.bottom, sizeof s.bottom, "432");
    s.left[0] = 0;
    s.top[0] = 0;
  } else {
    snprintf(s.showMaximized, sizeof s.showMaximized, "0");
  }
  return s;
}
