// Where the context menu opens: signed pointer coordinates, and the keyboard's
// (-1, -1) replaced by a point at the selected row.
#include "tests/testkit/testkit.h"
#include "shell/context_menu_point.h"

TEST_CASE(pointer_coordinates_are_signed) {
  struct { long long packed; int x, y; bool keyboard; } rows[] = {
      {0x00C80064LL, 100, 200, false},
      {0x012CFFD8LL, -40, 300, false},        // a monitor left of the primary one
      {0xFF9C0320LL, 800, -100, false},       // and one above it
      {0xFFFFFFFFLL, -1, -1, true},           // the keyboard, as a 32-bit lParam
      {-1LL, -1, -1, true},                   // and sign-extended to 64 bits
      {0x0000FFFFLL, -1, 0, false},
      {0x7FFF8000LL, -32768, 32767, false},
  };
  for (auto& r : rows) {
    MenuPoint p = ContextMenuPoint(r.packed);
    CHECK_EQ(p.x, r.x);
    CHECK_EQ(p.y, r.y);
    CHECK_EQ(IsKeyboardMenuPoint(p), r.keyboard);
  }
}

TEST_CASE(keyboard_point_at_the_row_inside_the_list) {
  PixelRect list = {100, 200, 600, 500};
  struct { PixelRect row; int x, y; } rows[] = {
      {{104, 240, 700, 257}, 104, 257},    // a visible row: below its start
      {{104, 100, 700, 117}, 104, 200},    // scrolled out above: the list's top
      {{104, 900, 700, 917}, 104, 499},    // scrolled out below: its bottom
      {{-200, 240, 400, 257}, 100, 257},   // scrolled sideways: its left edge
  };
  for (auto& r : rows) {
    MenuPoint p = KeyboardMenuPoint(&r.row, list);
    CHECK_EQ(p.x, r.x);
    CHECK_EQ(p.y, r.y);
  }
  MenuPoint none = KeyboardMenuPoint(NULL, list);
  CHECK_EQ(none.x, 100);
  CHECK_EQ(none.y, 200);
  // On a monitor left of the primary one.
  PixelRect left = {-1200, 50, -700, 400};
  PixelRect row = {-1196, 80, -600, 97};
  MenuPoint p = KeyboardMenuPoint(&row, left);
  CHECK_EQ(p.x, -1196);
  CHECK_EQ(p.y, 97);
  PixelRect empty = {10, 20, 10, 20};  // a list without size stays at its corner
  p = KeyboardMenuPoint(&row, empty);
  CHECK_EQ(p.x, 10);
  CHECK_EQ(p.y, 20);
}
