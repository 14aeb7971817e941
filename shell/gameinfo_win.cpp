// Status bar part 0, the information box 318 and the snapshot for one game.
#include "shell/gameinfo_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include "shell/statusbar_win.h"
#include "shell/menu_help.h"
#include "shell/web_addresses.h"
#include "catalogue/listview_win.h"
#include "catalogue/short_name.h"
#include "preview/snapshot_win.h"
#include <commctrl.h>

enum { kTextSize = 260, kInfoSize = 1600 };

// The list of the current page: 302 on page 1, 305 on every other page.
static HWND CurrentPageList() {
  int page = (int)SendMessageA(GetDlgItem(g_mainWindow, IDC_TABS), TCM_GETCURSEL, 0, 0);
  return MainList(page == 1 ? IDC_SUPPORTED_LIST : IDC_INSTALLED_LIST);
}

static void ShowDescriptionInStatus(const char* description) {
  char status[kTextSize + 1];
  CopyText(status, sizeof status, " ");
  AppendText(status, sizeof status, description);
  SetStatusText(status, 0);
}

void ShowGameInfo(HWND list, int item) {
  char description[kTextSize], column6[kTextSize], shortName[kTextSize];
  GetListText(list, item, 0, description, sizeof description);
  ShowDescriptionInStatus(description);
  GetListText(list, item, 6, column6, sizeof column6);
  if (GetDlgCtrlID(list) == IDC_SUPPORTED_LIST) {
    ShortNameFromDocumentField(column6, shortName, sizeof shortName);
  } else {
    CopyText(shortName, sizeof shortName, column6);
  }
  char info[kInfoSize];
  ComposeGameInfoText(description, GetLanguageString(6), shortName, info, sizeof info);
  SetWindowTextA(GetDlgItem(g_mainWindow, IDC_GAME_INFO), info);
  ShowGameSnapshot(shortName);
}

void UpdateSelectedGameInfo() {
  HWND list = CurrentPageList();
  int count = GetListCount(list);
  if (count <= 0) return;
  int item = ClampListItem(GetNextListItem(list, LVNI_FOCUSED | LVNI_SELECTED), count);
  ShowGameInfo(list, item);
}

void RestoreStatusText() {
  char description[kTextSize] = "";
  HWND list = CurrentPageList();
  int item = GetNextListItem(list, LVNI_FOCUSED | LVNI_SELECTED);
  if (item >= 0) GetListText(list, item, 0, description, sizeof description);
  ShowDescriptionInStatus(description);
}
