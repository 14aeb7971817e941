// Stand-in until this module is built.
#include "shell/layout_win.h"
void LayoutMainWindow() {}
