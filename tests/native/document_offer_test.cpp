// The offer to make the game list: when it is made, the stamp of a "No", and
// what Vintor reads out of the tool's output.
#include "tests/testkit/testkit.h"
#include "catalogue/document_offer.h"
#include "catalogue/tool_output.h"
#include <algorithm>
#include <string>

static FileFacts File(unsigned long long size, unsigned long long time) {
  FileFacts f;
  f.present = true;
  f.size = size;
  f.writeTime = time;
  return f;
}

TEST_CASE(offer_only_with_tool_and_emulator_and_no_newer_document) {
  const FileFacts none, tool = File(90000, 50), mame = File(1234, 100);
  struct { const char* situation; FileFacts tool, emulator, document; const char* declined; bool offer; } rows[] = {
      {"no document", tool, mame, none, "", true},
      {"document older than the emulator", tool, mame, File(10, 99), "", true},
      {"document as old as the emulator", tool, mame, File(10, 100), "", false},
      {"document newer", tool, mame, File(10, 101), "", false},
      {"no tool", none, mame, none, "", false},
      {"no emulator", tool, none, none, "", false},
      {"neither", none, none, none, "", false},
      {"declined for this emulator", tool, mame, none, "1234 100", false},
      {"declined for an emulator of another size", tool, mame, none, "1235 100", true},
      {"declined for an emulator of another time", tool, mame, File(10, 99), "1234 101", true},
      {"a stamp with more after it is another stamp", tool, mame, none, "1234 1000", true},
      {"no declined text at all", tool, mame, none, nullptr, true},
  };
  for (auto& r : rows) {
    OfferFacts f;
    f.tool = r.tool;
    f.emulator = r.emulator;
    f.document = r.document;
    f.declined = r.declined;
    if (ShouldOfferDocument(f) != r.offer) testkit::Fail(__FILE__, __LINE__, r.situation);
  }
}

TEST_CASE(emulator_stamp_is_size_and_time_and_never_overruns) {
  char out[48];
  EmulatorStamp(File(0, 0), out, sizeof out);
  CHECK_STR(out, "0 0");
  EmulatorStamp(File(18446744073709551615ULL, 133457896543210000ULL), out, sizeof out);
  CHECK_STR(out, "18446744073709551615 133457896543210000");
  char small[7];
  memset(small, 'x', sizeof small);
  EmulatorStamp(File(1234, 5678), small, sizeof small);
  CHECK_STR(small, "1234 5");
  EmulatorStamp(File(1234, 5678), small, 1);
  CHECK_STR(small, "");
}

// Feeds the text in pieces of `piece` bytes, as a pipe may hand it over.
static ToolOutputReader Read(const std::string& text, size_t piece) {
  ToolOutputReader r;
  for (size_t at = 0; at < text.size(); at += piece) r.Feed(text.data() + at, std::min(piece, text.size() - at));
  r.Finish();
  return r;
}

TEST_CASE(tool_output_progress_and_reason_in_any_pieces) {
  std::string longReason = "mkgamelist: " + std::string(3000, 'y');
  struct { const char* situation; std::string text; long machines; std::string reason; } rows[] = {
      {"progress lines, the last counts", "progress: 100\nprogress: 200\nprogress: 300\n", 300, ""},
      {"a failure after progress", "progress: 100\r\nmkgamelist: mame.exe -listxml failed with exit code 1; "
       "nothing written.\r\n", 100, "mkgamelist: mame.exe -listxml failed with exit code 1; nothing written."},
      {"the last line without a line end", "progress: 100\nmkgamelist: cannot open x.", 100, "mkgamelist: cannot open x."},
      {"the first reason is the one", "mkgamelist: first\nmkgamelist: second\n", 0, "mkgamelist: first"},
      {"the emulator's own errors and the summary are not reasons",
       "Error: unknown option\nMachines read:  45294\nRows written:   33450 to x\n", 0, ""},
      {"a reason must begin the line", " mkgamelist: no\nsay mkgamelist: no\n", 0, ""},
      {"progress that is not a number", "progress: \nprogress: x1\nprogress: 12x\nprogress:5\n", 0, ""},
      {"progress too long to be true", "progress: 1234567890\n", 0, ""},
      {"progress with words after the number", "progress: 42 machines\n", 42, ""},
      {"control characters become blanks", "mkgamelist: a\tb\x01" "c\n", 0, "mkgamelist: a b c"},
      {"a carriage return alone ends a line", "progress: 7\rmkgamelist: gone\r", 7, "mkgamelist: gone"},
      {"a line longer than the buffer keeps its head", longReason + "\n", 0, longReason.substr(0, kToolLineSize - 1)},
  };
  for (auto& r : rows) {
    for (size_t piece : {(size_t)1, (size_t)3, (size_t)4096}) {
      ToolOutputReader out = Read(r.text, piece);
      if (out.machines() != r.machines || out.reason() != r.reason) {
        testkit::Fail(__FILE__, __LINE__, std::string(r.situation) + " (pieces of " + std::to_string(piece) +
                      "): " + std::to_string(out.machines()) + " " + testkit::Show(out.reason()));
      }
    }
  }
}
