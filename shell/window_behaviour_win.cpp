// Stand-in until this module is built.
#include "shell/window_behaviour_win.h"
void ApplyOntop() {}
LRESULT SnapToWorkArea(RECT*) { return 1; }
