// A refused game start: which ends count as refusals, and the message that
// tells the user which game did not start and why.
#include "tests/testkit/testkit.h"
#include "launch/refusal.h"
#include <string>

namespace {
const RefusalTexts kEnglish = {kRefusalIntro.english, nullptr, kRefusalNoOptions.english,
                               kRefusalNotCounted.english};

std::string Message(unsigned long code, const char* name, const char* shortName, const char* options, bool counted,
                    size_t size = 8192) {
  RefusalTexts texts = kEnglish;
  texts.reason = RefusalReasonFor(code).english;
  std::string out(size + 8, '#');
  ComposeRefusalMessage(&out[0], size, texts, name, shortName, code, options, counted);
  for (size_t i = size; i < out.size(); ++i) CHECK_EQ(out[i], '#');
  return std::string(out.c_str());
}
}  // namespace

TEST_CASE(only_a_non_zero_end_within_the_watch_is_a_refusal) {
  struct { bool ended; unsigned long code; bool refused; } rows[] = {
    {true, 0, false}, {true, 2, true}, {true, 6, true}, {true, 0xC0000005ul, true}, {false, 0, false}, {false, 3, false},
  };
  for (auto& r : rows) CHECK_EQ(IsRefusedStart(r.ended, r.code), r.refused);
}

TEST_CASE(each_code_has_its_reason) {
  struct { unsigned long code; int key; } rows[] = {{2, 124}, {5, 125}, {6, 126}, {1, 128}, {3, 128}, {4, 128}, {7, 128}};
  for (auto& r : rows) CHECK_EQ(RefusalReasonFor(r.code).key, r.key);
  CHECK_EQ(kRefusalCaption.key, 122);
  CHECK_EQ(kRefusalIntro.key, 123);
  CHECK_EQ(kRefusalNoOptions.key, 127);
  CHECK_EQ(kRefusalNotCounted.key, 129);
}

TEST_CASE(the_message_names_the_game_the_reason_and_what_to_check) {
  const std::string intro = "The emulator did not start this game:\n";
  const std::string notCounted = "\n\nThis start is not counted as played.";
  struct { unsigned long code; const char* name; const char* shortName; const char* options; bool counted;
           std::string want; } rows[] = {
    {2, "Donkey Kong (US set 1)            ", "dkong", " -window", true,
     intro + "Donkey Kong (US set 1) (dkong)\n\nSome of its ROM files are missing or wrong. Verify the ROMs (menu "
             "Games) shows which ones." + notCounted},
    {5, "Pac-Man", "pacman", "", true,
     intro + "Pac-Man (pacman)\n\nThis emulator does not know the game. The game list may come from another version "
             "of the emulator: make it again with mkgamelist.exe." + notCounted},
    {6, "Pong", "pong", " -nosound -window -rompath x", true,
     intro + "Pong (pong)\n\nThe emulator does not accept an option it was given. Check these on the Options page "
             "(the ticked boxes and the free parameters):\n-nosound -window -rompath x" + notCounted},
    {6, "Pong", "pong", "", false,
     intro + "Pong (pong)\n\nThe emulator does not accept an option it was given. Check these on the Options page "
             "(the ticked boxes and the free parameters):\nNo options were given: check the emulator's own settings "
             "(mame.ini)."},
    {3, "", "galaga", "", false, intro + "galaga\n\nThe emulator stopped with code 3."},
    {0xC0000005ul, "Galaga", "galaga", "", true,
     intro + "Galaga (galaga)\n\nThe emulator stopped with code -1073741819." + notCounted},
    {1, "", "", " -window", false, intro + "\nThe emulator stopped with code 1."},
  };
  for (auto& r : rows) CHECK_STR(Message(r.code, r.name, r.shortName, r.options, r.counted), r.want);
}

TEST_CASE(a_small_buffer_cuts_the_message_never_overruns) {
  std::string whole = Message(2, "Donkey Kong", "dkong", "", true);
  for (size_t size = 1; size < 40; ++size)
    CHECK_STR(Message(2, "Donkey Kong", "dkong", "", true, size), whole.substr(0, size - 1));
  // A translation whose reason holds another conversion is written as it stands.
  RefusalTexts texts = kEnglish;
  texts.reason = "code %s %d %d";
  char out[256];
  ComposeRefusalMessage(out, sizeof out, texts, "G", "g", 9, "", false);
  CHECK_STR(out, "The emulator did not start this game:\nG (g)\n\ncode %s 9 %d");
}
