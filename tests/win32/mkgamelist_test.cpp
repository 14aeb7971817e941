// mkgamelist.exe as a user runs it: on the real emulator output (an excerpt cut
// at build time from ../shared), from a file and through the stand-in
// emulator's pipe; on broken input, huge elements, a hung or failing emulator
// and a docs\ folder it cannot write. The old document must survive every failure.
#include "tests/testkit/testkit.h"
#include "tests/win32/test_files.h"
#include <windows.h>
#include <tlhelp32.h>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

static std::string BuildFolder() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string folder(self);
  folder.resize(folder.rfind('\\'));
  return folder;
}

static const std::string kExcerpt = BuildFolder() + "\\testdata\\listxml-excerpt.xml";
static const std::string kOldDocument = "the user's old document\r\n";

// A fresh installation: the tool, optionally the stand-in emulator, an old document.
static std::string Install(const char* name, bool withEmulator) {
  std::string folder = FreshFolder(name);
  CopyFileA((BuildFolder() + "\\companions\\mkgamelist\\mkgamelist.exe").c_str(), (folder + "\\mkgamelist.exe").c_str(),
            FALSE);
  if (withEmulator) {
    CopyFileA((BuildFolder() + "\\tests\\doubles\\fakemame\\mame.exe").c_str(), (folder + "\\mame.exe").c_str(), FALSE);
  }
  CreateDirectoryA((folder + "\\docs").c_str(), nullptr);
  WriteFileBytes(folder + "\\docs\\gamelist.txt", kOldDocument);
  return folder;
}

struct Run {
  DWORD code = 9999;
  std::string out;  // standard output and errors together
  DWORD ms = 0;
};

static Run RunTool(const std::string& folder, const std::string& args, DWORD timeoutMs = 120000) {
  Run r;
  std::string outPath = folder + "\\tool_output.txt";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  std::string line = "\"" + folder + "\\mkgamelist.exe\" " + args;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = out;
  PROCESS_INFORMATION pi = {};
  DWORD start = GetTickCount();
  if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si, &pi)) {
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &r.code);
    else TerminateProcess(pi.hProcess, 9998);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  r.ms = GetTickCount() - start;
  CloseHandle(out);
  r.out = ReadFileBytes(outPath);
  return r;
}

static std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    size_t cut = end > at && text[end - 1] == '\r' ? end - 1 : end;
    lines.push_back(text.substr(at, cut - at));
    at = end + 1;
  }
  return lines;
}

// The table rows of a document written by the tool.
static std::vector<std::string> TableRows(const std::string& document) {
  std::vector<std::string> rows;
  int rules = 0;
  for (const std::string& l : Lines(document)) {
    if (l.compare(0, 2, "+-") == 0) { ++rules; continue; }
    if (rules == 2) rows.push_back(l);
  }
  return rows;
}

static std::map<std::string, long> Counts() {
  std::map<std::string, long> counts;
  std::string text = ReadFileBytes(kExcerpt.substr(0, kExcerpt.size() - 4) + ".counts");
  for (const std::string& l : Lines(text + "\n")) {
    size_t eq = l.find('=');
    if (eq != std::string::npos) counts[l.substr(0, eq)] = atol(l.c_str() + eq + 1);
  }
  return counts;
}

static void NeedExcerpt() {
  if (!FileThere(kExcerpt)) SKIP("no excerpt of the real -listxml output (../shared/data/listxml is absent)");
}

static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The output with each labelled line whole again: a line break followed by
// the blanks under the label is one blank.
static std::string Unwrapped(const std::string& out) {
  std::string whole, indent = "\r\n" + std::string(16, ' ');
  for (size_t at = 0; at < out.size();) {
    if (out.compare(at, indent.size(), indent) == 0) {
      whole += ' ';
      at += indent.size();
    } else {
      whole += out[at++];
    }
  }
  return whole;
}

// The keys of a section of an INI file as "key=value|...", in file order.
static std::string SectionOf(const std::string& file, const char* section) {
  char keys[4096] = "";
  DWORD n = GetPrivateProfileSectionA(section, keys, sizeof keys, file.c_str());
  std::string out;
  for (DWORD i = 0; i < n && keys[i]; i += (DWORD)strlen(keys + i) + 1) out += std::string(keys + i) + "|";
  return out;
}

