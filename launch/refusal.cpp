// The reasons of a refused start and the message that tells them.
#include "launch/refusal.h"
#include "shell/install_paths.h"
#include "shell/lang_text.h"
#include <cstring>

const RefusalReason kRefusalCaption = {122, "Game not started"};
const RefusalReason kRefusalIntro = {123, "The emulator did not start this game:"};
const RefusalReason kRefusalNoOptions = {127, "No options were given: check the emulator's own settings (mame.ini)."};
const RefusalReason kRefusalNotCounted = {129, "This start is not counted as played."};

bool IsRefusedStart(bool endedWithinWatch, unsigned long exitCode) { return endedWithinWatch && exitCode != 0; }

RefusalReason RefusalReasonFor(unsigned long exitCode) {
  switch (exitCode) {
    case kExitMissingFiles:
      return {124, "Some of its ROM files are missing or wrong. Verify the ROMs (menu Games) shows which ones."};
    case kExitNoSuchGame:
      return {125, "This emulator does not know the game. The game list may come from another version of the "
                   "emulator: make it again with mkgamelist.exe."};
    case kExitBadOption:
      return {126, "The emulator does not accept an option it was given. Check these on the Options page (the "
                   "ticked boxes and the free parameters):"};
    default:
      return {128, "The emulator stopped with code %d."};
  }
}

void ComposeRefusalMessage(char* out, size_t outSize, const RefusalTexts& texts, const char* gameName,
                           const char* shortName, unsigned long exitCode, const char* options, bool counted) {
  if (!out || outSize == 0) return;
  CopyText(out, outSize, texts.intro);
  // The list shows the document's name field, padded with blanks.
  char name[260];
  CopyText(name, sizeof name, gameName);
  for (size_t n = strlen(name); n > 0 && name[n - 1] == ' '; --n) name[n - 1] = 0;
  gameName = name;
  bool named = gameName[0], hasShort = shortName && shortName[0];
  if (named || hasShort) AppendText(out, outSize, "\n");
  if (named) AppendText(out, outSize, gameName);
  if (named && hasShort) AppendText(out, outSize, " (");
  if (hasShort) AppendText(out, outSize, shortName);
  if (named && hasShort) AppendText(out, outSize, ")");
  // Codes above 2^31 (a crash) are written as Windows shows them, negative.
  char reason[1024];
  FormatWithInteger(reason, sizeof reason, texts.reason, (long)(int)exitCode);
  AppendText(out, outSize, "\n\n");
  AppendText(out, outSize, reason);
  if (exitCode == kExitBadOption) {
    while (options && *options == ' ') ++options;
    AppendText(out, outSize, "\n");
    AppendText(out, outSize, options && *options ? options : texts.noOptions);
  }
  if (counted) {
    AppendText(out, outSize, "\n\n");
    AppendText(out, outSize, texts.notCounted);
  }
}
