// Profile-function access to the settings file and the language file.
#include "shell/settings_win.h"
#include "shell/app_win.h"
#include "shell/lang_text.h"
#include <cstdio>

static const char* LanguageText(const char* key, const char* fallback) {
  // One buffer per thread: the scan and the options saver ask from their own threads.
  static thread_local char text[1024];
  GetPrivateProfileStringA("INTERFACE", key, fallback, text, sizeof text, g_paths.languageFile);
  ExpandLineBreaks(text);
  return text;
}

const char* GetLanguageString(const char* key) { return LanguageText(key, ""); }

const char* GetLanguageString(int key) { return GetLanguageString(key, ""); }

const char* GetLanguageString(int key, const char* fallback) {
  char name[16];
  snprintf(name, sizeof name, "%d", key);
  return LanguageText(name, fallback);
}

bool WriteSettingsInt(const char* section, const char* key, int value, const char* file) {
  char text[16];
  snprintf(text, sizeof text, "%d", value);
  return WritePrivateProfileStringA(section, key, text, file) != FALSE;
}

int ToggleSettingsFlag(UINT menuItem, const char* key) {
  if (ReadSettingsInt(key, 0) != 0) {
    CheckMenuItem(g_mainMenu, menuItem, MF_BYCOMMAND | MF_UNCHECKED);
    WriteSettingsText(key, "0");
    return 0;
  }
  CheckMenuItem(g_mainMenu, menuItem, MF_BYCOMMAND | MF_CHECKED);
  WriteSettingsText(key, "18");
  return 1;
}

int ReadSettingsInt(const char* key, int defaultValue) {
  return (int)GetPrivateProfileIntA("OPTIONS", key, defaultValue, g_paths.settingsFile);
}

void ReadSettingsText(const char* key, const char* defaultValue, char* out, DWORD outSize) {
  GetPrivateProfileStringA("OPTIONS", key, defaultValue, out, outSize, g_paths.settingsFile);
}

bool WriteSettingsText(const char* key, const char* value) {
  return WritePrivateProfileStringA("OPTIONS", key, value, g_paths.settingsFile) != FALSE;
}
