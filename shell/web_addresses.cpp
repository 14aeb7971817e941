// Text composition for the commands; every result is bounded by its buffer.
#include "shell/web_addresses.h"
#include "shell/install_paths.h"
#include <cstring>

const char kHomePageAddress[] = "https://vintor.example.org/";
const char kSupportAddress[] = "mailto:support@vintor.example.org";
const char kWebSearchPrefix[] = "https://www.google.com/search?client=vintor&ie=UTF-8&q=";
static const char kSearchEnd[] = "&sa=Search";

// prefix + middle + end, cutting only the middle so the query keeps its tail.
static void ComposeSearch(const char* middle, char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  CopyText(out, outSize, kWebSearchPrefix);
  size_t used = strlen(out);
  size_t tail = strlen(kSearchEnd);
  if (used + tail + 1 > outSize) return;  // a buffer too small for any query keeps the prefix cut
  size_t room = outSize - used - tail;    // includes the terminator
  CopyText(out + used, room, middle);
  AppendText(out, outSize, kSearchEnd);
}

void ComposeRomSearchAddress(const char* shortName, char* out, size_t outSize) {
  char middle[kAddressSize];
  CopyText(middle, sizeof middle, shortName);
  AppendText(middle, sizeof middle, ".zip+rom+mame+download");
  ComposeSearch(middle, out, outSize);
}

void ComposeBiosSearchAddress(char* out, size_t outSize) {
  ComposeSearch("neogeo.zip+decocass.zip+mame+download", out, outSize);
}

void ComposeGameInfoText(const char* description, const char* label, const char* shortName, char* out,
                         size_t outSize) {
  if (!out || outSize == 0) return;
  CopyText(out, outSize, "\r\n");
  size_t start = strlen(out);
  AppendText(out, outSize, description);
  size_t end = strlen(out);
  while (end > start && out[end - 1] == ' ') out[--end] = 0;
  AppendText(out, outSize, "\r\n\r\n");
  AppendText(out, outSize, label);
  AppendText(out, outSize, shortName);
}

const char* FileNameOfPath(const char* path) {
  if (!path) return "";
  const char* slash = strrchr(path, '\\');
  return slash ? slash + 1 : path;
}

int JoinFolderAndName(const char* folder, const char* name, char* out, size_t outSize) {
  if (!out || outSize == 0) return 0;
  out[0] = 0;
  if (!folder) folder = "";
  if (!name) name = "";
  if (strlen(folder) + strlen(name) + 1 > outSize) return 0;
  CopyText(out, outSize, folder);
  AppendText(out, outSize, name);
  return 1;
}
