// Resize arithmetic of the main window: growth values, the rectangle of every
// control that follows a resize, and the status bar's part edges.
#pragma once

// dw, dh: growth over the default size plus the creation offsets (160, 94 at
// the default size); hx, hy half of them; q a quarter and t a sixth of dw.
struct LayoutValues {
  int dw, dh, hx, hy, q, t;
};

LayoutValues ComputeLayoutValues(int windowWidth, int windowHeight, int defaultWidth, int defaultHeight);

struct ControlRect {
  int id;
  int x, y, width, height;
};

enum { kLayoutControlCount = 27 };

// Fills `out` (room for kLayoutControlCount) in the order the controls are
// moved; the preview (311) comes fourth. Returns the number written.
int ComputeLayoutRects(const LayoutValues& v, ControlRect* out, int capacity);

// Part edges of the status bar for its client width: five at creation, four
// after every resize.
void StatusBarCreationParts(int clientWidth, int edges[5]);
void StatusBarResizeParts(int clientWidth, int edges[4]);
