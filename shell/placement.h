// Window size and placement arithmetic of start-up and shutdown.
#pragma once

struct FrameMetrics {
  int cxDrag, cxEdge, cxBorder, cxFrame, cxFocusBorder;
  int cyDrag, cyBorder, cyFocusBorder, cyFrame, cyCaption, cyMenu;
};

// The default (and minimum) window size: 936 x 536 of client plus the frames.
void ComputeDefaultSize(const FrameMetrics& m, int statusBarHeight, int* width, int* height);

struct Placement { int x, y, width, height; };

// Reads an integer of section OPTIONS with its default.
typedef int (*SettingsIntReader)(const char* key, int defaultValue, void* context);

// Start-up placement: default size centred on the screen, or the stored size
// and position when the flags Size and Position are on.
Placement ComputeStartPlacement(int defaultWidth, int defaultHeight, int screenWidth, int screenHeight,
                                SettingsIntReader read, void* context);

// What the window's destruction writes into section OPTIONS.
struct SavedPlacement {
  char left[16], top[16], right[16], bottom[16];
  char showMaximized[2];
};
enum { kShowMinimized = 2, kShowMaximized = 3 };
struct PixelRect { int left, top, right, bottom; };

// `window` is the window rectangle now; `normal` the restored rectangle of the
// window placement. A minimised window stores its restored rectangle, since its
// own rectangle then lies far off screen.
SavedPlacement PlacementToSave(PixelRect window, int showCmd, PixelRect normal);
