// Stand-in until this module is built.
#include "shell/tabpages_win.h"
void SwitchTabPage() {}
void EnablePlayDeleteByCount() {}
