// The ButtonEx arithmetic: style adjustments, look choice, soft frame geometry,
// content placement, the measuring copy, mnemonics and the bounded text copy.
#include "controls/buttonex_layout.h"
#include "tests/testkit/testkit.h"
#include <string>

TEST_CASE(style_adjustments) {
  struct { unsigned in, out; } rows[] = {
      {BXS_SOFT | BX_WS_BORDER, BXS_SOFT},
      {BX_WS_BORDER, BX_WS_BORDER},                       // only soft loses the border
      {BXS_LATCH, BXS_LATCH | BXS_HOVER},
      {BXS_LATCH | BXS_HOVER, BXS_LATCH | BXS_HOVER},
      {BXS_HOVER, BXS_HOVER},
      {0x10120, 0x10120},                                 // the program's text button
      {BXS_SOFT | BXS_LATCH | BX_WS_BORDER | BX_WS_TABSTOP, BXS_SOFT | BXS_LATCH | BXS_HOVER | BX_WS_TABSTOP},
  };
  for (const auto& r : rows) CHECK_EQ(ButtonExAdjustStyle(r.in), r.out);
  CHECK_EQ((int)ButtonExBehaviourOf(0x140), (int)BX_PLAIN);
  CHECK_EQ((int)ButtonExBehaviourOf(BXS_HOVER), (int)BX_HOVERING);
  CHECK_EQ((int)ButtonExBehaviourOf(BXS_LATCH), (int)BX_LATCHING);
}

TEST_CASE(look_by_behaviour_and_state) {
  const unsigned L = BXS_LATCH | BXS_HOVER, H = BXS_HOVER, P = BXS_SOFT;
  struct { unsigned style; int hot, atRest, latched, inside; ButtonExLook look; } rows[] = {
      {L, 0, 1, 0, 0, BX_LOOK_FLAT},     // resting
      {L, 1, 0, 0, 0, BX_LOOK_RAISED},   // lit
      {L, 0, 0, 0, 0, BX_LOOK_PRESSED},  // held
      {L, 0, 0, 1, 0, BX_LOOK_PRESSED},  // latched
      {H, 1, 0, 0, 0, BX_LOOK_HOVER},
      {H, 0, 0, 0, 0, BX_LOOK_PRESSED},
      {H, 0, 1, 0, 0, BX_LOOK_FLAT},
      {H, 0, 1, 0, 1, BX_LOOK_FLAT},     // the plain press state does not matter
      {P, 0, 1, 0, 0, BX_LOOK_RAISED},
      {P, 0, 1, 0, 1, BX_LOOK_PRESSED},
      {0, 1, 0, 1, 0, BX_LOOK_RAISED},   // hover flags do not matter to a plain button
  };
  for (const auto& r : rows)
    CHECK_EQ((int)ButtonExChooseLook(r.style, r.hot, r.atRest, r.latched, r.inside), (int)r.look);
}

TEST_CASE(soft_pens_by_case) {
  unsigned p[3];
  ButtonExSoftPens(BX_SOFT_RAISED, p);
  CHECK_EQ(p[0], BX_RGB(214, 208, 197)); CHECK_EQ(p[1], BX_RGB(226, 223, 214)); CHECK_EQ(p[2], BX_RGB(236, 235, 230));
  unsigned q[3];
  ButtonExSoftPens(BX_SOFT_PRESSED, q);
  for (int i = 0; i < 3; ++i) CHECK_EQ(q[i], p[i]);
  ButtonExSoftPens(BX_SOFT_FOCUSED_RAISED, p);
  CHECK_EQ(p[0], BX_RGB(153, 163, 212)); CHECK_EQ(p[1], BX_RGB(173, 197, 238)); CHECK_EQ(p[2], BX_RGB(193, 224, 235));
  ButtonExSoftPens(BX_SOFT_FOCUSED_PRESSED, p);
  CHECK_EQ(p[0], BX_RGB(153, 163, 212)); CHECK_EQ(p[1], BX_RGB(173, 197, 238)); CHECK_EQ(p[2], BX_RGB(173, 197, 238));
  CHECK_EQ(BX_SOFT_OUTLINE, 0x908782u);  // RGB(130, 135, 144) in 0x00BBGGRR
}

