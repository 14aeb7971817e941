// The command handler: every menu item and command button ends here, by
// identifier; the notification code is ignored.
#include "shell/commands_win.h"
#include "shell/app_win.h"
#include "shell/settings_win.h"
#include "shell/system_text_win.h"
#include "shell/web_addresses.h"
#include "shell/window_behaviour_win.h"
#include "catalogue/listview_win.h"
#include "catalogue/row_file_win.h"
#include "catalogue/game_lists_win.h"
#include "catalogue/scan_win.h"
#include "catalogue/short_name.h"
#include "catalogue/sort_win.h"
#include "launch/launch_win.h"
#include "launch/options_win.h"
#include "decor/transparency_win.h"
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <direct.h>
#include <cstdio>
#include <cstring>

enum { kTextSize = 260 };

// Starts a program through the shell; nobody waits for it. Some shells refuse
// SEE_MASK_INVOKEIDLIST without an item list (ERROR_INVALID_PARAMETER): the
// first try is therefore silent and then the plain start is tried. Failures are
// not reported, as with every outside program.
static BOOL ShellStart(const char* program, const char* parameters, const char* verb, ULONG mask) {
  SHELLEXECUTEINFOA info;
  memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = mask;
  info.lpVerb = verb;
  info.lpFile = program;
  info.lpParameters = parameters;
  info.nShow = SW_SHOW;
  BOOL ok = ShellExecuteExA(&info);
  DWORD error = GetLastError();
  // The handle is asked for but never used: release it so each start does not leak one.
  if (info.hProcess) CloseHandle(info.hProcess);
  SetLastError(error);
  return ok;
}

BOOL RunProgram(const char* program, const char* parameters, const char* verb) {
  const ULONG mask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_INVOKEIDLIST;  // 0x4C
  if (ShellStart(program, parameters, verb, mask | SEE_MASK_FLAG_NO_UI)) return TRUE;
  if (GetLastError() != ERROR_INVALID_PARAMETER) return FALSE;
  return ShellStart(program, parameters, verb, SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI);
}

static void OpenAddress(const char* address) {
  ShellExecuteA(g_mainWindow, "open", address, "", "", SW_SHOW);
}

// An open-file dialog; returns 1 with the chosen path in `file`.
static int ChooseFile(HWND owner, const char* title, const char* filter, const char* folder, char* file,
                      DWORD size) {
  file[0] = 0;
  OPENFILENAMEA ofn;
  memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = owner;
  ofn.hInstance = g_instance;
  ofn.lpstrFilter = filter;
  ofn.lpstrFile = file;
  ofn.nMaxFile = size;
  ofn.lpstrInitialDir = folder;
  ofn.lpstrTitle = title;
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  GetOpenFileNameA(&ofn);
  file[size - 1] = 0;
  return file[0] != 0;
}

static void ProgramFolderFile(const char* tail, char* out, size_t size) {
  CopyText(out, size, g_paths.programFolder);
  AppendText(out, size, tail);
}

static void OpenInNotepad() {
  static const char filter[] = "All Files (*.*)\0*.*\0EXE Files (*.EXE)\0*.exe\0COM Files (*.COM)\0*.com\0";
  char title[kTextSize], file[kTextSize];
  CopyText(title, sizeof title, GetLanguageString(5));
  if (ChooseFile(g_mainWindow, title, filter, "c:\\", file, sizeof file)) RunProgram("notepad.exe", file, NULL);
}

// Texts that older language files lack.
const char kAlreadyThereText[] = "The ROM folder already holds a file of this name, so nothing was copied:";
const char kReplaceHowText[] =
    "To replace that file, delete it first (Delete, on the Installed or Other files page), then add the archive "
    "again.";
const char kNotCopiedText[] = "The archive could not be copied into the ROM folder:";

// Why an archive was not added: the name taken, or the system's reason.
static void TellArchiveNotAdded(const char* file, DWORD error) {
  char caption[kTextSize], text[2048], part[1024];
  CopyText(caption, sizeof caption, GetLanguageString(106));
  bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
  CopyText(text, sizeof text, taken ? GetLanguageString(140, kAlreadyThereText) : GetLanguageString(142, kNotCopiedText));
  AppendText(text, sizeof text, "\n");
  AppendText(text, sizeof text, taken ? FileNameOfPath(file) : file);
  AppendText(text, sizeof text, "\n\n");
  if (taken) CopyText(part, sizeof part, GetLanguageString(141, kReplaceHowText));
  else SystemErrorText(error, part, sizeof part);
  if (!part[0]) snprintf(part, sizeof part, "Error %lu.", (unsigned long)error);
  AppendText(text, sizeof text, part);
  MessageBoxA(g_mainWindow, text, caption, taken ? MB_ICONINFORMATION : MB_ICONWARNING);
}

