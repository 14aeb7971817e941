// The menu bar with its five popups.
#pragma once
void BuildMenuBar();
