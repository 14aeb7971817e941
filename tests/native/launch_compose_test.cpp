// The emulator's parameter text, the counter path and the names cmd may get.
#include "tests/testkit/testkit.h"
#include "launch/cmd_safe.h"
#include "launch/compose.h"
#include "launch/switch_record.h"
#include "shell/install_paths.h"
#include <climits>
#include <map>
#include <vector>
#include <string>

namespace {
// A settings file of the test's own: missing keys give 0 and "".
struct Stored {
  std::map<std::string, std::string> keys;
  static int ReadInt(void* c, const char* key) {
    auto& k = static_cast<Stored*>(c)->keys;
    auto it = k.find(key);
    return it == k.end() ? 0 : atoi(it->second.c_str());
  }
  static void ReadText(void* c, const char* key, char* out, size_t size) {
    auto& k = static_cast<Stored*>(c)->keys;
    auto it = k.find(key);
    CopyText(out, size, it == k.end() ? "" : it->second.c_str());
  }
  OptionsReader reader() { return OptionsReader{ReadInt, ReadText, this}; }
};

std::string Compose(const char* shortName, Stored& s, size_t size = kLaunchBufferSize,
                    const SwitchRecord* record = nullptr) {
  std::string buffer(size + 16, '#');  // guard bytes after the buffer
  CopyText(&buffer[0], size, shortName);
  AppendOptionsText(&buffer[0], size, s.reader(), record);
  for (size_t i = size; i < buffer.size(); ++i) CHECK_EQ(buffer[i], '#');
  return std::string(buffer.c_str());
}
}  // namespace

TEST_CASE(option_combinations) {
  struct { std::map<std::string, std::string> keys; const char* want; } rows[] = {
    {{}, "samplegm"},
    {{{"Option_2", "1"}, {"Option_5", "1"}}, "samplegm -window -skip_gameinfo"},
    {{{"Option_5", "1"}, {"Option_2", "1"}}, "samplegm -window -skip_gameinfo"},
    {{{"Option_7", "2"}}, "samplegm -sl"},
    {{{"Option_1", "-1"}, {"Option_9", "18"}}, "samplegm -nosound -triplebuffer"},
    {{{"Option_3", "0"}, {"Option_4", "abc"}}, "samplegm"},
    {{{"CommandLine", "-rompath c:\\x"}}, "samplegm -rompath c:\\x"},
    {{{"Option_2", "1"}, {"CommandLine", "-nothrottle"}}, "samplegm -window -nothrottle"},
    {{{"CommandLine", ""}}, "samplegm"},
    {{{"CommandLine", " two  blanks "}}, "samplegm  two  blanks "},
    {{{"Option_1", "1"}, {"Option_2", "1"}, {"Option_3", "1"}, {"Option_4", "1"}, {"Option_5", "1"},
      {"Option_6", "1"}, {"Option_7", "1"}, {"Option_8", "1"}, {"Option_9", "1"}},
     "samplegm -nosound -window -mouse -joystick -skip_gameinfo -high_priority -sl -matchrefresh -triplebuffer"},
  };
  for (auto& r : rows) {
    Stored s{r.keys};
    CHECK_STR(Compose("samplegm", s), r.want);
  }
  // Play with nothing selected: the options alone.
  Stored s{{{"Option_2", "1"}}};
  CHECK_STR(Compose("", s), " -window");
}

TEST_CASE(switch_texts_all_begin_with_a_blank) {
  size_t total = 0;
  for (int n = 1; n <= kOptionCount; ++n) {
    CHECK_EQ(OptionSwitch(n)[0], ' ');
    CHECK_STR(OptionKey(n), "Option_" + std::to_string(n));
    total += strlen(OptionSwitch(n));
  }
  CHECK_EQ(total, (size_t)96);
  CHECK_STR(OptionKey(0), "");
  CHECK_STR(OptionSwitch(10), "");
}

TEST_CASE(longest_composition_fits_the_launch_buffer) {
  Stored s;
  for (int n = 1; n <= kOptionCount; ++n) s.keys[OptionKey(n)] = "1";
  std::string text(1023, 'c');
  s.keys["CommandLine"] = text;
  std::string name(259, 'n');
  std::string got = Compose(name.c_str(), s);
  CHECK_EQ(got.size() + 1, (size_t)1380);
  CHECK_EQ(got.substr(got.size() - 1024), " " + text);
  // A reader that would hand more than 1023 characters is held to the field.
  s.keys["CommandLine"] = std::string(3000, 'x');
  got = Compose(name.c_str(), s);
  CHECK_EQ(got.size(), (size_t)(259 + 96 + 1 + 1023));
}