// Add a ROM archive (521): copies the chosen file into roms\ under its own
// name, never over a file that is there, says when nothing was copied and
// why, and rescans in any case.
static void AddRomArchive() {
  static const char filter[] = "All Files (*.*)\0*.*\0Zip Files (*.zip)\0*.zip\0";
  char title[kTextSize], file[kTextSize], target[kTextSize];
  CopyText(title, sizeof title, GetLanguageString(106));
  if (!ChooseFile(g_mainWindow, title, filter, NULL, file, sizeof file)) return;
  DWORD error = ERROR_FILENAME_EXCED_RANGE;
  bool copied = JoinFolderAndName(g_paths.romFolder, FileNameOfPath(file), target, sizeof target) &&
                CopyFileA(file, target, TRUE);
  if (!copied && target[0]) error = GetLastError();
  StartRescanThread();
  if (!copied) TellArchiveNotAdded(file, error);
}

static void SearchWebForRom() {
  HWND list = MainList(IDC_SUPPORTED_LIST);
  int item = GetNextListItem(list, LVNI_FOCUSED | LVNI_SELECTED);
  if (item < 0) item = 0;
  char field[kTextSize], shortName[kTextSize], address[kAddressSize];
  GetListText(list, item, 6, field, sizeof field);
  ShortNameFromDocumentField(field, shortName, sizeof shortName);
  ComposeRomSearchAddress(shortName, address, sizeof address);
  OpenAddress(address);
}

static void SearchWebForBios() {
  char address[kAddressSize];
  ComposeBiosSearchAddress(address, sizeof address);
  OpenAddress(address);
}

// The file a row of the Delete pages stands for: on page 0 the row's own file
// (archive of any kind or folder), on page 2 the path in column 3.
static void RowFileOfPage(HWND list, int page, int item, char* path, size_t size) {
  if (page == 0) GetRowFile(list, item, path, size);
  else GetListText(list, item, 3, path, (int)size);
}

// The row that stands for `path`, looked for at `item` first; -1 when none does.
static int FindRowOfFile(HWND list, int page, int item, const char* path) {
  char other[kTextSize];
  RowFileOfPage(list, page, item, other, sizeof other);
  if (lstrcmpiA(other, path) == 0) return item;
  for (int i = GetListCount(list) - 1; i >= 0; --i) {
    RowFileOfPage(list, page, i, other, sizeof other);
    if (lstrcmpiA(other, path) == 0) return i;
  }
  return -1;
}

// Delete (505): asks, moves the row's file to the recycle bin, and only then
// drops its row, so the list never claims a file is gone that is still there.
// While a scan replaces the rows (its button is grey then) it does nothing.
const char kNotRecycledText[] = "The file could not be moved to the recycle bin and stays where it is:";
const char kNotRecycledWhyText[] = "It may be in use, by a running game for instance, or write-protected.";

// The row stays; without a word the user would think the file gone.
static void TellNotRecycled(HWND window, const char* path) {
  char caption[kTextSize], text[1024];
  CopyText(caption, sizeof caption, GetLanguageString(10));
  CopyText(text, sizeof text, GetLanguageString(143, kNotRecycledText));
  AppendText(text, sizeof text, "\n");
  AppendText(text, sizeof text, FileNameOfPath(path));  // the stored path is in short form
  AppendText(text, sizeof text, "\n\n");
  AppendText(text, sizeof text, GetLanguageString(144, kNotRecycledWhyText));
  MessageBoxA(window, text, caption, MB_ICONWARNING);
}

