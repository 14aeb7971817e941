// Stand-in until this module is built.
#include "launch/launch_win.h"
void StartGame(int) {}
void VerifyRoms() {}
void StartEmulatorAlone() {}
