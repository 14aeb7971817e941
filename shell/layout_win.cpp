// The resize layout of the main window: every control that follows a resize
// is moved to its place, the preview picture is reloaded at the new size, and
// the status bar is placed and divided again.
#include "shell/layout_win.h"
#include "shell/layout.h"
#include "shell/app_win.h"
#include "preview/snapshot_win.h"
#include <commctrl.h>

static void PlaceStatusBar() {
  if (!g_statusBar) return;
  RECT client;
  GetClientRect(g_mainWindow, &client);
  SendMessageA(g_statusBar, WM_SIZE, IsZoomed(g_mainWindow) ? SIZE_MAXIMIZED : SIZE_RESTORED,
               MAKELPARAM(client.right, client.bottom));
  RECT bar;
  GetClientRect(g_statusBar, &bar);
  int five[5], four[4];
  StatusBarCreationParts(bar.right, five);
  SendMessageA(g_statusBar, SB_SETPARTS, 5, (LPARAM)five);
  StatusBarResizeParts(bar.right, four);
  SendMessageA(g_statusBar, SB_SETPARTS, 4, (LPARAM)four);
}

void LayoutMainWindow() {
  // A minimised window has a tiny rectangle that would give negative sizes;
  // restoring it sends another WM_SIZE.
  if (!g_mainWindow || IsIconic(g_mainWindow)) return;
  RECT window;
  GetWindowRect(g_mainWindow, &window);
  LayoutValues v = ComputeLayoutValues(window.right - window.left, window.bottom - window.top, g_defaultWidth,
                                       g_defaultHeight);
  g_dw = v.dw;
  g_dh = v.dh;
  ControlRect rects[kLayoutControlCount];
  int n = ComputeLayoutRects(v, rects, kLayoutControlCount);
  for (int i = 0; i < n; ++i) {
    HWND control = GetDlgItem(g_mainWindow, rects[i].id);
    if (control) MoveWindow(control, rects[i].x, rects[i].y, rects[i].width, rects[i].height, TRUE);
    if (rects[i].id == IDC_PREVIEW) ReloadPreviewPicture();
  }
  PlaceStatusBar();
}
