// ButtonEx: the per-button record, the state all buttons share, and the
// small helpers every part of the control uses.
#include "controls/buttonex_internal_win.h"
#include <string.h>

ButtonExShared g_bx;

char* ButtonExCopyToHeap(const char* text) {
  if (!text) return NULL;
  const size_t n = strlen(text);
  char* copy = (char*)HeapAlloc(GetProcessHeap(), 0, n + 1);
  if (copy) memcpy(copy, text, n + 1);
  return copy;
}

void ButtonExFreeText(char*& text) {
  if (text) HeapFree(GetProcessHeap(), 0, text);
  text = NULL;
}

void ButtonExRedraw(HWND button) { InvalidateRect(button, NULL, TRUE); }

ButtonExData* ButtonExRecord(HWND button) {
  if (!ButtonExIsButton(button)) return NULL;
  return (ButtonExData*)GetWindowLongPtrA(button, 0);
}

int ButtonExIsButton(HWND window) {
  if (!window) return 0;
  char name[14] = "";
  if (!GetClassNameA(window, name, sizeof name)) return 0;
  return ButtonExClassMatches(name);
}

void ButtonExMakePens() {
  if (!g_bx.shadowPen) g_bx.shadowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  if (!g_bx.highlightPen) g_bx.highlightPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  if (!g_bx.blackPen) g_bx.blackPen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  if (!g_bx.whitePen) g_bx.whitePen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
}

