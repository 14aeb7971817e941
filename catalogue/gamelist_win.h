// Fills the supported-games list (302) from docs\gamelist.txt.
#pragma once
void LoadGameListDocument();
