// The two interface fonts, measured from the status bar's own font so that the
// controls match the system's look; ClearFont=0 falls back to small plain fonts.
#include "shell/fonts_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"

static const char kMeasureText[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

static HFONT MakeFont(int height, int weight, DWORD quality, const char* face) {
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH | FF_DONTCARE, face);
}

void CreateFonts() {
  HFONT barFont = (HFONT)SendMessageA(g_statusBar, WM_GETFONT, 0, 0);
  HDC dc = GetDC(g_statusBar);
  HGDIOBJ old = (dc && barFont) ? SelectObject(dc, barFont) : NULL;
  SIZE extent = {0, 0};
  char face[260] = "";
  if (dc) {
    GetTextExtentPoint32A(dc, kMeasureText, (int)(sizeof kMeasureText - 1), &extent);
    GetTextFaceA(dc, (int)sizeof face, face);
    face[sizeof face - 1] = 0;
    if (old) SelectObject(dc, old);
    ReleaseDC(g_statusBar, dc);
  }
  if (ReadSettingsInt("ClearFont", 1) != 0) {
    g_normalFont = MakeFont(extent.cy, FW_NORMAL, CLEARTYPE_QUALITY, face);
    g_boldFont = MakeFont(extent.cy, FW_BOLD, CLEARTYPE_QUALITY, face);
  } else {
    g_normalFont = MakeFont(6, FW_NORMAL, DEFAULT_QUALITY, "MS Sans Serif");
    g_boldFont = MakeFont(6, FW_BOLD, DEFAULT_QUALITY, "MS Sans Serif");
  }
}
