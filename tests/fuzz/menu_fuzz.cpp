// Menu help keys, arrow-key prediction and the measuring of menu texts. The
// measure sees exactly the bytes it is told of (an exact-size copy) and never
// more than 63 of them; the label and the accelerator are the parts of the
// text around its first tab; the bitmap spans stay inside box and bitmap.
#include "controls/ownermenu_metrics.h"
#include "shell/menu_help.h"
#include "tests/fuzz/fuzz_input.h"
#include <vector>

static int Measure(const char* text, int length, void* context) {
  FUZZ_CHECK(length >= 0 && length < kMenuTextSize);
  FUZZ_CHECK(strnlen(text, kMenuTextSize) == (size_t)length);
  ExactText exact(std::string(text, (size_t)length));
  (void)context;
  int width = 0;
  for (const char* p = exact.c_str(); *p; ++p) width += (unsigned char)*p % 13 + 1;
  return width;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  unsigned flags = (unsigned)in.U64(4), item = (unsigned)in.U64(4);
  bool present = in.Flag();
  int selected = (int)in.U64(4), key = (int)in.U64(4), count = (int)in.U64(4);
  int box = (int)in.Range(0, 1 << 16), bitmap = (int)in.Range(0, 1 << 16);

  int help = MenuHelpKey(flags, item, present);
  FUZZ_CHECK(help == 0 || help == 2030 || help == (int)(item & 0xFFFF));

  int predicted = PredictKeyItem(selected, key, count);
  int clamped = ClampListItem(selected, count);
  if (count <= 0) {
    FUZZ_CHECK(predicted == -1 && clamped == -1);
  } else {
    FUZZ_CHECK(predicted >= 0 && predicted < count && clamped >= 0 && clamped < count);
    if (key != kKeyUp && key != kKeyDown) FUZZ_CHECK(predicted == clamped);
  }

  CentredSpan span = CentreInBox(box, bitmap);
  FUZZ_CHECK(span.offset >= 0 && span.source >= 0 && span.length >= 0);
  FUZZ_CHECK(span.offset + span.length <= box && span.source + span.length <= bitmap);
  FUZZ_CHECK(span.length == (box < bitmap ? box : bitmap));

  MenuTextWidths widths = {0, 0, 0};
  std::vector<int> heights;
  while (in.Left()) {
    std::string text = in.Text(200);
    ExactText exact(text);
    char copy[kMenuTextSize], label[kMenuTextSize], accel[kMenuTextSize];
    CopyMenuText(exact.c_str(), copy);
    std::string want = text.substr(0, kMenuTextSize - 1);
    FUZZ_CHECK(want == copy);
    int tabbed = SplitMenuText(exact.c_str(), label, accel);
    size_t tab = want.find('\t');
    FUZZ_CHECK(tabbed == (tab != std::string::npos));
    FUZZ_CHECK(std::string(label) == want.substr(0, tab));
    FUZZ_CHECK(std::string(accel) == (tabbed ? want.substr(tab + 1) : std::string()));
    AddMenuText(&widths, exact.c_str(), Measure, nullptr);
    heights.push_back(MenuItemHeight((int)(text.size() % 64)));
  }
  FUZZ_CHECK(MenuTextWidth(widths) >= widths.tabbed && MenuTextWidth(widths) >= widths.label);
  std::vector<int> offsets(heights.size() + 1, -1);
  BandOffsets(heights.data(), (int)heights.size(), offsets.data());
  int sum = 0;
  for (size_t i = 0; i < heights.size(); ++i) {
    FUZZ_CHECK(offsets[i] == sum);
    sum += heights[i];
  }
  FUZZ_CHECK(offsets[heights.size()] == -1);
  return 0;
}
