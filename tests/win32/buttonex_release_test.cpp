// ButtonEx after ButtonExReleaseResources: the pens are gone and the default
// font forgotten, yet buttons still paint their frames and new ones can be made.
// The font belongs to the program, which goes on using it.
#include "controls/buttonex_internal_win.h"
#include "tests/testkit/testkit.h"

TEST_CASE(release_resources_then_paint_again) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.lpszClassName = "BxReleaseHost";
  RegisterClassA(&wc);
  HWND host = CreateWindowExA(0, "BxReleaseHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL,
                              wc.hInstance, NULL);
  HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
  ButtonExSetDefaultFont(font);
  HWND before = ButtonExCreate("Before", BXS_STARK, 10, 10, 73, 28, host, 1);
  CHECK(before != NULL);
  CHECK(ButtonExGetFont(before) == font);
  HPEN black = g_bx.blackPen;
  CHECK(black != NULL);
  ButtonExReleaseResources();
  CHECK(g_bx.blackPen == NULL && g_bx.shadowPen == NULL && g_bx.highlightPen == NULL && g_bx.whitePen == NULL);
  CHECK_EQ((int)GetObjectType(font), OBJ_FONT);  // the program's font is not the library's to delete
  CHECK(ButtonExGetFont(before) == font);
  CHECK_EQ((int)GetObjectType(black), 0);

  // Painting makes the pens again; the stark frame is white and black as before.
  ButtonExSetFont(before, NULL);
  HDC screen = GetDC(NULL);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bm = CreateCompatibleBitmap(screen, 73, 28);
  ReleaseDC(NULL, screen);
  HGDIOBJ old = SelectObject(mem, bm);
  SendMessageA(before, WM_PRINTCLIENT, (WPARAM)mem, PRF_CLIENT | PRF_ERASEBKGND);
  CHECK_EQ(GetPixel(mem, 36, 0), RGB(255, 255, 255));
  CHECK_EQ(GetPixel(mem, 36, 27), RGB(0, 0, 0));
  SelectObject(mem, old);
  DeleteObject(bm);
  DeleteDC(mem);

  HWND after = ButtonExCreate("After", BXS_SOFT, 100, 10, 73, 28, host, 2);
  CHECK(after != NULL);
  CHECK(ButtonExGetFont(after) == (HFONT)GetStockObject(DEFAULT_GUI_FONT));
  CHECK_EQ(ButtonExRegister(), 1);
  DestroyWindow(host);
  CHECK(DeleteObject(font));  // still ours to delete
}
