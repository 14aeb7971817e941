// Stand-in until this module is built.
#include "shell/fonts_win.h"
#include "shell/app_win.h"
void CreateFonts() {}
