// One section of an INI file, read in a single call and looked up like the
// profile functions look up a key, so that a scan does not reopen the settings
// file for every entry of roms\.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>

class IniSection {
 public:
  // `lines` as GetPrivateProfileSection gives them: "key=value" texts, each
  // ended by a zero, the whole ended by a second zero; `size` bounds the scan.
  void Parse(const char* lines, size_t size);
  // The value of `key` (case of A to Z ignored, blanks around key and value
  // dropped, one pair of matching quotes around the value removed, the first
  // of duplicate keys wins), cut to `maxChars` characters; `fallback` when absent.
  std::string Get(const char* key, const char* fallback, size_t maxChars) const;

 private:
  std::unordered_map<std::string, std::string> values_;
};
