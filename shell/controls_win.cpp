// Every child control of the main window, created once at start-up in a fixed
// order: the game lists are filled in between, so that the catalogue, the
// document pages and the buttons find what they need when their turn comes.
#include "shell/controls_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include "shell/startup_marks.h"
#include "catalogue/game_lists_win.h"
#include "catalogue/scan_win.h"
#include "catalogue/sort_win.h"
#include "controls/buttonex_win.h"
#include "preview/advice_win.h"
#include <commctrl.h>

static HWND MakeChild(DWORD exStyle, const char* cls, const char* text, DWORD style, int x, int y, int width,
                      int height, int id) {
  return CreateWindowExA(exStyle, cls, text, style, x, y, width, height, g_mainWindow,
                         (HMENU)(INT_PTR)id, g_instance, NULL);
}

static void SetFont(HWND control, HFONT font) {
  if (control) SendMessageA(control, WM_SETFONT, (WPARAM)font, TRUE);
}

static void CreateBannerPiece(int id, int x, int width) {
  HWND piece = MakeChild(0, "static", NULL, WS_CHILD | WS_VISIBLE | SS_BITMAP, x, 11, width, 58, id);
  HBITMAP picture = LoadBitmapA(g_instance, MAKEINTRESOURCEA(id));
  if (piece && picture) SendMessageA(piece, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)picture);
}

static void CreateBannerAndPreview() {
  const DWORD picture = WS_CHILD | WS_VISIBLE | SS_BITMAP;
  MakeChild(WS_EX_STATICEDGE, "static", NULL, picture, 10, 10, 773, 60, IDC_BANNER);
  CreateBannerPiece(IDC_BANNER_LEFT, 11, 347);
  CreateBannerPiece(IDC_BANNER_MIDDLE, 482, 25);
  CreateBannerPiece(IDC_BANNER_RIGHT, 582, 170);
  MakeChild(WS_EX_STATICEDGE, "static", NULL, picture, 567, 100, 250, 212, IDC_PREVIEW);
  HWND frame = MakeChild(0, "button", GetLanguageString(9), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 554, 80, 228, 324,
                         IDC_PREVIEW_FRAME);
  SetFont(frame, g_boldFont);
}

static void CreateOptionsPage() {
  HWND frame = MakeChild(0, "button", GetLanguageString(13), WS_CHILD | BS_GROUPBOX, 38, 123, 473, 290,
                         IDC_OPTIONS_FRAME);
  SetFont(frame, g_boldFont);
  SetFont(MakeChild(WS_EX_CLIENTEDGE, "edit", "", WS_CHILD | ES_AUTOHSCROLL, 52, 150, 444, 22, IDC_COMMAND_LINE),
          g_normalFont);
  HWND save = ButtonExCreate(GetLanguageString(14), 0x10120, 426, 374, 73, 28, g_mainWindow, CMD_SAVE_OPTIONS);
  if (save) ButtonExSetTip(save, GetLanguageString(79));
  for (int id = IDC_OPTION_FIRST; id <= IDC_OPTION_LAST; ++id) {
    HWND box = MakeChild(0, "button", GetLanguageString(15 + id - IDC_OPTION_FIRST), WS_CHILD | BS_AUTOCHECKBOX, 56,
                         185 + 24 * (id - IDC_OPTION_FIRST), 350, 22, id);
    SetFont(box, g_normalFont);
  }
  MakeChild(0, "static", "", WS_CHILD | SS_GRAYFRAME, 25, 115, 500, 311, IDC_OPTIONS_PAGE_FRAME);
}

static void SelectFirstItem(int listId) {
  HWND list = GetDlgItem(g_mainWindow, listId);
  if (!list) return;
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 0, (LPARAM)&item);
  SetFocus(list);
}

static void CreateDocumentPage(int id, DWORD style, int y, int height, const char* path) {
  HWND page = MakeChild(WS_EX_CLIENTEDGE, "edit", "", style, 25, y, 500, height, id);
  SetFont(page, g_normalFont);
  LoadTextIntoControl(path, id, g_mainWindow);
}

static void CreateDocumentPages() {
  const DWORD lower = WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
  char path[kPathSize];
  CopyText(path, sizeof path, g_paths.programFolder);
  AppendText(path, sizeof path, "\\docs\\windows.txt");
  CreateDocumentPage(IDC_WINDOWS_NOTES, lower | WS_HSCROLL, 115, 311, path);
  CreateDocumentPage(IDC_MANUAL_PAGE, lower, 115, 150, g_paths.manual);
  CopyText(path, sizeof path, g_paths.programFolder);
  AppendText(path, sizeof path, "\\docs\\mame.txt");
  CreateDocumentPage(IDC_MAME_NOTES, lower, 276, 150, path);
}

