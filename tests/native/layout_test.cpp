// Resize arithmetic of the main window.
#include "tests/testkit/testkit.h"
#include "shell/layout.h"
#include "preview/snapshot_paths.h"
#include <map>

// A default size as start-up computes it under a typical frame.
static const int kDefaultW = 952, kDefaultH = 620;

static std::map<int, ControlRect> RectsFor(int w, int h) {
  ControlRect rects[kLayoutControlCount];
  int n = ComputeLayoutRects(ComputeLayoutValues(w, h, kDefaultW, kDefaultH), rects, kLayoutControlCount);
  std::map<int, ControlRect> byId;
  for (int i = 0; i < n; ++i) byId[rects[i].id] = rects[i];
  return byId;
}

static bool Same(const ControlRect& a, const ControlRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST_CASE(default_size_places_every_control) {
  LayoutValues v = ComputeLayoutValues(kDefaultW, kDefaultH, kDefaultW, kDefaultH);
  CHECK_EQ(v.dw, 160);
  CHECK_EQ(v.dh, 94);
  CHECK_EQ(v.hx, 80);
  CHECK_EQ(v.hy, 47);
  CHECK_EQ(v.q, 40);
  CHECK_EQ(v.t, 26);
  struct { int id, x, y, w, h; } expected[] = {
      {301, 10, 81, 613, 456},  {311, 647, 32, 283, 306},  {503, 647, 444, 137, 35},
      {504, 794, 444, 136, 35}, {526, 647, 488, 137, 35},  {505, 794, 488, 136, 35},
      {303, 634, 10, 308, 526}, {318, 647, 354, 283, 76},  {305, 25, 115, 580, 405},
      {309, 25, 115, 580, 197}, {310, 25, 323, 580, 197},  {321, 480, 468, 99, 28},
      {337, 10, 10, 613, 60},   {335, 350, 11, 105, 58},   {336, 452, 11, 170, 58},
  };
  auto rects = RectsFor(kDefaultW, kDefaultH);
  for (auto& e : expected) {
    ControlRect want = {e.id, e.x, e.y, e.w, e.h};
    if (!Same(rects[e.id], want))
      testkit::Fail(__FILE__, __LINE__, "control " + std::to_string(e.id) + " misplaced");
  }
}

// hx and hy change only every second pixel, so odd growth keeps the layout.
TEST_CASE(one_pixel_more_keeps_the_layout) {
  auto base = RectsFor(kDefaultW, kDefaultH);
  auto wider = RectsFor(kDefaultW + 1, kDefaultH);
  for (auto& kv : base) CHECK(Same(kv.second, wider[kv.first]));
  LayoutValues v = ComputeLayoutValues(kDefaultW + 1, kDefaultH, kDefaultW, kDefaultH);
  CHECK_EQ(v.dw, 161);  // dw itself does grow
  CHECK_EQ(v.hx, 80);
}

TEST_CASE(larger_window_follows_the_formulas) {
  auto r = RectsFor(kDefaultW + 200, kDefaultH + 101);  // dw 360, dh 195, hx 180, hy 97, q 90, t 60
  ControlRect tabs = {301, 10, 81, 713, 557}, preview = {311, 747, 32, 383, 407};
  ControlRect play = {503, 747, 545, 187, 35}, rescan = {504, 944, 545, 186, 35};
  ControlRect manual = {309, 25, 115, 680, 247}, notes = {310, 25, 373, 680, 247};
  ControlRect save = {321, 546, 569, 133, 28}, banner = {337, 10, 10, 713, 60};
  for (const ControlRect& want : {tabs, preview, play, rescan, manual, notes, save, banner})
    if (!Same(r[want.id], want)) testkit::Fail(__FILE__, __LINE__, "control " + std::to_string(want.id));
}

// The two pages of the last tab: 11 pixels apart, the lower one ending with
// page 307 (one pixel higher when dh is odd).
TEST_CASE(stacked_pages_share_the_growth) {
  for (int extra = 0; extra < 6; ++extra) {
    auto r = RectsFor(kDefaultW, kDefaultH + extra);
    const ControlRect &upper = r[309], &lower = r[310], &whole = r[307];
    CHECK_EQ(lower.y - (upper.y + upper.height), 11);
    int gap = (whole.y + whole.height) - (lower.y + lower.height);
    CHECK_EQ(gap, ComputeLayoutValues(kDefaultW, kDefaultH + extra, kDefaultW, kDefaultH).dh % 2);
  }
}

// The preview module loads the picture for these values: one pixel narrower.
TEST_CASE(preview_picture_is_one_pixel_narrower) {
  for (int extra : {0, 1, 2, 37, 300}) {
    LayoutValues v = ComputeLayoutValues(kDefaultW + extra, kDefaultH + extra, kDefaultW, kDefaultH);
    int w, h;
    PreviewPictureSize(v.dw, v.dh, &w, &h);
    auto r = RectsFor(kDefaultW + extra, kDefaultH + extra);
    CHECK_EQ(w, r[311].width - 1);
    CHECK_EQ(h, r[311].height);
  }
}

TEST_CASE(capacity_is_respected) {
  ControlRect rects[3];
  LayoutValues v = ComputeLayoutValues(kDefaultW, kDefaultH, kDefaultW, kDefaultH);
  CHECK_EQ(ComputeLayoutRects(v, rects, 3), 3);
  CHECK_EQ(rects[0].id, 337);
  CHECK_EQ(ComputeLayoutRects(v, rects, 0), 0);
  CHECK_EQ(ComputeLayoutRects(v, rects, -5), 0);
}

TEST_CASE(status_bar_parts) {
  struct { int width, e0, e1, e2, e3; } rows[] = {
      {936, 224, 459, 688, 896},      // below 1000 the divisions truncate toward zero
      {1000, 240, 480, 720, 960},
      {1280, 310, 573, 860, 1240},
      {999, 240, 480, 720, 959},
  };
  for (auto& row : rows) {
    int e[4];
    StatusBarResizeParts(row.width, e);
    CHECK_EQ(e[0], row.e0);
    CHECK_EQ(e[1], row.e1);
    CHECK_EQ(e[2], row.e2);
    CHECK_EQ(e[3], row.e3);
  }
  int five[5];
  StatusBarCreationParts(936, five);
  CHECK_EQ(five[3], 800);
  CHECK_EQ(five[4], 936);
}