static bool StandInsRunning() {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 e = {};
  e.dwSize = sizeof e;
  bool found = false;
  for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e)) {
    if (lstrcmpiA(e.szExeFile, "mame.exe") == 0) found = true;
  }
  CloseHandle(snap);
  return found;
}

TEST_CASE(real_output_from_a_saved_file) {
  NeedExcerpt();
  std::string folder = Install("mkgl_file", false);
  Run r = RunTool(folder, "\"" + kExcerpt + "\"");
  CHECK_EQ(r.code, 0ul);
  auto counts = Counts();
  std::string doc = ReadFileBytes(folder + "\\docs\\gamelist.txt");
  std::vector<std::string> rows = TableRows(doc);
  CHECK_EQ((long)rows.size(), counts["rows"]);
  CHECK(Has(r.out, "Machines read:  " + std::to_string(counts["machines"])));
  CHECK(Has(Unwrapped(r.out), "Table:          wide, for short names of up to 16 characters (" +
                                 std::to_string(counts["long"]) +
                       " names longer than 9)"));
  CHECK(Has(r.out, std::to_string(counts["devices"]) + " devices, " + std::to_string(counts["bios"]) + " BIOS sets"));
  CHECK(!Has(r.out, "Left out"));
  CHECK(Has(r.out, "mame.exe is not in this folder"));
  for (size_t i = 0; i < rows.size(); ++i) {
    CHECK_EQ(rows[i].size(), (size_t)87);
    if (i > 0) CHECK(rows[i - 1].compare(2, 33, rows[i], 2, 33) <= 0);
  }
  // Rows of the real output, each cell from its XML: Working is <driver
  // emulation> (ace, alibaba, 7smash: status preliminary, emulation good;
  // 4roses, gamecst2, 86lions, aavenger: emulation preliminary); Colors the
  // palette feature (amusco imperfect; 4roses, ckongmc2 unemulated; alien3
  // and gamecst2 have imperfect graphics only); Sound the sound feature, its
  // status or overall whichever is worse (ace unemulated, ckongmc2 imperfect,
  // ace100 overall imperfect, gamecst2 imperfect and overall unemulated) and
  // samples (86lions none of the feature, 005 imperfect, aavenger
  // unemulated); Flip the cocktail attribute (ablast, ckongmc2 preliminary).
  const char* expected[] = {
      "| Ace                              |  Yes  |  Yes  |   No  |  Yes  | ace              |",
      "| Ali Baba and 40 Thieves          |  Yes  |  Yes  |  Yes  |  Yes  | alibaba          |",
      "| Alien3: The Gun (World)          |  Yes  |  Yes  |  Yes  |  Yes  | alien3           |",
      "| 7 Smash                          |  Yes  |  Yes  |   No  |  Yes  | 7smash           |",
      "| Four Roses (encrypted, set 1)    |   No  |   No  |   No  |  Yes  | 4roses           |",
      "| American Music Poker (V1.4)      |  Yes  | Close |  Yes  |  Yes  | amusco           |",
      "| Crazy Kong (bootleg on Moon Crest|  Yes  |   No  |Partial|   No  | ckongmc2         |",
      "| Franklin ACE 100                 |  Yes  |  Yes  |Partial|  Yes  | ace100           |",
      "| GameCristal (version 2.613)      |   No  |  Yes  |   No  |  Yes  | gamecst2         |",
      "| Hong Tian Lei (A-Blast) (Japan)  |  Yes  |  Yes  |  Yes  |   No  | ablast           |",
      "| 86 Lions                         |   No  |  Yes  | Yes(2)|  Yes  | 86lions          |",
      "| 005                              |  Yes  |  Yes  |Part(2)|  Yes  | 005              |",
      "| Airborne Avenger                 |   No  |  Yes  |   No  |  Yes  | aavenger         |",
      "| Arkanoid (Japan, newer)          |  Yes  |  Yes  |  Yes  |  Yes  | arkanoidj        |",
      "| Arkanoid (Japan, newer w/level se|  Yes  |  Yes  |  Yes  |  Yes  | arkanoidja       |",
      "| Pac-Man (Midway)                 |  Yes  |  Yes  |  Yes  |  Yes  | pacman           |",
      "| Street Fighter II: The World Warr|  Yes  |  Yes  |  Yes  |  Yes  | sf2              |",
  };
  for (const char* e : expected) {
    if (!Has(doc, std::string(e) + "\r\n")) testkit::Fail(__FILE__, __LINE__, std::string("no row ") + e);
  }
  CHECK(!Has(doc, "| neogeo"));  // a BIOS set
  CHECK(Has(doc, "supported by MAME 0.251 (unknown).\r\n"));
  CHECK(Has(doc, "\r\n+----------------------------------+-------+-------+-------+-------+------------------+\r\n"));
  CHECK_STR(ReadFileBytes(folder + "\\docs\\gamelist.txt.bak"), kOldDocument);
  CHECK(!FileThere(folder + "\\docs\\gamelist.txt.new"));
}