struct CommandButton {
  int id;
  DWORD style;
  int text, x, icon, tip;
};

// In creation order; all at y 415, 73 x 28 until the first resize.
static const CommandButton kCommandButtons[] = {
    {CMD_PLAY, 0x10000140, 34, 553, IDI_PLAY, 80},
    {CMD_SEARCH, 0x10000140, 92, 553, IDI_SEARCH, 93},
    {CMD_RESCAN, 0x10000140, 35, 631, IDI_RESCAN, 81},
    {CMD_DELETE, 0x10000140, 36, 709, IDI_DELETE, 82},
    {CMD_WEB_SEARCH_BIOS, 0x140, 73, 553, IDI_WEB, 83},
    {CMD_WEB_SEARCH_GAME, 0x140, 74, 553, IDI_WEB, 84},
    {CMD_ADD_ARCHIVE, 0x140, 104, 709, IDI_SUPPORTED_GAME, 105},
    {CMD_HOME_PAGE_BUTTON, 0x140, 76, 553, IDI_WEB, 86},
    {CMD_WRITE_SUPPORT_BUTTON, 0x140, 77, 631, IDI_MAIL, 87},
    {CMD_MANUAL, 0x140, 78, 709, IDI_PROGRAM, 88},
};

static void CreateCommandButtons() {
  for (const CommandButton& b : kCommandButtons) {
    HWND button = ButtonExCreate(GetLanguageString(b.text), b.style, b.x, 415, 73, 28, g_mainWindow, b.id);
    if (!button) continue;
    HANDLE icon = LoadImageA(g_instance, MAKEINTRESOURCEA(b.icon), IMAGE_ICON, 16, 16, LR_LOADMAP3DCOLORS);
    if (icon) SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, (LPARAM)icon);
    ButtonExSetTip(button, GetLanguageString(b.tip));
  }
}

static void CreateTabControl() {
  HWND tabs = MakeChild(0, WC_TABCONTROLA, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 10, 80,
                        533, 363, IDC_TABS);
  if (!tabs) return;
  SetFont(tabs, g_normalFont);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
  HICON icon = (HICON)LoadImageA(g_instance, MAKEINTRESOURCEA(IDI_TAB), IMAGE_ICON, 16, 16, 0);
  if (images && icon) ImageList_AddIcon(images, icon);
  SendMessageA(tabs, TCM_SETIMAGELIST, 0, (LPARAM)images);
  for (int page = 0; page < 6; ++page) {
    char caption[1024];
    CopyText(caption, sizeof caption, GetLanguageString(37 + page));
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = caption;
    item.iImage = 0;
    SendMessageA(tabs, TCM_INSERTITEMA, page, (LPARAM)&item);
  }
}

void CreateMainControls() {
  // Every button, the save-options one included, starts with the normal font.
  ButtonExSetDefaultFont(g_normalFont);
  CreateBannerAndPreview();
  CreateOptionsPage();
  MarkStartup("banner, options page");
  CreateGameList(g_mainWindow, IDC_SUPPORTED_LIST);
  // The document is read into list 302 by the scan below, which empties the
  // list first: filling it here as well would leave no trace but the time.
  SelectFirstItem(IDC_SUPPORTED_LIST);
  MarkStartup("list 302");
  CreateGameList(g_mainWindow, IDC_INSTALLED_LIST);
  CreateGameList(g_mainWindow, IDC_OTHER_LIST);
  MarkStartup("lists 305, 306");
  ScanRomFolderInStartupOrder();
  SelectFirstItem(IDC_INSTALLED_LIST);
  CreateDocumentPages();
  MarkStartup("document pages");
  SortListsAtStartup();
  MarkStartup("first sort");
  UpdateListCounters();
  MarkStartup("counters");
  CreateCommandButtons();
  MarkStartup("command buttons");
  SetFont(MakeChild(WS_EX_CLIENTEDGE, "edit", "",
                    WS_CHILD | WS_VISIBLE | ES_CENTER | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 567, 315,
                    203, 76, IDC_GAME_INFO),
          g_normalFont);
  CreateTabControl();
  MarkStartup("info box, tab control");
}
