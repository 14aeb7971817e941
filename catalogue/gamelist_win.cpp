// Stand-in until this module is built.
#include "catalogue/gamelist_win.h"
void LoadGameListDocument() {}
