// The sink of the start-up marks; see startup_marks.h.
#include "shell/startup_marks.h"

StartupMarkSink g_startupMarkSink;
