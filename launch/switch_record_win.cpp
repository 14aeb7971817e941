// Reading the switch record from the settings file, at the moment of use:
// mkgamelist.exe may write it while Vintor runs.
#include "launch/switch_record_win.h"
#include "launch/switch_record.h"
#include "shell/app_win.h"

void LoadSwitchRecord(SwitchRecord* record) {
  for (int n = 1; n <= kOptionCount; ++n) {
    // Room for more than a switch: a longer value is not used, never cut into one.
    char value[64] = "";
    GetPrivateProfileStringA(kSwitchSection, OptionKey(n), "", value, sizeof value, g_paths.settingsFile);
    ReadRecordedSwitch(record, n, value);
  }
}
