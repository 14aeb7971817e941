// Key lookup in a section text with the rules of GetPrivateProfileString.
#include "catalogue/ini_section.h"
#include "catalogue/document_lookup.h"

static std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

void IniSection::Parse(const char* lines, size_t size) {
  values_.clear();
  if (!lines) return;
  size_t i = 0;
  while (i < size && lines[i]) {
    size_t end = i;
    while (end < size && lines[end]) ++end;
    std::string line(lines + i, end - i);
    i = end + 1;
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = FoldLower(Trim(line.substr(0, eq)).c_str());
    std::string value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
      value = value.substr(1, value.size() - 2);
    values_.emplace(key, value);  // the first of duplicate keys stays
  }
}

std::string IniSection::Get(const char* key, const char* fallback, size_t maxChars) const {
  auto it = values_.find(FoldLower(Trim(key ? key : "").c_str()));
  std::string v = it == values_.end() ? std::string(fallback ? fallback : "") : it->second;
  if (v.size() > maxChars) v.resize(maxChars);
  return v;
}