static void DeleteSelectedArchive(HWND window) {
  int page = (int)SendMessageA(GetDlgItem(window, IDC_TABS), TCM_GETCURSEL, 0, 0);
  if (page != 0 && page != 2) return;
  if (ScanInProgress()) return;
  HWND list = MainList(page == 0 ? IDC_INSTALLED_LIST : IDC_OTHER_LIST);
  if (GetListCount(list) <= 0) return;  // nothing to ask about
  char caption[kTextSize], question[kTextSize], name[kTextSize], path[kTextSize + 2];
  CopyText(caption, sizeof caption, GetLanguageString(10));
  CopyText(question, sizeof question, GetLanguageString(11));
  int item = GetNextListItem(list, LVNI_FOCUSED | LVNI_SELECTED);
  if (item < 0) item = 0;
  RowFileOfPage(list, page, item, path, kTextSize);
  if (!path[0]) return;
  if (page == 0) CopyText(name, sizeof name, FileNameOfPath(path));
  else GetListText(list, item, 1, name, sizeof name);
  AppendText(question, sizeof question, name);
  AppendText(question, sizeof question, GetLanguageString(12));
  if (MessageBoxA(window, question, caption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // The question lets messages through: a rescan may have replaced the rows.
  // Act on the row that stands for the named file, or on nothing.
  if (ScanInProgress()) return;
  item = FindRowOfFile(list, page, item, path);
  if (item < 0) return;

  size_t n = strlen(path);
  path[n + 1] = 0;  // the list of paths ends in a second terminator
  SHFILEOPSTRUCTA op;
  memset(&op, 0, sizeof op);
  op.wFunc = FO_DELETE;
  op.pFrom = path;
  op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI;
  bool done = SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
  bool stays = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
  if (done && !stays) SendMessageA(list, LVM_DELETEITEM, (WPARAM)item, 0);
  else if (stays) TellNotRecycled(window, path);

  UpdateListCounters();
  BOOL left = GetListCount(list) > 0;
  EnableWindow(GetDlgItem(window, CMD_DELETE), left);
  if (page == 0) EnableWindow(GetDlgItem(window, CMD_PLAY), left);
}

static void ShowAbout(HWND window) {
  MSGBOXPARAMSA box;
  memset(&box, 0, sizeof box);
  box.cbSize = sizeof box;
  box.hwndOwner = window;
  box.hInstance = g_instance;
  box.lpszText =
      "Vintor 2009\r\nA front end for the MAME arcade emulator.\r\n\r\n"
      "Written by the Vintor developers.";
  box.lpszCaption = "About Vintor 2009";
  box.dwStyle = MB_USERICON | MB_TOPMOST;
  box.lpszIcon = MAKEINTRESOURCEA(IDI_PROGRAM);
  MessageBoxIndirectA(&box);
}

static void SaveOptionsInBackground() {
  DWORD id;
  HANDLE thread = CreateThread(NULL, 0, SaveEmulatorOptions, NULL, 0, &id);
  if (thread) CloseHandle(thread);  // the thread runs on; only our handle goes
}

static void StartInProgramFolder(const char* program) {
  _chdir(g_paths.programFolder);
  if (strcmp(program, "language.exe") == 0) {
    WinExec(program, SW_SHOW);
  } else {
    RunProgram(program, NULL, NULL);
  }
}

static void RunNotepadOn(const char* tail) {
  char path[kTextSize];
  ProgramFolderFile(tail, path, sizeof path);
  RunProgram("notepad.exe", path, NULL);
}

void HandleCommand(HWND window, int id, HWND, int) {
  switch (id) {
    case CMD_EXIT:                 PostMessageA(window, WM_CLOSE, 0, 0); break;
    case CMD_NOTEPAD:              RunProgram("notepad.exe", NULL, NULL); break;
    case CMD_OPEN_IN_NOTEPAD:      OpenInNotepad(); break;
    case CMD_PLAY:                 StartGame(GetNextListItem(MainList(IDC_INSTALLED_LIST), LVNI_FOCUSED | LVNI_SELECTED)); break;
    case CMD_RESCAN:               StartRescanThread(); break;
    case CMD_DELETE:               DeleteSelectedArchive(window); break;
    case CMD_COMMAND_PROMPT:       StartInProgramFolder("command.com"); break;
    case CMD_LANGUAGE:             StartInProgramFolder("language.exe"); break;
    case CMD_ONTOP:                ToggleSettingsFlag(CMD_ONTOP, "Ontop"); ApplyOntop(); break;
    case CMD_MAGNET:               ToggleSettingsFlag(CMD_MAGNET, "Magnet"); break;
    case CMD_REMEMBER_SIZE:        ToggleSettingsFlag(CMD_REMEMBER_SIZE, "Size"); break;
    case CMD_REMEMBER_POSITION:    ToggleSettingsFlag(CMD_REMEMBER_POSITION, "Position"); break;
    case CMD_GAMELIST_DOC:         RunProgram("notepad.exe", g_paths.gameListDocument, NULL); break;
    case CMD_WINDOWS_NOTES:        RunNotepadOn("\\docs\\windows.txt"); break;
    case CMD_HOME_PAGE:
    case CMD_HOME_PAGE_2:
    case CMD_HOME_PAGE_BUTTON:     OpenAddress(kHomePageAddress); break;
    case CMD_WRITE_SUPPORT:
    case CMD_WRITE_SUPPORT_BUTTON: OpenAddress(kSupportAddress); break;
    case CMD_ABOUT:                ShowAbout(window); break;
    case CMD_WEB_SEARCH_GAME:      SearchWebForRom(); break;
    case CMD_WEB_SEARCH_BIOS:      SearchWebForBios(); break;
    case CMD_TRANSPARENCY:         ShowTransparencyDialog(); break;
    case CMD_ADD_ARCHIVE:          AddRomArchive(); break;
    case CMD_VERIFY_ROMS:          VerifyRoms(); break;
    case CMD_START_EMULATOR:       StartEmulatorAlone(); break;
    case CMD_SEARCH:               ShowSearchDialog(); break;
    case CMD_MANUAL:               RunNotepadOn("\\docs\\vintor-eng.txt"); break;
    case CMD_SAVE_OPTIONS:         SaveOptionsInBackground(); break;
  }
}