// Older emulators list <game> elements and tell colours and sound on <driver>;
// their short names all fit the classic table.
TEST_CASE(older_game_elements_give_the_classic_table) {
  std::string folder = Install("mkgl_older", false);
  std::string xml =
      "<?xml version=\"1.0\"?>\n<mame build=\"0.106 (May 16 2006)\">\n"
      "\t<game name=\"pacman\">\n\t\t<description>Pac-Man (Midway)</description>\n"
      "\t\t<driver status=\"good\" emulation=\"good\" color=\"good\" sound=\"good\" graphic=\"good\"/>\n"
      "\t</game>\n"
      "\t<game name=\"phoenix\">\n\t\t<description>Phoenix (Amstar)</description>\n"
      "\t\t<driver status=\"imperfect\" emulation=\"good\" color=\"imperfect\" sound=\"imperfect\" "
      "graphic=\"imperfect\"/>\n\t</game>\n"
      "\t<game name=\"zaxxon\" sampleof=\"zaxxon\">\n\t\t<description>Zaxxon (set 1)</description>\n"
      "\t\t<driver status=\"preliminary\" color=\"preliminary\" sound=\"preliminary\" graphic=\"good\" "
      "cocktail=\"preliminary\"/>\n\t</game>\n"
      "\t<game name=\"neogeo\" isbios=\"yes\">\n\t\t<description>Neo-Geo</description>\n\t</game>\n"
      "</mame>\n";
  WriteFileBytes(folder + "\\input.xml", xml);
  Run r = RunTool(folder, "input.xml");
  CHECK_EQ(r.code, 0ul);
  CHECK(Has(r.out, "Table:          classic (no short name is longer than 9 characters)"));
  CHECK(Has(r.out, "Not games:      0 devices, 1 BIOS set, 0 not runnable\r\n"));
  std::string doc = ReadFileBytes(folder + "\\docs\\gamelist.txt");
  std::vector<std::string> rows = TableRows(doc);
  std::vector<std::string> expected = {
      "| Pac-Man (Midway)                 |  Yes  |  Yes  |  Yes  |  Yes  | pacman   |",
      "| Phoenix (Amstar)                 |  Yes  | Close |Partial|  Yes  | phoenix  |",
      "| Zaxxon (set 1)                   |   No  |   No  |   No  |   No  | zaxxon   |",
  };
  CHECK(rows == expected);
  CHECK(Has(doc, "\r\n+----------------------------------+-------+-------+-------+-------+----------+\r\n"));
}

