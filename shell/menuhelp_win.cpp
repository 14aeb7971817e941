// Menu help (WM_MENUSELECT): the highlighted command's text in status part 0.
#include "shell/menuhelp_win.h"
#include "shell/menu_help.h"
#include "shell/settings_win.h"
#include "shell/statusbar_win.h"
#include "shell/gameinfo_win.h"

void HandleMenuSelect(WPARAM wParam, LPARAM lParam) {
  int key = MenuHelpKey(HIWORD(wParam), LOWORD(wParam), lParam != 0);
  if (key != 0) {
    SetStatusText(GetLanguageString(key), 0);
  } else {
    RestoreStatusText();
  }
}
