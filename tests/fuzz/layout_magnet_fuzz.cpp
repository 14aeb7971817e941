// Layout and Magnet arithmetic with extreme sizes. Window rectangles are taken
// anywhere within +-2^28, far beyond any screen, where nothing may overflow;
// the rules: the layout keeps the preview fourth and the fixed sizes fixed,
// the Magnet keeps the dragged size and snaps only to the named edges.
#include "shell/layout.h"
#include "shell/magnet.h"
#include "tests/fuzz/fuzz_input.h"

static int Coord(FuzzInput& in) { return (int)in.Range(-(1 << 28), 1 << 28); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  int width = Coord(in), height = Coord(in), defWidth = Coord(in), defHeight = Coord(in);
  int capacity = (int)in.Range(-2, kLayoutControlCount + 2);

  LayoutValues v = ComputeLayoutValues(width, height, defWidth, defHeight);
  FUZZ_CHECK(v.dw == width - defWidth + 160 && v.dh == height - defHeight + 94);
  FUZZ_CHECK(v.hx == v.dw / 2 && v.hy == v.dh / 2 && v.q == v.hx / 2 && v.t == v.hx / 3);
  ControlRect rects[kLayoutControlCount + 2];
  memset(rects, 0x5A, sizeof rects);
  int n = ComputeLayoutRects(v, rects, capacity);
  int want = capacity < 0 ? 0 : capacity > kLayoutControlCount ? kLayoutControlCount : capacity;
  FUZZ_CHECK(n == want);
  for (int i = n; i < kLayoutControlCount + 2; ++i) FUZZ_CHECK(rects[i].id == 0x5A5A5A5A);
  if (n >= 4) FUZZ_CHECK(rects[3].id == 311 && rects[3].height == v.dh + 212);
  ControlRect again[kLayoutControlCount];
  ComputeLayoutRects(v, again, kLayoutControlCount);
  for (int i = 0; i < n; ++i) FUZZ_CHECK(memcmp(&again[i], &rects[i], sizeof again[i]) == 0);

  int five[5], four[4];
  StatusBarCreationParts(width, five);
  StatusBarResizeParts(width, four);
  FUZZ_CHECK(five[4] == width && four[3] == width - 40);

  // The Magnet, over a drag of several moves.
  SnapRect work = {0, 0, Coord(in), Coord(in)};
  SnapRect previous = {0, 0, 0, 0};
  while (in.Left() >= 4) {
    SnapRect r = {Coord(in), Coord(in), Coord(in), Coord(in)};
    const SnapRect before = r, last = previous;
    ApplyMagnet(&r, work, &previous);
    FUZZ_CHECK(r.right - r.left == before.right - before.left);
    FUZZ_CHECK(r.bottom - r.top == before.bottom - before.top);
    FUZZ_CHECK(previous.left == r.left && previous.top == r.top && previous.right == r.right &&
               previous.bottom == r.bottom);
    // A move only by a snap: to 0 when the edge came near it moving toward
    // it, or to the work area's far edge likewise.
    const bool toTop = before.top < kSnapDistance && last.top > before.top;
    const bool toBottom = before.bottom > work.bottom - kSnapDistance && last.bottom < before.bottom;
    if (r.top != before.top) FUZZ_CHECK((toTop && r.top == 0) || (!toTop && toBottom && r.bottom == work.bottom));
    const bool toLeft = before.left < kSnapDistance && last.left > before.left;
    const bool toRight = before.right > work.right - kSnapDistance && last.right < before.right;
    if (r.left != before.left) FUZZ_CHECK((toLeft && r.left == 0) || (!toLeft && toRight && r.right == work.right));
    if (toTop) FUZZ_CHECK(r.top == 0);
    if (toLeft) FUZZ_CHECK(r.left == 0);
  }
  return 0;
}