TEST_CASE(real_output_through_the_emulator_pipe_and_the_usage_check) {
  NeedExcerpt();
  std::string folder = Install("mkgl_pipe", true);
  CopyFileA(kExcerpt.c_str(), (folder + "\\mame_listxml.xml").c_str(), FALSE);
  // What the Windows 0.251's usage text says about the nine switches: five of
  // them exist, two have today's equivalents.
  WriteFileBytes(folder + "\\vintor.ini", "[OPTIONS]\r\nOption_2=1\r\n[SWITCHES]\r\nOption_1=-other\r\nStale=1\r\n");
  WriteFileBytes(folder + "\\mame_usage.txt",
                 "Usage:  mame [machine] [media] [software] [options]\r\n\r\nOptions:\r\n\r\n#\r\n"
                 "# OSD VIDEO OPTIONS\r\n#\r\n"
                 "-window              enable window mode; otherwise, full screen mode is assumed\r\n"
                 "-mouse               enable mouse input\r\n"
                 "-joystick            enable joystick input\r\n"
                 "-skip_gameinfo       skip displaying the system information screen at startup\r\n"
                 "-sound               sound output method: dsound, xaudio2, portaudio or none\r\n"
                 "-sleep               enable sleeping, which gives time back to other applications when idle\r\n"
                 "-priority            thread priority for the main game thread; range from -15 to 1\r\n"
                 "\r\n#\r\n# FULL SCREEN OPTIONS\r\n#\r\n"
                 "-triplebuffer        enable triple buffering\r\n");
  Run r = RunTool(folder, "");
  CHECK_EQ(r.code, 0ul);
  std::string viaPipe = ReadFileBytes(folder + "\\docs\\gamelist.txt");
  std::string fromFile = ReadFileBytes(folder + "\\docs\\gamelist.txt.bak");
  CHECK_STR(fromFile, kOldDocument);
  CHECK_EQ((long)TableRows(viaPipe).size(), Counts()["rows"]);
  CHECK(Has(Unwrapped(r.out), "Options:        recorded in vintor.ini for Vintor's Options page: this mame.exe "
                              "takes -window, -mouse, -joystick, -skip_gameinfo, -triplebuffer as they are, -nosound "
                              "as -sound none, -high_priority as -priority 1; it does not accept -sl, -matchrefresh "
                              "(Vintor leaves those boxes out).\r\n"));
  // The whole record is replaced; Vintor's own keys stay.
  CHECK_STR(SectionOf(folder + "\\vintor.ini", "SWITCHES"),
            "Option_1=-sound none|Option_2=-window|Option_3=-mouse|Option_4=-joystick|Option_5=-skip_gameinfo|"
            "Option_6=-priority 1|Option_7=unsupported|Option_8=unsupported|Option_9=-triplebuffer|");
  CHECK_STR(SectionOf(folder + "\\vintor.ini", "OPTIONS"), "Option_2=1|");
  std::string log = ReadFileBytes(folder + "\\mame_log.txt");
  CHECK(Has(log, "-listxml"));
  CHECK(Has(log, "-showusage"));
  // The same output from a saved file gives the same document.
  Run again = RunTool(folder, "mame_listxml.xml");
  CHECK_EQ(again.code, 0ul);
  CHECK(ReadFileBytes(folder + "\\docs\\gamelist.txt") == viaPipe);
  CHECK(ReadFileBytes(folder + "\\docs\\gamelist.txt.bak") == viaPipe);
}

static const std::string kProlog =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n"
    "\t<!ATTLIST machine runnable (yes|no) \"yes\">\n]>\n\n<mame build=\"0.999\">\n";
static const std::string kMachine =
    "\t<machine name=\"good\">\n\t\t<description>Good Game</description>\n"
    "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n\t</machine>\n";

TEST_CASE(broken_input_writes_nothing) {
  std::string folder = Install("mkgl_broken", false);
  struct Case { const char* what; std::string xml; DWORD code; const char* says; } cases[] = {
      {"cut inside a tag", kProlog + kMachine + "\t<machine name=\"cu", 3, "ends before the machine list does"},
      {"cut after a machine", kProlog + kMachine, 3, "ends before the machine list does"},
      {"cut inside the DTD", kProlog.substr(0, 60), 3, "nothing written"},
      {"mismatched end tag", kProlog + "\t<machine name=\"x\"></game>\n" + kMachine + "</mame>\n", 3,
       "is not well-formed XML"},
      {"bad attribute", kProlog + "\t<machine name=x/>\n" + kMachine + "</mame>\n", 3, "is not well-formed XML"},
      {"empty file", "", 3, "nothing written"},
      {"not XML at all", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11) + "binary", 3, "nothing written"},
      {"no machines", kProlog + "</mame>\n", 3, "holds no machines"},
      {"devices only", kProlog + "\t<machine name=\"z80\" isdevice=\"yes\" runnable=\"no\"/>\n</mame>\n", 3,
       "lists no game that can be run (machines read: 1)"},
      // After the root element: white space, comments and instructions, nothing else.
      {"second root element", kProlog + kMachine + "</mame>\n<mame>", 3, "is not well-formed XML"},
      {"second whole root element", kProlog + kMachine + "</mame>\n<mame></mame>\n", 3, "is not well-formed XML"},
      {"text after the root", kProlog + kMachine + "</mame>\ntrailing words\n", 3, "is not well-formed XML"},
      {"a cut comment after the root", kProlog + kMachine + "</mame>\n<!-- cut", 3, "is not well-formed XML"},
      {"a DOCTYPE after the root", kProlog + kMachine + "</mame>\n<!DOCTYPE mame>\n", 3, "is not well-formed XML"},
      {"comments, instructions and blanks after the root",
       kProlog + kMachine + "</mame>\n<!-- made by hand -->\n<?check done?>\r\n\t \n", 0, "Rows written:   1"},
  };
  for (auto& c : cases) {
    WriteFileBytes(folder + "\\docs\\gamelist.txt", kOldDocument);
    DeleteFileA((folder + "\\docs\\gamelist.txt.bak").c_str());
    WriteFileBytes(folder + "\\input.xml", c.xml);
    Run r = RunTool(folder, "input.xml");
    bool ok = r.code == c.code && Has(r.out, c.says) && std::count(r.out.begin(), r.out.end(), '\n') >= 1;
    if (c.code != 0) {
      ok = ok && ReadFileBytes(folder + "\\docs\\gamelist.txt") == kOldDocument &&
           !FileThere(folder + "\\docs\\gamelist.txt.bak") && !FileThere(folder + "\\docs\\gamelist.txt.new") &&
           std::count(r.out.begin(), r.out.end(), '\n') == 1;
    }
    if (!ok) testkit::Fail(__FILE__, __LINE__, std::string(c.what) + ": " + std::to_string(r.code) + " " + r.out);
  }
  WriteFileBytes(folder + "\\docs\\gamelist.txt", kOldDocument);
  Run missing = RunTool(folder, "no_such_file.xml");
  CHECK_EQ(missing.code, 2ul);
  CHECK(Has(missing.out, "cannot open no_such_file.xml"));
  Run noEmulator = RunTool(folder, "");
  CHECK_EQ(noEmulator.code, 2ul);
  CHECK(Has(noEmulator.out, "mame.exe is not in"));
  CHECK_STR(ReadFileBytes(folder + "\\docs\\gamelist.txt"), kOldDocument);
}

