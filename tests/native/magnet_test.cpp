// The Magnet rule of the main window.
#include "tests/testkit/testkit.h"
#include "shell/magnet.h"

static const SnapRect kWork = {0, 0, 1280, 994};  // a taskbar of 30 pixels at the bottom

static std::string Show(const SnapRect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// Each row is one WM_MOVING of a drag that starts from `from` (the previous
// rectangle) and asks for `to`; `result` is what the rule leaves.
TEST_CASE(drag_cases) {
  struct { const char* what; SnapRect from, to, result; } rows[] = {
      {"top 30 to 15 snaps to 0", {100, 30, 600, 430}, {100, 15, 600, 415}, {100, 0, 600, 400}},
      {"top 0 to 5 stays at 5", {100, 0, 600, 400}, {100, 5, 600, 405}, {100, 5, 600, 405}},
      {"top 40 to 25 is too far", {100, 40, 600, 440}, {100, 25, 600, 425}, {100, 25, 600, 425}},
      {"left 30 to 10 snaps to 0", {30, 100, 530, 500}, {10, 100, 510, 500}, {0, 100, 500, 500}},
      {"left 0 to 8 stays", {0, 100, 500, 500}, {8, 100, 508, 500}, {8, 100, 508, 500}},
      {"bottom moving down snaps to the work area", {100, 500, 600, 960}, {100, 520, 600, 980},
       {100, 534, 600, 994}},
      {"bottom moving up stays", {100, 534, 600, 994}, {100, 530, 600, 990}, {100, 530, 600, 990}},
      {"right moving right snaps to the work area", {700, 100, 1250, 500}, {720, 100, 1270, 500},
       {730, 100, 1280, 500}},
      {"both corners at once", {30, 30, 530, 430}, {10, 10, 510, 410}, {0, 0, 500, 400}},
      {"beyond the screen's top still ends at 0", {100, 10, 600, 410}, {100, -50, 600, 350},
       {100, 0, 600, 400}},
  };
  for (auto& row : rows) {
    SnapRect previous = row.from, r = row.to;
    ApplyMagnet(&r, kWork, &previous);
    if (Show(r) != Show(row.result)) testkit::Fail(__FILE__, __LINE__, std::string(row.what) + ": " + Show(r));
    CHECK_STR(Show(previous), Show(r));
  }
}

// With the taskbar at the top or on the left the work area starts past 0, but
// top and left still snap to coordinate 0.
TEST_CASE(top_and_left_snap_to_zero_not_to_the_work_area) {
  SnapRect work = {60, 40, 1280, 1024};
  SnapRect previous = {90, 70, 590, 470}, r = {75, 55, 575, 455};
  ApplyMagnet(&r, work, &previous);
  CHECK_STR(Show(r), "75,55,575,455");  // 55 and 75 are beyond the snap distance of 0
  previous = {90, 70, 590, 470};
  r = {15, 12, 515, 412};
  ApplyMagnet(&r, work, &previous);
  CHECK_STR(Show(r), "0,0,500,400");
}

// A whole drag through the persistent previous rectangle: in, snapped, and out again.
TEST_CASE(a_snapped_window_can_be_dragged_away) {
  SnapRect previous = {0, 0, 0, 0};
  SnapRect steps[] = {{100, 30, 600, 430}, {100, 15, 600, 415}, {100, 5, 600, 405}, {100, 25, 600, 425}};
  const char* expected[] = {"100,30,600,430", "100,0,600,400", "100,5,600,405", "100,25,600,425"};
  for (int i = 0; i < 4; ++i) {
    SnapRect r = steps[i];
    ApplyMagnet(&r, kWork, &previous);
    CHECK_STR(Show(r), expected[i]);
  }
}
