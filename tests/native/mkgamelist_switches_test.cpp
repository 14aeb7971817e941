// The switch record mkgamelist.exe makes from an emulator's usage text, for
// today's emulators and older ones, and checked against the real emulator:
// each recorded switch alone and all of them together must be accepted.
#include "tests/testkit/testkit.h"
#include "companions/mkgamelist/usage_switches.h"
#include "launch/switch_record.h"
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> RecordOf(const std::string& usage) {
  SwitchRecord record;
  RecordSwitchesFromUsage(usage.data(), usage.size(), &record);
  std::vector<std::string> values;
  for (int n = 1; n <= kOptionCount; ++n) {
    char value[64];
    RecordedSwitchValue(record, n, value, sizeof value);
    values.push_back(value);
  }
  return values;
}

std::string Joined(const std::vector<std::string>& values) {
  std::string s;
  for (const std::string& v : values) s += (s.empty() ? "" : " | ") + v;
  return s;
}

const char* RealEmulator() {
  const char* real = getenv("VINTOR_REAL_MAME");
  return real && *real ? real : "/usr/games/mame";
}

// The emulator's output for `arguments`, and its exit code.
std::string RunEmulator(const std::string& arguments, int* code) {
  std::string command = std::string("'") + RealEmulator() + "' " + arguments + " 2>/dev/null";
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  int status = pclose(pipe);
  *code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

}  // namespace

TEST_CASE(record_from_usage_texts_of_several_emulators) {
  const std::string u = "unsupported";
  struct { const char* what; std::string usage; std::vector<std::string> want; } rows[] = {
    {"0.251 for Linux (SDL)",
     "-sleep               enable sleeping, which gives time back to other applications when idle\n"
     "-mouse               enable mouse input\n-joystick            enable joystick input\n"
     "-skip_gameinfo       skip displaying the system information screen at startup\n"
     "-window              enable window mode; otherwise, full screen mode is assumed\n"
     "-sound               sound output method: sdl, portaudio, pulse or none\n",
     {"-sound none", "-window", "-mouse", "-joystick", "-skip_gameinfo", u, u, u, u}},
    {"0.251 for Windows",
     "-window              enable window mode; otherwise, full screen mode is assumed\r\n"
     "-mouse               enable mouse input\r\n-joystick            enable joystick input\r\n"
     "-skip_gameinfo       skip displaying the system information screen at startup\r\n"
     "-priority            thread priority for the main game thread; range from -15 to 1\r\n"
     "-triplebuffer        enable triple buffering\r\n"
     "-sound               sound output method: dsound, xaudio2, portaudio or none\r\n",
     {"-sound none", "-window", "-mouse", "-joystick", "-skip_gameinfo", "-priority 1", u, u, "-triplebuffer"}},
    {"a true/false -sound (about 0.140): -no works before it",
     "-sound                           enable sound output\n-window                          enable window mode\n"
     "-priority                        thread priority for the main game thread\n",
     {"-nosound", "-window", u, u, u, "-priority 1", u, u, u}},
    {"older emulators write true/false switches as -[no]name",
     "-[no]sound                 enable/disable sound\n-[no]window / -[no]w       run in a window\n"
     "-[no]mouse                 use the mouse\n-[no]joystick / -[no]joy   use a joystick\n"
     "-[no]skip_gameinfo         skip the game info screen\n-[no]high_priority         raise the priority\n"
     "-[no]scanlines / -[no]sl   show scanlines\n-[no]matchrefresh          match the refresh rate\n"
     "-[no]triplebuffer / -[no]tb  triple buffering\n",
     {"-nosound", "-window", "-mouse", "-joystick", "-skip_gameinfo", "-high_priority", "-sl", "-matchrefresh",
      "-triplebuffer"}},
    {"longer names do not count",
     "-windowed_thing       not the window switch\n-sounds              more sounds\n-priority_class  a class\n",
     {u, u, u, u, u, u, u, u, u}},
    {"no usage text", "", {u, u, u, u, u, u, u, u, u}},
  };
  for (auto& r : rows) {
    std::vector<std::string> got = RecordOf(r.usage);
    if (got != r.want) testkit::Fail(__FILE__, __LINE__, std::string(r.what) + ": " + Joined(got));
  }
}

// Options are independent in MAME: what each recorded switch does alone and
// all of them together do covers every combination of ticked boxes.
TEST_CASE(the_real_emulator_accepts_every_recorded_switch) {
  if (access(RealEmulator(), X_OK) != 0) SKIP("the real emulator /usr/games/mame is not installed (Debian's mame)");
  int code = -1;
  std::string usage = RunEmulator("-showusage", &code);
  CHECK_EQ(code, 0);
  std::vector<std::string> record = RecordOf(usage);
  std::string version = RunEmulator("-version", &code);
  if (version.compare(0, 6, "0.251 ") == 0) {
    const std::string u = "unsupported";
    std::vector<std::string> want = {"-sound none", "-window", "-mouse", "-joystick", "-skip_gameinfo", u, u, u, u};
    CHECK_STR(Joined(record), Joined(want));
  }
  std::string all;
  for (const std::string& value : record) {
    if (value == kUnsupportedSwitch) continue;
    RunEmulator("-noreadconfig -showconfig " + value, &code);
    if (code != 0) testkit::Fail(__FILE__, __LINE__, value + " alone: exit code " + std::to_string(code));
    all += " " + value;
  }
  RunEmulator("-noreadconfig -showconfig" + all, &code);
  if (code != 0) testkit::Fail(__FILE__, __LINE__, "all together (" + all + "): exit code " + std::to_string(code));
  // The check can tell: the switch the first box gave before is refused.
  RunEmulator("-noreadconfig -showconfig -nosound", &code);
  CHECK_EQ(code, 6);
}
