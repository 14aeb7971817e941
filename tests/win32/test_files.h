// File helpers shared by the Win32 tests: whole-file reads and writes and
// scratch folders under the temporary folder.
#pragma once
#include <windows.h>
#include <cstdio>
#include <string>

inline bool WriteFileBytes(const std::string& path, const std::string& data) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = fwrite(data.data(), 1, data.size(), f) == data.size();
  return fclose(f) == 0 && ok;
}

inline std::string ReadFileBytes(const std::string& path) {
  std::string data;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return data;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
  fclose(f);
  return data;
}

inline bool FileThere(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
      else { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); DeleteFileA(path.c_str()); }
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
  RemoveDirectoryA(folder.c_str());
}

// A fresh empty folder under the temporary folder (no trailing backslash).
inline std::string FreshFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + name;
  RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}
