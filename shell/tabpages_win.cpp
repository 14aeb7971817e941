// The page switch of the main tab control: the pages are sibling controls of
// the main window that are shown and hidden, never child dialogs.
#include "shell/tabpages_win.h"
#include "shell/tab_pages.h"
#include "shell/app_win.h"
#include "catalogue/listview_win.h"
#include "catalogue/list_redraw_win.h"
#include "launch/switch_boxes_win.h"
#include <commctrl.h>

static void EnableControl(int id, bool enable) {
  HWND control = GetDlgItem(g_mainWindow, id);
  if (control) EnableWindow(control, enable ? TRUE : FALSE);
}

static bool ListHasItems(int listId) {
  HWND list = GetDlgItem(g_mainWindow, listId);
  return list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0;
}

void SwitchTabPage() {
  int page = (int)SendMessageA(GetDlgItem(g_mainWindow, IDC_TABS), TCM_GETCURSEL, 0, 0);
  if (page < 0 || page >= kTabPageCount) return;
  EnableControl(CMD_SEARCH, PageEnablesSearch(page));
  // The menu bar may not exist (yet); the page switch works without it.
  if (g_mainMenu) {
    for (int command : kPageMenuCommands)
      EnableMenuItem(g_mainMenu, command, MF_BYCOMMAND | (PageEnablesCommand(page, command) ? MF_ENABLED : MF_GRAYED));
  }
  for (int i = 0; i < kPageControlCount; ++i) {
    HWND control = GetDlgItem(g_mainWindow, kPageControls[i]);
    if (control && !PageShowsControl(page, kPageControls[i])) ShowPageControl(control, false);
  }
  for (int i = 0; i < kPageControlCount; ++i) {
    HWND control = GetDlgItem(g_mainWindow, kPageControls[i]);
    if (control && PageShowsControl(page, kPageControls[i])) ShowPageControl(control, true);
  }
  if (page == 0) {
    bool any = ListHasItems(IDC_INSTALLED_LIST);
    EnableControl(CMD_DELETE, any);
    EnableControl(CMD_PLAY, any);
  } else if (page == 2) {
    EnableControl(CMD_DELETE, ListHasItems(IDC_OTHER_LIST));
  } else if (PageShowsControl(page, IDC_OPTION_FIRST)) {
    ShowSwitchRecordOnPage();  // mkgamelist.exe may have recorded the switches since
  }
}

void EnablePlayDeleteByCount() {
  bool any = ListHasItems(IDC_INSTALLED_LIST);
  EnableControl(CMD_DELETE, any);
  EnableControl(CMD_PLAY, any);
}