// The console as a user reads it: the usage when asked for or when an
// argument is wrong (nothing written then), counts of one in the singular,
// and a run that wrote the document ends with the next step.
TEST_CASE(console_usage_counts_of_one_and_the_next_step) {
  std::string folder = Install("mkgl_console", false);
  for (const char* ask : {"-h", "/?"}) {
    Run r = RunTool(folder, ask);
    std::vector<std::string> lines = Lines(r.out);
    bool ok = r.code == 0 && lines.size() > 5 && lines[0].compare(0, 12, "mkgamelist: ") == 0 &&
              Has(lines[0], "docs\\gamelist.txt") &&
              lines[1] == "usage: mkgamelist.exe [-wait SECONDS] [-progress] [FILE]";
    for (const std::string& l : lines) ok = ok && l.size() <= 79;
    if (!ok) testkit::Fail(__FILE__, __LINE__, std::string(ask) + ": " + std::to_string(r.code) + " " + r.out);
  }
  struct Bad { const char* args; const char* named; } bad[] = {
      {"-x", "-x"}, {"-wait", "-wait"}, {"-wait 0 input.xml", "0"}, {"-wait 3601", "3601"}, {"a.xml b.xml", "b.xml"},
  };
  for (auto& b : bad) {
    Run r = RunTool(folder, b.args);
    std::vector<std::string> lines = Lines(r.out);
    bool ok = r.code == 1 && lines.size() > 2 &&
              lines[0] == std::string("mkgamelist: cannot use the argument \"") + b.named + "\"; nothing written." &&
              lines[2] == "usage: mkgamelist.exe [-wait SECONDS] [-progress] [FILE]";
    if (!ok) testkit::Fail(__FILE__, __LINE__, std::string(b.args) + ": " + std::to_string(r.code) + " " + r.out);
  }
  CHECK_STR(ReadFileBytes(folder + "\\docs\\gamelist.txt"), kOldDocument);
  // One of each: a device, a BIOS set, a short name too long for any table,
  // one that only the wide table holds.
  WriteFileBytes(folder + "\\input.xml",
                 kProlog + kMachine + "\t<machine name=\"dev\" isdevice=\"yes\" runnable=\"no\"/>\n" +
                     "\t<machine name=\"bios\" isbios=\"yes\"><description>A BIOS</description></machine>\n" +
                     "\t<machine name=\"seventeenletterss\"><description>Long</description></machine>\n" +
                     "\t<machine name=\"tenletters\"><description>Ten</description></machine>\n</mame>\n");
  Run r = RunTool(folder, "input.xml");
  CHECK_EQ(r.code, 0ul);
  std::string out = Unwrapped(r.out);
  CHECK(Has(out, "Rows written:   2 to "));
  CHECK(Has(out, "(1 name longer than 9)\r\n"));
  CHECK(Has(out, "Not games:      1 device, 1 BIOS set, 0 not runnable\r\n"));
  CHECK(Has(out, "Left out:       1 machine whose short name cannot stand in the table"));
  std::vector<std::string> lines = Lines(out);
  CHECK(!lines.empty() && lines.back() == "Next:           start vintor.exe, or press Rescan in a Vintor that runs, "
                                          "to see these games. ROM archives in roms\\ that match no row (BIOS sets, "
                                          "devices, the machines left out) show on Vintor's Other files page.");
  // Wrapped at blanks: only a word longer than the room (a path) may stand out.
  for (const std::string& l : Lines(r.out)) {
    if (l.size() > 79 && l.find(' ', 16) != std::string::npos) testkit::Fail(__FILE__, __LINE__, "long line: " + l);
  }
}

