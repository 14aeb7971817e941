// The switch record as the settings file holds it (launch/switch_record.h).
#pragma once
struct SwitchRecord;

// Reads section SWITCHES of the settings file; without it, every box as it stands.
void LoadSwitchRecord(SwitchRecord* record);
