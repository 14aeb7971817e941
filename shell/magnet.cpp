// The Magnet rule (see magnet.h). Snapping only while an edge moves toward the
// screen edge lets the user drag a snapped window away again.
#include "shell/magnet.h"

void ApplyMagnet(SnapRect* r, const SnapRect& work, SnapRect* previous) {
  const int w = r->right - r->left;
  const int h = r->bottom - r->top;
  if (r->top < kSnapDistance && previous->top > r->top) {
    r->top = 0;
    r->bottom = h;
  } else if (r->bottom > work.bottom - kSnapDistance && previous->bottom < r->bottom) {
    r->bottom = work.bottom;
    r->top = work.bottom - h;
  }
  if (r->left < kSnapDistance && previous->left > r->left) {
    r->left = 0;
    r->right = w;
  } else if (r->right > work.right - kSnapDistance && previous->right < r->right) {
    r->right = work.right;
    r->left = work.right - w;
  }
  *previous = *r;
}
