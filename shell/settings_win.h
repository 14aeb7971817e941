// Settings file and language strings: read at the moment of use, never cached.
#pragma once
#include <windows.h>

// Text of key `key` (decimal) of section INTERFACE of the language file, with
// "~" turned into line feeds. The result lives in a buffer of the calling
// thread that the thread's next call overwrites.
const char* GetLanguageString(const char* key);
const char* GetLanguageString(int key);
// The same with a text of our own for a key that older language files lack.
const char* GetLanguageString(int key, const char* fallback);

// Writes an integer as signed decimal text; false when the file could not be written.
bool WriteSettingsInt(const char* section, const char* key, int value, const char* file);

// Flips a flag of section OPTIONS ("18" on, "0" off) and its menu check mark.
// Returns the new state (1 on, 0 off).
int ToggleSettingsFlag(UINT menuItem, const char* key);

// Section OPTIONS of the settings file.
int ReadSettingsInt(const char* key, int defaultValue);
void ReadSettingsText(const char* key, const char* defaultValue, char* out, DWORD outSize);
bool WriteSettingsText(const char* key, const char* value);  // false when not written
