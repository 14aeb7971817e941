// The button control's text rules and arithmetic: the measuring copy leaves
// out every '&' of the first size - 1 characters, the mnemonic is the
// character after the first '&', the text copy is a cut copy; all stay within
// their buffers, for any size. Placement, looks and the pointer rule for any
// style and any 16-bit sizes.
#include "controls/buttonex_layout.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  int bufferSize = (int)in.Range(-2, 300);
  unsigned style = (unsigned)in.U64(4);
  int W = (int)in.Range(0, 0xFFFF), H = (int)in.Range(0, 0xFFFF), cx = (int)in.Range(0, 0xFFFF),
      cy = (int)in.Range(0, 0xFFFF), w = (int)in.Range(0, 0xFFFF), h = (int)in.Range(0, 0xFFFF);
  int hasText = in.Flag(), hasImage = in.Flag(), hot = in.Flag(), atRest = in.Flag(), latched = in.Flag(),
      pressed = in.Flag(), previous = in.Flag();
  unsigned px = (unsigned)in.Range(0, 0xFFFF), py = (unsigned)in.Range(0, 0xFFFF);
  ExactText text(in.Text());
  const std::string t = text.c_str();
  const size_t room = bufferSize > 0 ? (size_t)bufferSize : 0;

  ExactBuffer stripped(room);
  int n = ButtonExStripPrefix(text.c_str(), room ? stripped.data() : nullptr, bufferSize);
  std::string want;
  for (char c : CutTo(t, room))
    if (c != '&') want += c;
  if (room) {
    FUZZ_CHECK(stripped.Terminated() && stripped.str() == want && n == (int)want.size());
  } else {
    FUZZ_CHECK(n == 0);
  }

  size_t amp = t.find('&');
  FUZZ_CHECK(ButtonExMnemonic(text.c_str()) ==
             (amp == std::string::npos ? 0 : amp + 1 < t.size() ? (unsigned char)t[amp + 1] : 0));

  ExactBuffer copy(room);
  int copied = ButtonExCopyText(room ? copy.data() : nullptr, bufferSize, text.c_str());
  if (room) FUZZ_CHECK(copy.Terminated() && copy.str() == CutTo(t, room) && copied == (int)copy.str().size());
  else FUZZ_CHECK(copied == 0);

  FUZZ_CHECK(ButtonExClassMatches(text.c_str()) == (t.find("ButtonExClass") != std::string::npos));

  unsigned adjusted = ButtonExAdjustStyle(style);
  FUZZ_CHECK(ButtonExAdjustStyle(adjusted) == adjusted);
  if (style & BXS_LATCH) FUZZ_CHECK(adjusted & BXS_HOVER);
  if (style & BXS_SOFT) FUZZ_CHECK(!(adjusted & BX_WS_BORDER));
  // A plain button is raised or, held, pressed; the others lie flat at rest
  // when the pointer is away, and only a hovering one has the hover look.
  ButtonExLook look = ButtonExChooseLook(adjusted, hot, atRest, latched, pressed);
  ButtonExBehaviour behaviour = ButtonExBehaviourOf(adjusted);
  FUZZ_CHECK(behaviour == (adjusted & BXS_LATCH ? BX_LATCHING : adjusted & BXS_HOVER ? BX_HOVERING : BX_PLAIN));
  if (behaviour == BX_PLAIN) FUZZ_CHECK(look == (pressed ? BX_LOOK_PRESSED : BX_LOOK_RAISED));
  else if (atRest && !hot && !latched) FUZZ_CHECK(look == BX_LOOK_FLAT);
  if (look == BX_LOOK_HOVER) FUZZ_CHECK(behaviour == BX_HOVERING && hot);

  ButtonExPlace place = ButtonExPlaceContent(style, W, H, hasText, cx, cy, hasImage, w, h);
  if (!hasImage) FUZZ_CHECK(place.textX == (W - (hasText ? cx : 0)) / 2);

  ButtonExLine lines[8];
  for (int c = BX_SOFT_RAISED; c <= BX_SOFT_FOCUSED_PRESSED; ++c) {
    int count = ButtonExSoftLines((ButtonExSoftCase)c, 0, 0, W, H, lines);
    FUZZ_CHECK(count == 6 || count == 8);
    for (int i = 0; i < count; ++i) FUZZ_CHECK(lines[i].pen >= 0 && lines[i].pen <= 2);
  }
  ButtonExPixel pixels[10];
  FUZZ_CHECK(ButtonExSoftPixels(pressed, 0, 0, W, H, pixels) == 10);

  int inside = ButtonExPointerInside(px, py, W, H, previous);
  if ((int)px > W || (int)py > H) FUZZ_CHECK(inside == 0);
  else if ((int)px < W || (int)py < H) FUZZ_CHECK(inside == 1);
  else FUZZ_CHECK(inside == previous);
  return 0;
}
