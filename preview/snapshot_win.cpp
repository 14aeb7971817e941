// Stand-in until this module is built.
#include "preview/snapshot_win.h"
void ShowGameSnapshot(const char*) {}
void ReloadPreviewPicture() {}