static std::string Lines(ButtonExSoftCase c) {
  ButtonExLine out[8];
  const int n = ButtonExSoftLines(c, 0, 0, 73, 28, out);
  std::string s;
  for (int i = 0; i < n; ++i) {
    char b[64];
    snprintf(b, sizeof b, "%d:%d,%d-%d,%d ", out[i].pen + 1, out[i].x1, out[i].y1, out[i].x2, out[i].y2);
    s += b;
  }
  return s;
}

TEST_CASE(soft_lines_of_a_73_by_28_button) {
  const std::string raised = "1:2,26-71,26 1:71,2-71,26 2:1,25-71,25 2:70,1-70,25 3:1,24-70,24 3:69,1-69,25 ";
  const std::string pressed = "1:2,1-71,1 1:1,2-1,26 2:2,2-72,2 2:2,2-2,27 3:3,3-72,3 3:3,3-3,27 ";
  CHECK_STR(Lines(BX_SOFT_RAISED), raised);
  CHECK_STR(Lines(BX_SOFT_FOCUSED_RAISED), raised + "3:3,1-69,1 3:1,3-1,24 ");
  CHECK_STR(Lines(BX_SOFT_PRESSED), pressed);
  CHECK_STR(Lines(BX_SOFT_FOCUSED_PRESSED), pressed + "3:4,26-71,26 3:71,3-71,25 ");
}

TEST_CASE(soft_corner_pixels) {
  ButtonExPixel px[10];
  CHECK_EQ(ButtonExSoftPixels(0, 0, 0, 73, 28, px), 10);
  const int corners[8][2] = {{1, 27}, {0, 26}, {0, 1}, {1, 0}, {71, 0}, {72, 1}, {72, 26}, {71, 27}};
  for (int i = 0; i < 8; ++i) {
    CHECK_EQ(px[i].x, corners[i][0]); CHECK_EQ(px[i].y, corners[i][1]); CHECK_EQ(px[i].light, 0);
  }
  CHECK(px[8].x == 1 && px[8].y == 2 && px[8].light);
  CHECK(px[9].x == 2 && px[9].y == 1 && px[9].light);
  CHECK_EQ(ButtonExSoftPixels(1, 0, 0, 73, 28, px), 10);
  CHECK(px[8].x == 70 && px[8].y == 26 && px[8].light);
  CHECK(px[9].x == 71 && px[9].y == 25 && px[9].light);
}

TEST_CASE(content_positions_by_layout) {
  // 73 x 28 button, text 40 x 13, icon 16 x 16: content width 40 + 10 + 16 = 66.
  struct { unsigned style; int text, image; ButtonExPlace at; } rows[] = {
      {0, 1, 1, {29, 7, 3, 6}},                    // image left of the text
      {BXS_TEXTFIRST, 1, 1, {3, 7, 53, 6}},
      {BXS_TEXTTOP, 1, 1, {16, 8, 28, 4}},
      {BXS_IMAGETOP, 1, 1, {16, 7, 28, 10}},
      {BXS_TEXTFIRST | BXS_TEXTTOP, 1, 1, {3, 7, 53, 6}},  // the first named layout wins
      {BXS_IMAGEONLY, 1, 1, {29, 7, 28, 6}},       // image centred whatever the layout
      {BXS_IMAGEONLY2 | BXS_TEXTTOP, 1, 1, {16, 8, 28, 6}},
      {0, 0, 1, {54, 14, 28, 6}},                  // icon without text: centred
      {BXS_TEXTFIRST, 1, 0, {16, 7, 61, 14}},      // text without image: centred
      {0, 0, 0, {36, 14, 36, 14}},
  };
  for (const auto& r : rows) {
    const ButtonExPlace p = ButtonExPlaceContent(r.style, 73, 28, r.text, 40, 13, r.image, 16, 16);
    CHECK_EQ(p.textX, r.at.textX); CHECK_EQ(p.textY, r.at.textY);
    CHECK_EQ(p.imageX, r.at.imageX); CHECK_EQ(p.imageY, r.at.imageY);
  }
  // Halves are taken towards zero, also for content wider than the button.
  const ButtonExPlace wide = ButtonExPlaceContent(0, 20, 10, 1, 31, 13, 0, 0, 0);
  CHECK_EQ(wide.textX, -5); CHECK_EQ(wide.textY, -1);
}

