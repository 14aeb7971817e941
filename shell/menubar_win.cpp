// The menu bar: five popups from language texts, then handed to the owner-drawn menus.
#include "shell/menubar_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include "controls/ownermenu_win.h"

// One menu entry: a command with its language text, a separator (id 0), or
// a command with a fixed text. `flag` names the settings flag that checks it.
struct MenuEntry {
  int id;
  int text;
  const char* fixedText;
  const char* flag;
};

static const MenuEntry kFileItems[] = {
  {CMD_NOTEPAD, 51, NULL, NULL}, {CMD_OPEN_IN_NOTEPAD, 52, NULL, NULL}, {0, 0, NULL, NULL},
  {CMD_EXIT, 53, NULL, NULL},
};
static const MenuEntry kActionItems[] = {
  {CMD_PLAY, 55, NULL, NULL}, {0, 0, NULL, NULL}, {CMD_RESCAN, 56, NULL, NULL},
  {CMD_DELETE, 57, NULL, NULL}, {0, 0, NULL, NULL}, {CMD_WEB_SEARCH_GAME, 89, NULL, NULL},
  {CMD_WEB_SEARCH_BIOS, 90, NULL, NULL}, {0, 0, NULL, NULL}, {CMD_VERIFY_ROMS, 109, NULL, NULL},
};
static const MenuEntry kGamesItems[] = {
  {CMD_WEB_SEARCH_GAME, 107, NULL, NULL}, {0, 0, NULL, NULL}, {CMD_ADD_ARCHIVE, 108, NULL, NULL},
  {CMD_VERIFY_ROMS, 109, NULL, NULL}, {0, 0, NULL, NULL}, {CMD_START_EMULATOR, 110, NULL, NULL},
  {CMD_COMMAND_PROMPT, 58, NULL, NULL},
};
static const MenuEntry kOptionsItems[] = {
  {CMD_LANGUAGE, 0, "Lan&guage", NULL}, {0, 0, NULL, NULL}, {CMD_ONTOP, 61, NULL, "Ontop"},
  {CMD_MAGNET, 62, NULL, "Magnet"}, {CMD_TRANSPARENCY, 99, NULL, NULL}, {0, 0, NULL, NULL},
  {CMD_REMEMBER_SIZE, 63, NULL, "Size"}, {CMD_REMEMBER_POSITION, 64, NULL, "Position"},
};
static const MenuEntry kHelpItems[] = {
  {CMD_GAMELIST_DOC, 66, NULL, NULL}, {CMD_WINDOWS_NOTES, 67, NULL, NULL}, {0, 0, NULL, NULL},
  {CMD_HOME_PAGE, 68, NULL, NULL}, {CMD_WRITE_SUPPORT, 69, NULL, NULL}, {CMD_HOME_PAGE_2, 70, NULL, NULL},
  {0, 0, NULL, NULL}, {CMD_ABOUT, 71, NULL, NULL},
};

struct PopupEntry {
  int title;
  const char* caption;  // the band's text, fixed
  const MenuEntry* items;
  int count;
  UINT extraFlags;
};

#define ITEMS(a) a, (int)(sizeof a / sizeof a[0])
static const PopupEntry kPopups[] = {
  {50, "File", ITEMS(kFileItems), 0},
  {54, "Action", ITEMS(kActionItems), 0},
  {111, "Games", ITEMS(kGamesItems), 0},
  {59, "Options", ITEMS(kOptionsItems), 0},
  {65, "Help", ITEMS(kHelpItems), MF_RIGHTJUSTIFY},
};
#undef ITEMS
static const int kPopupCount = (int)(sizeof kPopups / sizeof kPopups[0]);

static void AppendEntry(HMENU popup, const MenuEntry& e) {
  if (e.id == 0) {
    AppendMenuA(popup, MF_SEPARATOR, 0, "");
    return;
  }
  UINT flags = MF_STRING;
  // Read at the moment of appending, as every setting is.
  if (e.flag && ReadSettingsInt(e.flag, 0) != 0) flags |= MF_CHECKED;
  AppendMenuA(popup, flags, (UINT_PTR)e.id, e.fixedText ? e.fixedText : GetLanguageString(e.text));
}

void BuildMenuBar() {
  HMENU bar = CreateMenu();
  if (!bar) return;
  for (int p = 0; p < kPopupCount; ++p) {
    const PopupEntry& entry = kPopups[p];
    HMENU popup = CreatePopupMenu();
    if (!popup) continue;
    AppendMenuA(bar, MF_POPUP | entry.extraFlags, (UINT_PTR)popup, GetLanguageString(entry.title));
    for (int i = 0; i < entry.count; ++i) AppendEntry(popup, entry.items[i]);
    // Greyed by command while only the Action popup holds 518: the Games copy stays usable.
    if (p == 1) EnableMenuItem(bar, CMD_WEB_SEARCH_GAME, MF_BYCOMMAND | MF_GRAYED);
  }
  g_mainMenu = bar;
  SetMenu(g_mainWindow, bar);
  for (int p = 0; p < kPopupCount; ++p) MakeOwnerDrawnMenu(GetSubMenu(bar, p), kPopups[p].caption);
}
