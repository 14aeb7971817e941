// The ROM folder scan's file work: the game list document, the search of the
// ROM folder and, for each entry found, its document row (an installed game)
// or none (another file), with its play counter, size or BIOS description.
// Touches no control, so that it can run on the scan's own thread.
#include "catalogue/scan_internal_win.h"
#include "catalogue/document_lookup.h"
#include "catalogue/file_size_text.h"
#include "catalogue/ini_section.h"
#include "catalogue/short_name.h"
#include "shell/app_win.h"
#include "shell/startup_marks.h"
#include "shell/web_addresses.h"
#include <commdlg.h>
#include <direct.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

static void CollectDocumentRow(const DocumentRow& row, void* context) {
  ((ScanResult*)context)->doc.push_back(row);
}

// The play counters of the document's games that have a counter file, read on
// a thread of their own while the folder search runs: each file costs a few
// round trips to the system, which the search need not wait for. A counter
// file is found by its name, whose case does not matter, as when it is opened.
class CounterTexts {
 public:
  void Start(const DocumentLookup& games) {
    char pattern[kPathSize];
    CopyText(pattern, sizeof pattern, g_paths.counterFolder);
    AppendText(pattern, sizeof pattern, "*.ini");
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
      fd.cFileName[sizeof fd.cFileName - 1] = 0;
      std::string name = fd.cFileName;
      if (name.size() >= 4 && games.Find(name.substr(0, name.size() - 4).c_str()) >= 0) files_.push_back(name);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    if (!files_.empty()) reader_ = std::thread(&CounterTexts::ReadAll, this);
  }
  ~CounterTexts() { Wait(); }
  // "0" for a game without a counter file.
  std::string Get(const std::string& shortName) {
    Wait();
    auto it = texts_.find(FoldLower(shortName.c_str()) + ".ini");
    return it == texts_.end() ? "0" : it->second;
  }

 private:
  void Wait() {
    if (reader_.joinable()) reader_.join();
  }
  void ReadAll() {
    for (const std::string& name : files_) {
      char path[kPathSize], text[kPathSize];
      CopyText(path, sizeof path, g_paths.counterFolder);
      AppendText(path, sizeof path, name.c_str());
      GetPrivateProfileStringA("OPTIONS", "Runs", "0", text, sizeof text, path);
      texts_[FoldLower(name.c_str())] = text;
    }
  }
  std::vector<std::string> files_;
  std::unordered_map<std::string, std::string> texts_;  // by the file's name in lower case
  std::thread reader_;
};

// The 64-bit length that the folder search already gives: opening every
// archive only to ask its length costs a server round trip each. A folder has
// no length and shows no size.
static std::string SizeTextOf(const WIN32_FIND_DATAA& fd) {
  long long length = -1;
  if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    length = (long long)(((unsigned long long)fd.nFileSizeHigh << 32) | fd.nFileSizeLow);
  char text[32];
  FormatFileSizeTo(length, text, sizeof text);
  return text;
}

// Section BIOS of the settings file, read once per scan.
static IniSection ReadBiosSection() {
  IniSection section;
  std::vector<char> buffer(32 * 1024);
  for (;;) {
    DWORD n = GetPrivateProfileSectionA("BIOS", buffer.data(), (DWORD)buffer.size(), g_paths.settingsFile);
    if (n + 2 < buffer.size() || buffer.size() >= (64u << 20)) {
      buffer[n < buffer.size() ? n : buffer.size() - 1] = 0;
      section.Parse(buffer.data(), n);
      return section;
    }
    buffer.resize(buffer.size() * 4);
  }
}

struct ScanContext {
  DocumentLookup lookup;
  CounterTexts counters;
  IniSection bios;
};

static void ExamineEntry(ScanResult* r, ScanContext& c, const WIN32_FIND_DATAA& fd) {
  const char* foundName = fd.cFileName;
  // Built from the ROM folder, never from the current folder, which other
  // commands change while a rescan runs. A path too long to hold stays empty.
  char full[kPathSize] = "";
  JoinFolderAndName(g_paths.romFolder, foundName, full, sizeof full);
  char title[kPathSize] = "";
  if (GetFileTitleA(full[0] ? full : foundName, title, sizeof title) != 0) CopyText(title, sizeof title, foundName);
  title[sizeof title - 1] = 0;
  char shortName[kPathSize];
  ShortNameFromTitle(title, shortName, sizeof shortName);
  int row = c.lookup.Find(shortName);
  if (row < 0) {
    OtherEntry e;
    e.shortName = shortName;
    e.title = title;
    e.path = full;
    char key[kPathSize];
    CopyText(key, sizeof key, shortName);
    AppendText(key, sizeof key, ".zip");
    e.bios = c.bios.Get(key, "", kPathSize - 1);
    r->other.push_back(e);
    return;
  }
  InstalledEntry e;
  e.docRow = row;
  e.shortName = shortName;
  e.size = SizeTextOf(fd);
  e.path = full;
  r->lastEntry[row] = (int)r->installed.size();
  r->installed.push_back(e);
}

void CollectScan(ScanResult* r) {
  FILE* f = fopen(g_paths.gameListDocument, "r");
  if (f) {
    ReadGameListTable(f, CollectDocumentRow, r);
    fclose(f);
  }
  MarkStartup("scan: document parse");
  r->lastEntry.assign(r->doc.size(), -1);
  ScanContext c;
  for (size_t i = 0; i < r->doc.size(); ++i) {
    char name[kPathSize];
    ShortNameFromDocumentField(r->doc[i].shortField, name, sizeof name);
    c.lookup.Add(name, (int)i);
  }
  MarkStartup("scan: short-name table");
  if (_chdir(g_paths.romFolder) != 0) return;
  c.counters.Start(c.lookup);
  c.bios = ReadBiosSection();
  MarkStartup("scan: counter files, BIOS");
  char pattern[kPathSize];
  if (!JoinFolderAndName(g_paths.romFolder, "*", pattern, sizeof pattern)) return;
  WIN32_FIND_DATAA fd;
  HANDLE search = FindFirstFileA(pattern, &fd);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    fd.cFileName[sizeof fd.cFileName - 1] = 0;
    if (strcmp(fd.cFileName, ".") == 0 || strcmp(fd.cFileName, "..") == 0) continue;
    ExamineEntry(r, c, fd);
  } while (FindNextFileA(search, &fd));
  FindClose(search);
  for (InstalledEntry& e : r->installed) e.counter = c.counters.Get(e.shortName);
  MarkStartup("scan: folder search");
}
