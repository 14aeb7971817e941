// The offer, its answers and what follows them, on the user-interface thread.
// A "No" is remembered in OPTIONS/DeclinedEmulator as the emulator's stamp, so
// the question comes back only when mame.exe changes.
#include "catalogue/document_offer_win.h"
#include "catalogue/document_offer.h"
#include "catalogue/document_tool_win.h"
#include "catalogue/scan_win.h"
#include "shell/app_win.h"
#include "shell/lang_text.h"
#include "shell/settings_win.h"
#include "shell/statusbar_win.h"
#include <commctrl.h>
#include <cstring>

namespace {

const char kDeclinedKey[] = "DeclinedEmulator";
const char kQuestion[] =
    "Vintor has no list of the games that your emulator supports, or the list is older than mame.exe.~~"
    "Shall Vintor make it now? mkgamelist.exe asks mame.exe for its machines and writes the list into the docs "
    "folder. This takes about a minute; you can use Vintor meanwhile.";
const char kCaption[] = "Game list";
const char kProgress[] = "Making the game list; machines read: %d";
const char kSupported[] = "The game list is made. Supported games: %d";
const char kInstalled[] = "Installed games among them: %d";
const char kFailed[] = "The game list could not be made; the former one stays as it was.";
const char kNoReason[] = "mkgamelist.exe ended with exit code %d and gave no reason.";

bool ToolPath(char* out, size_t outSize) {
  static const char kTool[] = "\\mkgamelist.exe";
  if (strlen(g_paths.programFolder) + sizeof kTool > outSize) return false;  // a cut path could name another file
  CopyText(out, outSize, g_paths.programFolder);
  AppendText(out, outSize, kTool);
  return true;
}

FileFacts FactsOf(const char* path) {
  FileFacts f;
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &d) || (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return f;
  }
  f.present = true;
  f.size = ((unsigned long long)d.nFileSizeHigh << 32) | d.nFileSizeLow;
  f.writeTime = ((unsigned long long)d.ftLastWriteTime.dwHighDateTime << 32) | d.ftLastWriteTime.dwLowDateTime;
  return f;
}

// A language text with one number, into a buffer of the caller's.
void FormatText(char* out, size_t outSize, int key, const char* fallback, long value) {
  char format[1024];
  CopyText(format, sizeof format, GetLanguageString(key, fallback));
  FormatWithInteger(out, outSize, format, value);
}

int Ask(const char* text, UINT style) {
  char caption[1024];
  CopyText(caption, sizeof caption, GetLanguageString(114, kCaption));
  return MessageBoxA(g_mainWindow, text, caption, style);
}

void ShowProgress(long machines) {
  char text[1024];
  FormatText(text, sizeof text, 115, kProgress, machines);
  SetStatusText(text, 0);
}

void OfferDocument() {
  static bool decided;  // once per start
  if (decided) return;
  decided = true;
  char tool[kPathSize], declined[64];
  if (!ToolPath(tool, sizeof tool)) return;
  OfferFacts facts;
  facts.tool = FactsOf(tool);
  facts.emulator = FactsOf(g_paths.emulator);
  facts.document = FactsOf(g_paths.gameListDocument);
  ReadSettingsText(kDeclinedKey, "", declined, sizeof declined);
  facts.declined = declined;
  if (!ShouldOfferDocument(facts)) return;
  char question[1024];
  CopyText(question, sizeof question, GetLanguageString(113, kQuestion));
  if (Ask(question, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    char stamp[48];
    EmulatorStamp(facts.emulator, stamp, sizeof stamp);
    WriteSettingsText(kDeclinedKey, stamp);
    return;
  }
  ShowProgress(0);
  if (!StartDocumentTool(g_mainWindow, tool, g_paths.programFolder)) SetStatusText("", 0);
}

int ListCount(int id) { return (int)SendDlgItemMessageA(g_mainWindow, id, LVM_GETITEMCOUNT, 0, 0); }

void ShowFound() {
  char text[2100], second[1024];
  SetStatusText("", 0);  // the progress is over
  FormatText(text, sizeof text, 116, kSupported, ListCount(IDC_SUPPORTED_LIST));
  FormatText(second, sizeof second, 117, kInstalled, ListCount(IDC_INSTALLED_LIST));
  AppendText(text, sizeof text, "\n");
  AppendText(text, sizeof text, second);
  Ask(text, MB_OK | MB_ICONINFORMATION);
}

// The rescan runs on its own thread and fills the lists in slices; its end is
// looked for rather than announced, so that the scan need not know of us.
void CALLBACK WaitForRescan(HWND, UINT, UINT_PTR id, DWORD) {
  if (ScanInProgress()) return;
  KillTimer(NULL, id);
  ShowFound();
}

void ShowFailure(const ToolOutcome& outcome) {
  char text[2100], reason[kToolLineSize];
  SetStatusText("", 0);
  CopyText(text, sizeof text, GetLanguageString(118, kFailed));
  if (outcome.reason[0]) CopyText(reason, sizeof reason, outcome.reason);
  else FormatText(reason, sizeof reason, 119, kNoReason, (long)outcome.exitCode);
  AppendText(text, sizeof text, "\n\n");
  AppendText(text, sizeof text, reason);
  Ask(text, MB_OK | MB_ICONERROR);
}

void OnToolFinished(ToolOutcome* outcome) {
  if (outcome->started && outcome->exitCode == 0) {
    StartRescanThread();
    if (!SetTimer(NULL, 0, 100, WaitForRescan)) ShowFound();
  } else {
    ShowFailure(*outcome);
  }
  delete outcome;
}

}  // namespace

void PostDocumentOffer() { PostMessageA(g_mainWindow, WM_APP_DOCUMENT_TOOL, kDocumentOffer, 0); }

LRESULT HandleDocumentToolMessage(WPARAM wParam, LPARAM lParam) {
  switch (wParam) {
    case kDocumentOffer: OfferDocument(); break;
    case kToolProgress:  ShowProgress((long)lParam); break;
    case kToolFinished:  OnToolFinished((ToolOutcome*)lParam); break;
  }
  return 0;
}
