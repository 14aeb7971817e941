// Main window class and procedure: one line per message, each to a named handler.
#include "shell/mainwnd_win.h"
#include "shell/app_win.h"
#include "shell/placement.h"
#include "shell/settings_win.h"
#include "shell/layout_win.h"
#include "shell/window_behaviour_win.h"
#include "shell/notify_win.h"
#include "shell/commands_win.h"
#include "shell/menuhelp_win.h"
#include "shell/contextmenu_win.h"
#include "controls/ownermenu_win.h"
#include "catalogue/scan_win.h"
#include "launch/start_watch_win.h"
#include "catalogue/document_offer_win.h"

static const char kClassName[] = "corvalisWndClass";

BOOL RegisterMainWindowClass() {
  WNDCLASSA wc = {};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = g_instance;
  wc.hIcon = LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_PROGRAM));
  wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) != 0;
}

HWND CreateMainWindow() {
  return CreateWindowExA(0, kClassName, "Vintor 2009", WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS,
                         CW_USEDEFAULT, 0, 800, 530, NULL, NULL, g_instance, NULL);
}

void SaveWindowPlacement(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof wp;
  GetWindowPlacement(window, &wp);
  PixelRect now = {r.left, r.top, r.right, r.bottom};
  PixelRect normal = {wp.rcNormalPosition.left, wp.rcNormalPosition.top, wp.rcNormalPosition.right,
                      wp.rcNormalPosition.bottom};
  SavedPlacement s = PlacementToSave(now, (int)wp.showCmd, normal);
  WriteSettingsText("Left", s.left);
  WriteSettingsText("Top", s.top);
  WriteSettingsText("Right", s.right);
  WriteSettingsText("Bottom", s.bottom);
  WriteSettingsText("ShowMaximized", s.showMaximized);
}

static LRESULT OnDestroy(HWND window) {
  SaveWindowPlacement(window);
  FreeOwnerDrawnMenus(window);
  PostQuitMessage(0);
  return 0;
}

static LRESULT OnSize() {
  LayoutMainWindow();
  return 0;
}

static LRESULT OnGetMinMaxInfo(MINMAXINFO* info) {
  info->ptMinTrackSize.x = g_defaultWidth;
  info->ptMinTrackSize.y = g_defaultHeight;
  return 0;
}

static LRESULT OnContextMenu(HWND window, WPARAM wParam, LPARAM lParam) {
  ShowMainContextMenu(window, (HWND)wParam, lParam);
  return 0;
}

static LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  HandleCommand(window, LOWORD(wParam), (HWND)lParam, HIWORD(wParam));
  return 0;
}

static LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  HandleMenuSelect(wParam, lParam);
  return 0;
}

static LRESULT OnMoving(LPARAM lParam) {
  if (ReadSettingsInt("Magnet", 0) != 0) return SnapToWorkArea((RECT*)lParam);
  return 1;
}

static LRESULT OnNotify(HWND window, LPARAM lParam) {
  HandleMainNotify(window, (NMHDR*)lParam);
  return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:         return OnDestroy(window);
    case WM_SIZE:            return OnSize();
    case WM_GETMINMAXINFO:   return OnGetMinMaxInfo((MINMAXINFO*)lParam);
    case WM_DRAWITEM:        return DrawMenuItem(wParam, (DRAWITEMSTRUCT*)lParam);
    case WM_MEASUREITEM:     return MeasureMenuItem(wParam, (MEASUREITEMSTRUCT*)lParam);
    case WM_NOTIFY:          return OnNotify(window, lParam);
    case WM_CONTEXTMENU:     return OnContextMenu(window, wParam, lParam);
    case WM_COMMAND:         return OnCommand(window, wParam, lParam);
    case WM_MENUSELECT:      return OnMenuSelect(wParam, lParam);
    case WM_MOVING:          return OnMoving(lParam);
    case WM_APP_SCAN_RESULT: return HandleScanMessage(wParam, lParam);
    case WM_APP_START_REFUSED: return HandleRefusedStart(lParam);
    case WM_APP_DOCUMENT_TOOL: return HandleDocumentToolMessage(wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