TEST_CASE(huge_elements_pass_through_in_bounded_memory) {
  std::string folder = Install("mkgl_huge", false);
  std::string many = "\t<machine name=\"manyattr\"";
  for (int i = 0; i < 10000; ++i) many += " a" + std::to_string(i) + "=\"v" + std::to_string(i) + "\"";
  many += ">\n\t\t<description>Many Attributes</description>\n\t</machine>\n";
  std::string huge = "\t<machine name=\"hugedesc\" sampleof=\"x\">\n\t\t<description>" + std::string(1 << 20, 'D') +
                     "</description>\n\t\t<feature type=\"sound\" status=\"imperfect\"/>\n\t</machine>\n";
  WriteFileBytes(folder + "\\input.xml", kProlog + many + huge + kMachine + "</mame>\n");
  Run r = RunTool(folder, "input.xml");
  CHECK_EQ(r.code, 0ul);
  std::vector<std::string> rows = TableRows(ReadFileBytes(folder + "\\docs\\gamelist.txt"));
  CHECK_EQ(rows.size(), (size_t)3);
  if (rows.size() == 3) {
    CHECK_STR(rows[0], "| " + std::string(33, 'D') + "|  Yes  |  Yes  |Part(2)|  Yes  | hugedesc |");
    CHECK_STR(rows[2], "| Many Attributes                  |  Yes  |  Yes  |  Yes  |  Yes  | manyattr |");
  }
  CHECK(r.ms < 60000);
}

TEST_CASE(hung_and_failing_emulator) {
  NeedExcerpt();
  std::string folder = Install("mkgl_hang", true);
  CopyFileA(kExcerpt.c_str(), (folder + "\\mame_listxml.xml").c_str(), FALSE);
  WriteFileBytes(folder + "\\mame_hang.txt", "hang\r\n");
  Run r = RunTool(folder, "-wait 2", 60000);
  CHECK_EQ(r.code, 4ul);
  CHECK(Has(r.out, "mame.exe -listxml stopped answering"));
  CHECK(r.ms < 30000);
  CHECK_STR(ReadFileBytes(folder + "\\docs\\gamelist.txt"), kOldDocument);
  CHECK(!StandInsRunning());
  // An emulator that ends with an error: its exit code is told.
  DeleteFileA((folder + "\\mame_hang.txt").c_str());
  DeleteFileA((folder + "\\mame_listxml.xml").c_str());
  r = RunTool(folder, "");
  CHECK_EQ(r.code, 4ul);
  CHECK(Has(r.out, "mame.exe -listxml failed with exit code 1"));
  CHECK_STR(ReadFileBytes(folder + "\\docs\\gamelist.txt"), kOldDocument);
  // A usage check that hangs does not hold the document back.
  WriteFileBytes(folder + "\\input.xml", kProlog + kMachine + "</mame>\n");
  WriteFileBytes(folder + "\\mame_hang.txt", "hang\r\n");
  WriteFileBytes(folder + "\\vintor.ini", "[SWITCHES]\r\nOption_1=-sound none\r\n[OPTIONS]\r\nOption_2=1\r\n");
  r = RunTool(folder, "-wait 2 input.xml", 60000);
  CHECK_EQ(r.code, 0ul);
  CHECK(Has(Unwrapped(r.out), "mame.exe -showusage gave no usage text, so the switches were not checked; no "
                              "switches recorded (Vintor passes them as they are).\r\n"));
  // No record of the switches stays that this emulator did not give.
  CHECK_STR(SectionOf(folder + "\\vintor.ini", "SWITCHES"), "");
  CHECK_STR(SectionOf(folder + "\\vintor.ini", "OPTIONS"), "Option_2=1|");
  CHECK(!StandInsRunning());
}

