// Stand-in until this module is built.
#include "catalogue/scan_win.h"
HWND CreateGameList(HWND, int) { return NULL; }
void ScanRomFolder() {}
void StartRescanThread() {}
int FindDocumentRow(const char*) { return -1; }
void UpdateListCounters() {}
LRESULT HandleScanMessage(WPARAM, LPARAM) { return 0; }
