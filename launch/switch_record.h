// The record of the option switches the installed emulator accepts.
// mkgamelist.exe asks mame.exe -showusage and writes, for each box of the
// options page, the switch that box gives this emulator into section SWITCHES
// of vintor.ini (keys Option_1 to Option_9): the switch as it stands, today's
// equivalent ("-sound none" for -nosound), or the word "unsupported". Vintor
// reads it at every launch; without it, every box gives its own switch.
#pragma once
#include "launch/compose.h"

extern const char kSwitchSection[];      // "SWITCHES"
extern const char kUnsupportedSwitch[];  // "unsupported"

// Every box with its own switch: composition as without a record.
void SetSwitchesAsTheyStand(SwitchRecord* record);

// Takes the recorded value of box n (1 to 9) into the record. "unsupported"
// (any case, blanks around) leaves the box out. A switch of at most 23
// characters that begins with '-' and holds no quote or control character is
// given as it stands. Anything else (missing, empty, too long, no switch)
// gives the box its own switch, as if nothing were recorded for it.
void ReadRecordedSwitch(SwitchRecord* record, int n, const char* value);

// What is written for box n: its text without the leading blank, or "unsupported".
void RecordedSwitchValue(const SwitchRecord& record, int n, char* out, size_t outSize);

enum SwitchState { kSwitchAsItStands, kSwitchReplaced, kSwitchUnsupported };
SwitchState RecordedSwitchState(const SwitchRecord& record, int n);
