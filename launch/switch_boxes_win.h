// The options page's boxes as the switch record has them: a box whose switch
// the emulator does not accept is disabled and tells why in a tooltip; a box
// whose switch is given in today's form shows that form in its tooltip.
#pragma once

// Reads the record from the settings file and applies it to the nine boxes.
// Their check states are left alone.
void ShowSwitchRecordOnPage();
