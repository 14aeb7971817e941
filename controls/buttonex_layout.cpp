// The ButtonEx control's arithmetic (see buttonex_layout.h).
#include "controls/buttonex_layout.h"
#include <cstring>

unsigned ButtonExAdjustStyle(unsigned style) {
  if ((style & BXS_SOFT) && (style & BX_WS_BORDER)) style &= ~BX_WS_BORDER;
  if ((style & BXS_LATCH) && !(style & BXS_HOVER)) style |= BXS_HOVER;
  return style;
}

ButtonExBehaviour ButtonExBehaviourOf(unsigned style) {
  if (style & BXS_LATCH) return BX_LATCHING;
  if (style & BXS_HOVER) return BX_HOVERING;
  return BX_PLAIN;
}

ButtonExLook ButtonExChooseLook(unsigned style, int hot, int atRest, int latched, int pressedInside) {
  if ((style & BXS_LATCH) && (style & BXS_HOVER)) {
    if (!latched && atRest) return BX_LOOK_FLAT;
    if (hot) return BX_LOOK_RAISED;
    if (!atRest) return BX_LOOK_PRESSED;
    return BX_LOOK_FLAT;  // latched but at rest cannot happen; stay flat
  }
  if (style & BXS_HOVER) {
    if (hot) return BX_LOOK_HOVER;
    if (!atRest) return BX_LOOK_PRESSED;
    return BX_LOOK_FLAT;
  }
  return pressedInside ? BX_LOOK_PRESSED : BX_LOOK_RAISED;
}

void ButtonExSoftPens(ButtonExSoftCase softCase, unsigned pens[3]) {
  switch (softCase) {
    case BX_SOFT_FOCUSED_RAISED:
      pens[0] = BX_RGB(153, 163, 212); pens[1] = BX_RGB(173, 197, 238); pens[2] = BX_RGB(193, 224, 235);
      break;
    case BX_SOFT_FOCUSED_PRESSED:
      pens[0] = BX_RGB(153, 163, 212); pens[1] = BX_RGB(173, 197, 238); pens[2] = BX_RGB(173, 197, 238);
      break;
    default:
      pens[0] = BX_RGB(214, 208, 197); pens[1] = BX_RGB(226, 223, 214); pens[2] = BX_RGB(236, 235, 230);
      break;
  }
}

static void Put(ButtonExLine* out, int& n, int pen, int x1, int y1, int x2, int y2) {
  out[n].pen = pen; out[n].x1 = x1; out[n].y1 = y1; out[n].x2 = x2; out[n].y2 = y2;
  ++n;
}

int ButtonExSoftLines(ButtonExSoftCase softCase, int l, int t, int r, int b, ButtonExLine* out) {
  int n = 0;
  if (softCase == BX_SOFT_RAISED || softCase == BX_SOFT_FOCUSED_RAISED) {
    Put(out, n, 0, l + 2, b - 2, r - 2, b - 2);
    Put(out, n, 0, r - 2, t + 2, r - 2, b - 2);
    Put(out, n, 1, l + 1, b - 3, r - 2, b - 3);
    Put(out, n, 1, r - 3, t + 1, r - 3, b - 3);
    Put(out, n, 2, l + 1, b - 4, r - 3, b - 4);
    Put(out, n, 2, r - 4, t + 1, r - 4, b - 3);
    if (softCase == BX_SOFT_FOCUSED_RAISED) {
      Put(out, n, 2, l + 3, t + 1, r - 4, t + 1);
      Put(out, n, 2, l + 1, t + 3, l + 1, b - 4);
    }
  } else {
    Put(out, n, 0, l + 2, t + 1, r - 2, t + 1);
    Put(out, n, 0, l + 1, t + 2, l + 1, b - 2);
    Put(out, n, 1, l + 2, t + 2, r - 1, t + 2);
    Put(out, n, 1, l + 2, t + 2, l + 2, b - 1);
    Put(out, n, 2, l + 3, t + 3, r - 1, t + 3);
    Put(out, n, 2, l + 3, t + 3, l + 3, b - 1);
    if (softCase == BX_SOFT_FOCUSED_PRESSED) {
      Put(out, n, 2, l + 4, b - 2, r - 2, b - 2);
      Put(out, n, 2, r - 2, t + 3, r - 2, b - 3);
    }
  }
  return n;
}

