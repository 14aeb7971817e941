// Stand-in until this module is built.
#include "shell/notify_win.h"
LRESULT HandleMainNotify(HWND, NMHDR*) { return 0; }
