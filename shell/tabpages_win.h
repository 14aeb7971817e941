// The page switch of the main tab control.
#pragma once
void SwitchTabPage();
// Play and Delete follow the installed-games list's item count (start-up step 19).
void EnablePlayDeleteByCount();
