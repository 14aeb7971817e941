// Sizes of the owner-drawn menus, with a measuring function of 7 pixels a character.
#include "tests/testkit/testkit.h"
#include "controls/ownermenu_metrics.h"
#include <string>

static int SevenEach(const char*, int length, void*) { return 7 * length; }

TEST_CASE(text_cut_at_63_and_split_at_first_tab) {
  std::string longText(100, 'a');
  char out[kMenuTextSize];
  CopyMenuText(longText.c_str(), out);
  CHECK_EQ(std::string(out).size(), (size_t)63);
  CopyMenuText(nullptr, out);
  CHECK_STR(out, "");
  struct { const char* text; int tab; const char* label; const char* accel; } rows[] = {
    {"&Open\tCtrl+O", 1, "&Open", "Ctrl+O"},
    {"&Exit", 0, "&Exit", ""},
    {"a\tb\tc", 1, "a", "b\tc"},
    {"\tF1", 1, "", "F1"},
    {"", 0, "", ""},
  };
  char label[kMenuTextSize], accel[kMenuTextSize];
  for (auto& r : rows) {
    CHECK_EQ(SplitMenuText(r.text, label, accel), r.tab);
    CHECK_STR(label, r.label);
    CHECK_STR(accel, r.accel);
  }
  // A tab beyond character 63 is cut away with the rest.
  std::string late = std::string(70, 'b') + "\tX";
  CHECK_EQ(SplitMenuText(late.c_str(), label, accel), 0);
  CHECK_EQ(std::string(label).size(), (size_t)63);
}

TEST_CASE(heights_band_and_item_width) {
  struct { int cyMenu, item, separator; } h[] = {{19, 21, 10}, {18, 20, 10}, {20, 22, 11}, {0, 2, 1}};
  for (auto& r : h) {
    CHECK_EQ(MenuItemHeight(r.cyMenu), r.item);
    CHECK_EQ(MenuSeparatorHeight(r.cyMenu), r.separator);
  }
  struct { int dpi, font; } f[] = {{96, 21}, {72, 16}, {120, 27}, {144, 32}, {0, 0}};
  for (auto& r : f) CHECK_EQ(BandFontHeight(r.dpi), r.font);
  CHECK_EQ(BandWidthOf(21), 25);
  CHECK_EQ(MenuItemWidth(25, 13, 100), 25 + 1 + 2 * (13 + 4) + 100);
  CHECK_EQ(MenuItemWidth(0, 13, 0), 35);
}

TEST_CASE(text_width_from_widest_label_and_accelerator) {
  struct { const char* texts[4]; int want; } rows[] = {
    // No tab anywhere: the widest label alone.
    {{"&File", "E&xit", "Longest item", nullptr}, 7 * 12},
    // Label and accelerator from different items add up.
    {{"Long label here\tA", "Short\tCtrl+Shift+Z", nullptr, nullptr}, 7 * (15 + 12)},
    // The whole tabbed text counts too (it includes the tab character).
    {{"ab\tcd", nullptr, nullptr, nullptr}, 7 * 5},
    {{"x\ty", "a label without accelerator that is long", nullptr, nullptr}, 7 * (40 + 1)},
    {{nullptr, nullptr, nullptr, nullptr}, 0},
  };
  for (auto& r : rows) {
    MenuTextWidths w = {0, 0, 0};
    for (const char* t : r.texts)
      if (t) AddMenuText(&w, t, SevenEach, nullptr);
    CHECK_EQ(MenuTextWidth(w), r.want);
  }
  // The 63-character cut applies to measuring.
  std::string longText(90, 'm');
  MenuTextWidths w = {0, 0, 0};
  AddMenuText(&w, longText.c_str(), SevenEach, nullptr);
  CHECK_EQ(MenuTextWidth(w), 7 * 63);
}

TEST_CASE(band_offsets_sum_heights_above) {
  int heights[] = {21, 10, 21, 21, 10, 21};
  int offsets[6];
  BandOffsets(heights, 6, offsets);
  int want[] = {0, 21, 31, 52, 73, 83};
  for (int i = 0; i < 6; ++i) CHECK_EQ(offsets[i], want[i]);
  BandOffsets(heights, 0, offsets);
}

TEST_CASE(check_mark_centred_or_cropped) {
  struct { int box, bitmap, offset, source, length; } rows[] = {
    {21, 13, 4, 0, 13},  // larger box: centred
    {20, 13, 3, 0, 13},  // halves towards zero
    {13, 13, 0, 0, 13},  // equal: not larger, so "cropped" to the same
    {10, 13, 0, 1, 10},  // smaller box: cropped around the centre
    {0, 13, 0, 6, 0},
  };
  for (auto& r : rows) {
    CentredSpan s = CentreInBox(r.box, r.bitmap);
    CHECK_EQ(s.offset, r.offset);
    CHECK_EQ(s.source, r.source);
    CHECK_EQ(s.length, r.length);
  }
}