TEST_CASE(small_buffers_are_cut_never_overrun) {
  Stored s{{{"Option_2", "1"}, {"Option_5", "1"}, {"CommandLine", "-free"}}};
  const char* full = "samplegm -window -skip_gameinfo -free";
  for (size_t size = 1; size <= strlen(full) + 2; ++size)
    CHECK_STR(Compose("samplegm", s, size), std::string(full).substr(0, size - 1));
  // A buffer that arrives unterminated is terminated, not read beyond.
  char raw[8];
  memset(raw, 'z', sizeof raw);
  AppendOptionsText(raw, sizeof raw, s.reader());
  CHECK_EQ(raw[7], '\0');
}

// A record as mkgamelist.exe writes it, one value per box.
SwitchRecord Recorded(const std::vector<const char*>& values) {
  SwitchRecord r;
  for (int n = 1; n <= kOptionCount; ++n) ReadRecordedSwitch(&r, n, n <= (int)values.size() ? values[n - 1] : nullptr);
  return r;
}

Stored AllTicked(const char* commandLine) {
  Stored s;
  for (int n = 1; n <= kOptionCount; ++n) s.keys[OptionKey(n)] = "1";
  s.keys["CommandLine"] = commandLine;
  return s;
}

TEST_CASE(a_record_of_every_box_as_it_stands_composes_as_without_one) {
  SwitchRecord same;
  SetSwitchesAsTheyStand(&same);
  SwitchRecord empty = Recorded({});  // the section missing: every key missing
  for (unsigned boxes = 0; boxes < (1u << kOptionCount); ++boxes) {
    Stored s{{{"CommandLine", "-free"}}};
    for (int n = 1; n <= kOptionCount; ++n)
      if (boxes & (1u << (n - 1))) s.keys[OptionKey(n)] = "1";
    std::string classic = Compose("samplegm", s);
    CHECK_STR(Compose("samplegm", s, kLaunchBufferSize, &same), classic);
    CHECK_STR(Compose("samplegm", s, kLaunchBufferSize, &empty), classic);
  }
}

TEST_CASE(recorded_switches_replace_or_leave_out_the_boxes_own) {
  struct { std::vector<const char*> values; const char* want; } rows[] = {
    // 0.251 for Linux: no -priority, no -triplebuffer.
    {{"-sound none", "-window", "-mouse", "-joystick", "-skip_gameinfo", "unsupported", "unsupported", "unsupported",
      "unsupported"},
     "pong -sound none -window -mouse -joystick -skip_gameinfo -free"},
    // 0.251 for Windows.
    {{"-sound none", "-window", "-mouse", "-joystick", "-skip_gameinfo", "-priority 1", "unsupported", "unsupported",
      "-triplebuffer"},
     "pong -sound none -window -mouse -joystick -skip_gameinfo -priority 1 -triplebuffer -free"},
    // Written by hand: case and blanks around the word, a missing key, values that are no switch.
    {{" UNSUPPORTED ", nullptr, "", "joystick", "-skip_gameinfo ", "-priority \"1\"", "-sl\t",
      "-abcdefghijklmnopqrstuv" /* 23: the longest */, "-abcdefghijklmnopqrstuvw" /* 24: too long */},
     "pong -window -mouse -joystick -skip_gameinfo -high_priority -sl -abcdefghijklmnopqrstuv -triplebuffer -free"},
  };
  for (auto& r : rows) {
    SwitchRecord record = Recorded(r.values);
    Stored s = AllTicked("-free");
    CHECK_STR(Compose("pong", s, kLaunchBufferSize, &record), r.want);
  }
  // Unticked boxes give nothing, recorded or not.
  SwitchRecord record = Recorded({"-sound none"});
  Stored s{{{"Option_1", "0"}, {"Option_2", "1"}}};
  CHECK_STR(Compose("pong", s, kLaunchBufferSize, &record), "pong -window");
}

TEST_CASE(record_values_read_back_as_written) {
  const char* values[] = {"-sound none", "-window", "unsupported", "-joystick", "-skip_gameinfo", "-priority 1",
                          "unsupported", "-matchrefresh", "unsupported"};
  SwitchRecord record = Recorded(std::vector<const char*>(values, values + kOptionCount));
  SwitchState states[] = {kSwitchReplaced,  kSwitchAsItStands, kSwitchUnsupported, kSwitchAsItStands,
                          kSwitchAsItStands, kSwitchReplaced,  kSwitchUnsupported, kSwitchAsItStands,
                          kSwitchUnsupported};
  for (int n = 1; n <= kOptionCount; ++n) {
    char value[64];
    RecordedSwitchValue(record, n, value, sizeof value);
    CHECK_STR(value, values[n - 1]);
    CHECK_EQ((int)RecordedSwitchState(record, n), (int)states[n - 1]);
  }
}

