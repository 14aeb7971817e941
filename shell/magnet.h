// The Magnet rule: a dragged window snaps to the screen's top and left and to
// the work area's bottom and right when an edge comes within 20 pixels while
// moving toward it.
#pragma once

struct SnapRect {
  int left, top, right, bottom;
};

enum { kSnapDistance = 20 };

// Changes `dragged` in place. `previous` is the rectangle of the last call
// (all zeros at first); it receives the result.
void ApplyMagnet(SnapRect* dragged, const SnapRect& workArea, SnapRect* previous);
