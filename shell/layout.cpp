// Resize arithmetic of the main window (see layout.h).
#include "shell/layout.h"

LayoutValues ComputeLayoutValues(int windowWidth, int windowHeight, int defaultWidth, int defaultHeight) {
  LayoutValues v;
  v.dw = windowWidth - defaultWidth + 160;
  v.dh = windowHeight - defaultHeight + 94;
  v.hx = v.dw / 2;
  v.hy = v.dh / 2;
  v.q = v.hx / 2;
  v.t = v.hx / 3;
  return v;
}

int ComputeLayoutRects(const LayoutValues& v, ControlRect* out, int capacity) {
  const int hx = v.hx, hy = v.hy, dh = v.dh, q = v.q, t = v.t;
  const ControlRect table[kLayoutControlCount] = {
      {337, 10, 10, hx + 533, 60},
      {335, 350, 11, hx + 25, 58},
      {336, hx + 372, 11, 170, 58},
      {311, hx + 567, 32, hx + 203, dh + 212},
      {318, hx + 567, dh + 260, hx + 203, 76},
      {303, hx + 554, 10, hx + 228, dh + 432},
      {319, 38, 123, hx + 473, dh + 290},
      {322, 52, 150, hx + 444, 22},
      {308, 25, 115, hx + 500, dh + 311},
      {302, 25, 115, hx + 500, dh + 311},
      {305, 25, 115, hx + 500, dh + 311},
      {306, 25, 115, hx + 500, dh + 311},
      {307, 25, 115, hx + 500, dh + 311},
      {309, 25, 115, hx + 500, hy + 150},
      {310, 25, hy + 276, hx + 500, hy + 150},
      {503, hx + 567, dh + 350, q + 97, 35},
      {519, hx + 567, dh + 350, q + 97, 35},
      {518, hx + 567, dh + 350, q + 97, 35},
      {525, hx + 567, dh + 350, q + 97, 35},
      {504, hx + q + 674, dh + 350, q + 96, 35},
      {524, hx + q + 674, dh + 350, q + 96, 35},
      {526, hx + 567, dh + 394, q + 97, 35},
      {505, hx + q + 674, dh + 394, q + 96, 35},
      {521, hx + q + 674, dh + 394, q + 96, 35},
      {531, hx + q + 674, dh + 394, q + 96, 35},
      {321, hx + 426 - t, dh + 374, t + 73, 28},
      {301, 10, 81, hx + 533, dh + 362},
  };
  int n = capacity < kLayoutControlCount ? capacity : kLayoutControlCount;
  for (int i = 0; i < n; ++i) out[i] = table[i];
  return n < 0 ? 0 : n;
}

void StatusBarCreationParts(int clientWidth, int edges[5]) {
  edges[0] = 200;
  edges[1] = 400;
  edges[2] = 600;
  edges[3] = 800;
  edges[4] = clientWidth;
}

void StatusBarResizeParts(int clientWidth, int edges[4]) {
  const int extra = clientWidth - 1000;
  edges[0] = extra / 4 + 240;
  edges[1] = extra / 3 + 480;
  edges[2] = extra / 2 + 720;
  edges[3] = clientWidth - 40;
}
