// Identifiers of the main window's controls, of the commands and of the
// resources; shared by every subsystem and by the tests.
#pragma once

// Child controls of the main window.
enum ControlId {
  IDC_TABS = 301,
  IDC_SUPPORTED_LIST = 302,
  IDC_PREVIEW_FRAME = 303,
  IDC_INSTALLED_LIST = 305,
  IDC_OTHER_LIST = 306,
  IDC_WINDOWS_NOTES = 307,
  IDC_OPTIONS_PAGE_FRAME = 308,
  IDC_MANUAL_PAGE = 309,
  IDC_MAME_NOTES = 310,
  IDC_PREVIEW = 311,
  IDC_GAME_INFO = 318,
  IDC_OPTIONS_FRAME = 319,
  IDC_COMMAND_LINE = 322,
  IDC_OPTION_FIRST = 324,  // 324 to 332: Option_1 to Option_9
  IDC_OPTION_LAST = 332,
  IDC_BANNER_LEFT = 334,
  IDC_BANNER_MIDDLE = 335,
  IDC_BANNER_RIGHT = 336,
  IDC_BANNER = 337,
  IDC_STATUS_BAR = 3000,
};

// Commands (menu items and command buttons share these).
enum CommandId {
  CMD_SAVE_OPTIONS = 321,
  CMD_EXIT = 500,
  CMD_NOTEPAD = 501,
  CMD_OPEN_IN_NOTEPAD = 502,
  CMD_PLAY = 503,
  CMD_RESCAN = 504,
  CMD_DELETE = 505,
  CMD_COMMAND_PROMPT = 506,
  CMD_LANGUAGE = 507,
  CMD_ONTOP = 508,
  CMD_MAGNET = 509,
  CMD_REMEMBER_SIZE = 510,
  CMD_REMEMBER_POSITION = 511,
  CMD_GAMELIST_DOC = 512,
  CMD_WINDOWS_NOTES = 513,
  CMD_HOME_PAGE = 514,
  CMD_WRITE_SUPPORT = 515,
  CMD_ABOUT = 516,
  CMD_HOME_PAGE_2 = 517,
  CMD_WEB_SEARCH_GAME = 518,
  CMD_WEB_SEARCH_BIOS = 519,
  CMD_TRANSPARENCY = 520,
  CMD_ADD_ARCHIVE = 521,
  CMD_VERIFY_ROMS = 522,
  CMD_START_EMULATOR = 523,
  CMD_WRITE_SUPPORT_BUTTON = 524,
  CMD_HOME_PAGE_BUTTON = 525,
  CMD_SEARCH = 526,
  CMD_MANUAL = 531,
};

// Resources.
enum ResourceId {
  IDI_PROGRAM = 304,
  IDI_OTHER_FILE = 316,
  IDI_SUPPORTED_GAME = 317,
  IDB_SPLASH = 333,
  IDB_BANNER_LEFT = 334,
  IDB_BANNER_MIDDLE = 335,
  IDB_BANNER_RIGHT = 336,
  IDI_PLAY = 338,
  IDI_DELETE = 339,
  IDI_RESCAN = 340,
  IDI_SEARCH = 341,
  IDI_WEB = 342,
  IDI_MAIL = 343,
  IDI_TAB = 550,
  IDR_ACCELERATORS = 10000,
};

// Dialog controls.
enum DialogControlId {
  IDC_SEARCH_TEXT = 344,
  IDC_SEARCH_GROUP = 345,
  IDC_ADVICE_SEPARATOR = 402,
  IDC_TRANSPARENT_SEPARATOR = 444,
  IDC_TRANSPARENT_GAUGE = 527,
  IDC_TRANSPARENT_SLIDER = 528,
  IDC_ADVICE_TEXT = 529,
  IDC_ADVICE_LINK = 530,
};

// Private messages of the main window (WM_APP = 0x8000).
enum PrivateMessage {
  WM_APP_SCAN_RESULT = 0x8000 + 1,  // a rescan thread hands its results to the UI thread
  WM_APP_START_REFUSED = 0x8000 + 2,  // a watched game start ended at once with an error code
  WM_APP_DOCUMENT_TOOL = 0x8000 + 3,  // the offer to make the game list, and the tool's progress and end
};

// The resource compiler does not see enums: without these the resources above
// would be named by their texts ("IDB_SPLASH") instead of their numbers.
#ifdef RC_INVOKED
#define IDI_PROGRAM 304
#define IDI_OTHER_FILE 316
#define IDI_SUPPORTED_GAME 317
#define IDB_SPLASH 333
#define IDB_BANNER_LEFT 334
#define IDB_BANNER_MIDDLE 335
#define IDB_BANNER_RIGHT 336
#define IDI_PLAY 338
#define IDI_DELETE 339
#define IDI_RESCAN 340
#define IDI_SEARCH 341
#define IDI_WEB 342
#define IDI_MAIL 343
#define IDI_TAB 550
#define IDC_SEARCH_TEXT 344
#define IDC_SEARCH_GROUP 345
#define IDC_ADVICE_SEPARATOR 402
#define IDC_TRANSPARENT_SEPARATOR 444
#define IDC_TRANSPARENT_GAUGE 527
#define IDC_TRANSPARENT_SLIDER 528
#define IDC_ADVICE_TEXT 529
#define IDC_ADVICE_LINK 530
#endif
