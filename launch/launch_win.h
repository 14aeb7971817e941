// Starting games, the emulator alone, and ROM verification.
#pragma once
void StartGame(int item);
void VerifyRoms();
void StartEmulatorAlone();
