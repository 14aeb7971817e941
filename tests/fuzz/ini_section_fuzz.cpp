// A settings or counter file section as the profile functions give it: any
// bytes up to the given size, zeros between the lines. Every key found is the
// first line's value for it, cut to the asked length; the scan stays within
// the size even when the text lacks its closing zeros.
#include "catalogue/ini_section.h"
#include "tests/fuzz/fuzz_input.h"
#include <map>
#include <vector>

static std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

static std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = (char)(c + 32);
  return s;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  size_t maxChars = (size_t)in.Range(0, 40);
  std::string section = in.Rest();
  std::unique_ptr<char[]> block(new char[section.size() ? section.size() : 1]);
  memcpy(block.get(), section.data(), section.size());

  IniSection ini;
  ini.Parse(block.get(), section.size());

  std::map<std::string, std::string> want;
  std::vector<std::string> keys;
  size_t i = 0;
  while (i < section.size() && section[i]) {
    size_t end = section.find('\0', i);
    if (end == std::string::npos) end = section.size();
    std::string line = section.substr(i, end - i);
    i = end + 1;
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = Lower(Trim(line.substr(0, eq)));
    std::string value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
      value = value.substr(1, value.size() - 2);
    if (!want.count(key)) want[key] = value;
    keys.push_back(Trim(line.substr(0, eq)));
  }
  for (const std::string& key : keys) {
    if (key.find('\0') != std::string::npos) continue;
    std::string got = ini.Get(key.c_str(), "-", maxChars);
    FUZZ_CHECK(got == want[Lower(key)].substr(0, maxChars));
    FUZZ_CHECK(ini.Get((" " + key + "\t").c_str(), "-", maxChars) == got);
  }
  if (!want.count("\x01" "absent")) FUZZ_CHECK(ini.Get("\x01" "absent", "fallback", maxChars) == std::string("fallback").substr(0, maxChars));
  FUZZ_CHECK(ini.Get(nullptr, nullptr, maxChars) == (want.count("") ? want[""].substr(0, maxChars) : std::string()));
  return 0;
}