// Nine recorded switches of the longest kind, the longest short name and free text.
TEST_CASE(longest_composition_with_a_record_fits_the_launch_buffer) {
  std::string longest = "-" + std::string(kSwitchTextSize - 3, 's');
  std::vector<const char*> values(kOptionCount, longest.c_str());
  SwitchRecord record = Recorded(values);
  std::string text(1023, 'c');
  Stored s = AllTicked(text.c_str());
  std::string name(259, 'n');
  std::string got = Compose(name.c_str(), s, kLaunchBufferSize, &record);
  CHECK_EQ(got.size() + 1, (size_t)kLaunchBufferSize);
  CHECK_EQ(got.substr(got.size() - 1024), " " + text);  // nothing cut
}

TEST_CASE(counter_path_is_whole_or_nothing) {
  char out[260];
  CHECK(CounterFilePath("C:\\V\\winis\\", "pacman", out, sizeof out));
  CHECK_STR(out, "C:\\V\\winis\\pacman.ini");
  CHECK(!CounterFilePath("C:\\V\\winis\\", "", out, sizeof out));  // no game, no counter file
  CHECK_STR(out, "");
  CHECK(!CounterFilePath("C:\\V\\winis\\", NULL, out, sizeof out));
  std::string folder(250, 'f');
  CHECK(CounterFilePath(folder.c_str(), "abcde", out, sizeof out));  // 259 characters
  CHECK(!CounterFilePath(folder.c_str(), "abcdef", out, sizeof out));
  CHECK_STR(out, "");
}

TEST_CASE(run_count_goes_up_by_one_and_stops_at_the_top) {
  struct { int stored, want; } rows[] = {{0, 1}, {41, 42}, {-5, -4}, {-1, 0}, {INT_MAX - 1, INT_MAX}, {INT_MAX, INT_MAX}};
  for (auto& r : rows) CHECK_EQ(NextRunCount(r.stored), r.want);
  // A start taken back: one less, so that an overlapping start stays counted.
  struct { int count, want; } back[] = {{42, 41}, {1, 0}, {0, -1}, {-4, -5}, {INT_MAX, INT_MAX - 1}, {INT_MIN, INT_MIN}};
  for (auto& r : back) CHECK_EQ(PreviousRunCount(r.count), r.want);
}

TEST_CASE(verify_parameters_byte_for_byte) {
  struct { const char* name; const char* want; } rows[] = {
    {"pacman", "/k \"mame.exe\" -verifyroms pacman"},
    {"", "/k \"mame.exe\" -verifyroms "},
    {"sf2_ce.v2", "/k \"mame.exe\" -verifyroms sf2_ce.v2"},
    {"two words", "/k \"mame.exe\" -verifyroms two words"},
    {"a-b,c;d=e+f[g]{h}~'$#@", "/k \"mame.exe\" -verifyroms a-b,c;d=e+f[g]{h}~'$#@"},
    {"caf\xe9", "/k \"mame.exe\" -verifyroms caf\xe9"},
  };
  char out[1024];
  for (auto& r : rows) {
    CHECK(ComposeVerifyParameters(r.name, out, sizeof out));
    CHECK_STR(out, r.want);
  }
  std::string longest(259, 'n');
  CHECK(ComposeVerifyParameters(longest.c_str(), out, sizeof out));
  CHECK_EQ(strlen(out), (size_t)(26 + 259));
  CHECK(!ComposeVerifyParameters("pacman", out, 20));
  CHECK_STR(out, "");
}

TEST_CASE(names_cmd_would_act_on_are_refused) {
  const char* bad[] = {"a&calc", "a|more", "a<in", "a>out", "a^b", "%PATH%", "a!x!", "a\"b", "a(b", "a)b",
                       "a\r\nb", "a\tb", "&&", "x\x7f"};
  char out[1024];
  for (const char* name : bad) {
    CHECK(!IsCmdSafeName(name));
    out[0] = 'x';
    CHECK(!ComposeVerifyParameters(name, out, sizeof out));
    CHECK_STR(out, "");
  }
  CHECK(IsCmdSafeName(""));
  CHECK(IsCmdSafeName(nullptr));
}