TEST_CASE(measuring_copy_leaves_out_ampersands_and_stays_bounded) {
  struct { const char* in; const char* out; } rows[] = {
      {"&Play", "Play"}, {"&&", ""}, {"a&b&c", "abc"}, {"", ""}, {"no prefix", "no prefix"}, {"&", ""},
  };
  for (const auto& r : rows) {
    char buf[BX_MEASURE_CHARS];
    CHECK_EQ(ButtonExStripPrefix(r.in, buf, sizeof buf), (int)strlen(r.out));
    CHECK_STR(buf, r.out);
  }
  // A text longer than the copy is measured by its first 255 characters.
  std::string longText(600, 'x');
  char buf[BX_MEASURE_CHARS + 8];
  memset(buf, '#', sizeof buf);
  CHECK_EQ(ButtonExStripPrefix(longText.c_str(), buf, BX_MEASURE_CHARS), 255);
  CHECK_EQ(buf[255], '\0');
  CHECK_EQ(buf[256], '#');
  CHECK_EQ(ButtonExStripPrefix(nullptr, buf, 4), 0);
  CHECK_STR(buf, "");
  CHECK_EQ(ButtonExStripPrefix("abc", buf, 0), 0);
  CHECK_EQ(ButtonExStripPrefix("abc", nullptr, 10), 0);
}

TEST_CASE(mnemonic_is_the_character_after_the_first_ampersand) {
  struct { const char* text; int key; } rows[] = {
      {"&Play", 'P'}, {"Re&fresh", 'f'}, {"A&B&C", 'B'}, {"none", 0}, {"end&", 0}, {"&&x", '&'}, {nullptr, 0},
  };
  for (const auto& r : rows) CHECK_EQ(ButtonExMnemonic(r.text), r.key);
}

TEST_CASE(copy_text_never_writes_past_the_buffer) {
  struct { int size; const char* text; const char* expect; int count; } rows[] = {
      {10, "Play", "Play", 4}, {5, "Play", "Play", 4}, {4, "Play", "Pla", 3},
      {1, "Play", "", 0}, {10, nullptr, "", 0}, {10, "", "", 0},
  };
  for (const auto& r : rows) {
    char buf[16];
    memset(buf, '#', sizeof buf);
    CHECK_EQ(ButtonExCopyText(buf, r.size, r.text), r.count);
    CHECK_STR(buf, r.expect);
    CHECK_EQ(buf[r.size], '#');
  }
  char one = '#';
  CHECK_EQ(ButtonExCopyText(&one, 0, "Play"), 0);
  CHECK_EQ(one, '#');
  CHECK_EQ(ButtonExCopyText(&one, -3, "Play"), 0);
  CHECK_EQ(ButtonExCopyText(nullptr, 10, "Play"), 0);
}

TEST_CASE(class_name_match) {
  CHECK(ButtonExClassMatches("ButtonExClass"));
  CHECK(!ButtonExClassMatches("Button"));
  CHECK(!ButtonExClassMatches("ButtonExClas"));  // cut short: another class
  CHECK(!ButtonExClassMatches(""));
  CHECK(!ButtonExClassMatches(nullptr));
}

TEST_CASE(pointer_inside_while_held) {
  struct { unsigned x, y; int previous, inside; } rows[] = {
      {10, 10, 0, 1}, {73, 10, 0, 1}, {74, 10, 1, 0}, {10, 29, 1, 0},
      {73, 28, 0, 0}, {73, 28, 1, 1},                 // the corner point keeps the answer
      {65535, 10, 1, 0}, {10, 65535, 1, 0},           // left of or above the button
  };
  for (const auto& r : rows) CHECK_EQ(ButtonExPointerInside(r.x, r.y, 73, 28, r.previous), r.inside);
}