int ButtonExSoftPixels(int pressedCase, int l, int t, int r, int b, ButtonExPixel* out) {
  const int corners[8][2] = {{l + 1, b - 1}, {l, b - 2}, {l, t + 1}, {l + 1, t},
                             {r - 2, t},     {r - 1, t + 1}, {r - 1, b - 2}, {r - 2, b - 1}};
  int n = 0;
  for (const auto& c : corners) { out[n].x = c[0]; out[n].y = c[1]; out[n].light = 0; ++n; }
  if (pressedCase) {
    out[n++] = ButtonExPixel{r - 3, b - 2, 1};
    out[n++] = ButtonExPixel{r - 2, b - 3, 1};
  } else {
    out[n++] = ButtonExPixel{l + 1, t + 2, 1};
    out[n++] = ButtonExPixel{l + 2, t + 1, 1};
  }
  return n;
}

ButtonExPlace ButtonExPlaceContent(unsigned style, int W, int H, int hasText, int cx, int cy,
                                   int hasImage, int w, int h) {
  ButtonExPlace p = {0, 0, 0, 0};
  if (!hasText) { cx = 0; cy = 0; }
  if (!hasImage) { w = 0; h = 0; }
  const int content = hasText ? cx + 10 + w : w;
  if (style & BXS_TEXTFIRST) {
    p.textX = (W - content) / 2;       p.textY = (H - cy) / 2;
    p.imageX = (W - content) / 2 + cx + 10; p.imageY = (H - h) / 2;
  } else if (style & BXS_TEXTTOP) {
    p.textX = (W - cx) / 2;            p.textY = 8;
    p.imageX = (W - w) / 2;            p.imageY = H - (h + 8);
  } else if (style & BXS_IMAGETOP) {
    p.textX = (W - cx) / 2;            p.textY = H - (cy + 8);
    p.imageX = (W - w) / 2;            p.imageY = 10;
  } else {
    p.textX = (W - content) / 2 + w + 10; p.textY = (H - cy) / 2;
    p.imageX = (W - content) / 2;      p.imageY = (H - h) / 2;
  }
  if (style & (BXS_IMAGEONLY | BXS_IMAGEONLY2)) { p.imageX = (W - w) / 2; p.imageY = (H - h) / 2; }
  if (!hasImage) { p.textX = (W - cx) / 2; p.textY = (H - cy) / 2; }
  return p;
}

int ButtonExStripPrefix(const char* text, char* out, int size) {
  if (!out || size <= 0) return 0;
  int n = 0;
  if (text) {
    for (int i = 0; i < size - 1 && text[i]; ++i)
      if (text[i] != '&') out[n++] = text[i];
  }
  out[n] = '\0';
  return n;
}

int ButtonExMnemonic(const char* text) {
  if (!text) return 0;
  const char* amp = strchr(text, '&');
  return amp ? (unsigned char)amp[1] : 0;
}

int ButtonExCopyText(char* buffer, int size, const char* text) {
  if (!buffer || size <= 0) return 0;
  int n = 0;
  if (text)
    while (n < size - 1 && text[n]) { buffer[n] = text[n]; ++n; }
  buffer[n] = '\0';
  return n;
}

int ButtonExClassMatches(const char* className) {
  return className && strstr(className, "ButtonExClass") != nullptr;
}

int ButtonExPointerInside(unsigned x, unsigned y, int width, int height, int previous) {
  const long w = width, h = height;
  if ((long)x > w || (long)y > h) return 0;
  if ((long)x < w || (long)y < h) return 1;
  return previous;
}
