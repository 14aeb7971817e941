// Stand-in until this module is built.
#include "shell/menubar_win.h"
void BuildMenuBar() {}
