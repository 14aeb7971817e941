// Stand-in until this module is built.
#include "shell/controls_win.h"
#include "shell/app_win.h"
void CreateMainControls() {}