TEST_CASE(unwritable_docs_folder_keeps_the_old_document) {
  std::string folder = Install("mkgl_readonly", false);
  WriteFileBytes(folder + "\\input.xml", kProlog + kMachine + "</mame>\n");
  // docs\ is a file: no folder can be made there.
  RemoveTree(folder + "\\docs");
  WriteFileBytes(folder + "\\docs", "not a folder");
  Run r = RunTool(folder, "input.xml");
  CHECK_EQ(r.code, 5ul);
  CHECK(Has(r.out, "cannot write"));
  CHECK_STR(ReadFileBytes(folder + "\\docs"), "not a folder");
  // The document held open by another program cannot be moved aside.
  DeleteFileA((folder + "\\docs").c_str());
  CreateDirectoryA((folder + "\\docs").c_str(), nullptr);
  WriteFileBytes(folder + "\\docs\\gamelist.txt", kOldDocument);
  HANDLE held = CreateFileA((folder + "\\docs\\gamelist.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  r = RunTool(folder, "input.xml");
  CloseHandle(held);
  CHECK_EQ(r.code, 5ul);
  CHECK(Has(r.out, "the old document is unchanged"));
  CHECK_STR(ReadFileBytes(folder + "\\docs\\gamelist.txt"), kOldDocument);
  CHECK(!FileThere(folder + "\\docs\\gamelist.txt.new"));
}

// Run through a pipe with -progress (as Vintor runs it), the tool tells how
// many machines it has read; everything else it prints stays as it was.
TEST_CASE(progress_lines_for_a_pipe_only_when_asked) {
  NeedExcerpt();
  std::string folder = Install("mkgl_progress", true);
  CopyFileA(kExcerpt.c_str(), (folder + "\\mame_listxml.xml").c_str(), FALSE);
  Run plain = RunTool(folder, "");
  CHECK_EQ(plain.code, 0ul);
  CHECK(!Has(plain.out, "progress: "));
  std::string document = ReadFileBytes(folder + "\\docs\\gamelist.txt");
  Run r = RunTool(folder, "-progress");
  CHECK_EQ(r.code, 0ul);
  std::vector<std::string> progress, rest, plainRest;
  for (const std::string& l : Lines(r.out)) {
    if (l.compare(0, 10, "progress: ") == 0) progress.push_back(l);
    else if (l.compare(0, 11, "Time taken:") != 0) rest.push_back(l);
  }
  for (const std::string& l : Lines(plain.out)) {
    if (l.compare(0, 11, "Time taken:") != 0) plainRest.push_back(l);
  }
  CHECK_EQ(progress.size(), (size_t)(Counts()["machines"] / 100));
  for (size_t i = 0; i < progress.size(); ++i) CHECK_STR(progress[i], "progress: " + std::to_string((i + 1) * 100));
  CHECK(rest == plainRest);
  CHECK(ReadFileBytes(folder + "\\docs\\gamelist.txt") == document);
}

// An older gamelist.txt.bak held open by another program: the new document
// goes in all the same, the former one waits beside it, and the summary says
// no more than what happened.
TEST_CASE(an_older_backup_that_will_not_go_is_kept) {
  std::string folder = Install("mkgl_heldbak", false);
  WriteFileBytes(folder + "\\input.xml", kProlog + kMachine + "</mame>\n");
  WriteFileBytes(folder + "\\docs\\gamelist.txt.bak", "an older backup");
  HANDLE held = CreateFileA((folder + "\\docs\\gamelist.txt.bak").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  Run r = RunTool(folder, "input.xml");
  CloseHandle(held);
  CHECK_EQ(r.code, 0ul);
  CHECK(Has(r.out, "the former document is " + folder + "\\docs\\gamelist.txt.bak.new"));
  CHECK(!Has(r.out, "(the former one is now gamelist.txt.bak)"));
  CHECK_EQ(TableRows(ReadFileBytes(folder + "\\docs\\gamelist.txt")).size(), (size_t)1);
  CHECK_STR(ReadFileBytes(folder + "\\docs\\gamelist.txt.bak.new"), kOldDocument);
  CHECK_STR(ReadFileBytes(folder + "\\docs\\gamelist.txt.bak"), "an older backup");
}
