// Status bar creation and text parts.
#include "shell/statusbar_win.h"
#include "shell/app_win.h"
#include <commctrl.h>

BOOL CreateStatusBar(HWND parent, const char* text, int partCount) {
  g_statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | WS_BORDER | SBARS_SIZEGRIP, text, parent,
                                    IDC_STATUS_BAR);
  if (!g_statusBar) return FALSE;
  RECT client;
  GetClientRect(parent, &client);
  int edges[5] = {200, 400, 600, 800, client.right};
  if (partCount > 5) partCount = 5;
  SendMessageA(g_statusBar, SB_SETPARTS, partCount, (LPARAM)edges);
  return TRUE;
}

void SetStatusText(const char* text, int part) {
  SendMessageA(g_statusBar, SB_SETTEXTA, (WPARAM)part, (LPARAM)text);
}
