// The splash window and its thread. The window's record is touched only by its
// own window procedure; other threads reach it through messages alone.
#include "decor/splash_win.h"
#include "preview/packed_bitmap_win.h"
#include <atomic>
#include <cstring>
#include <process.h>

namespace {
const char kClassName[] = "SplashScreenClass";
const UINT_PTR kAutoCloseTimer = 1;

// Kept in the window's user data from WM_CREATE to WM_DESTROY.
struct SplashRecord {
  UINT_PTR timerId;     // kAutoCloseTimer while the auto-close timer runs
  HGLOBAL picture;      // the window's own copy of the packed bitmap
  COLORREF textColour;
  char* text;           // own zero-filled block, or null
};

struct SplashCreateParams {
  HGLOBAL picture;
  UINT displayTime;
};

// Shared by the caller and the splash thread while the window is made; lives in
// the caller's frame. The thread writes `window`, then publishes `ready`.
struct StartupBlock {
  HINSTANCE instance;
  HGLOBAL picture;
  UINT displayTime;
  std::atomic<LONG> ready;
  HWND window;
  HANDLE readyEvent;
};

SplashRecord* RecordOf(HWND w) { return (SplashRecord*)GetWindowLongPtrA(w, GWLP_USERDATA); }

void RequestRepaint(HWND w) { RedrawWindow(w, NULL, NULL, RDW_INTERNALPAINT); }

void ReleaseRecord(HWND w, SplashRecord* r) {
  if (r->text) GlobalFree(r->text);
  if (r->timerId) KillTimer(w, r->timerId);
  FreePackedBitmap(r->picture);
  GlobalFree(r);
}

LRESULT OnCreate(HWND w, const CREATESTRUCTA* cs) {
  const SplashCreateParams* params = (const SplashCreateParams*)cs->lpCreateParams;
  SplashRecord* r = (SplashRecord*)GlobalAlloc(GPTR, sizeof(SplashRecord));
  if (!r) return -1;
  r->picture = params ? DuplicatePackedBitmap(params->picture) : NULL;
  bool ok = r->picture != NULL;
  if (ok && params->displayTime != 0) {
    r->timerId = SetTimer(w, kAutoCloseTimer, params->displayTime, NULL) ? kAutoCloseTimer : 0;
    ok = r->timerId != 0;
  }
  if (ok) {
    SetLastError(0);
    SetWindowLongPtrA(w, GWLP_USERDATA, (LONG_PTR)r);
    ok = GetLastError() == 0;
  }
  if (!ok) {
    SetWindowLongPtrA(w, GWLP_USERDATA, 0);
    ReleaseRecord(w, r);
    return -1;
  }
  return 0;
}

LRESULT OnDestroy(HWND w) {
  SplashRecord* r = RecordOf(w);
  SetWindowLongPtrA(w, GWLP_USERDATA, 0);
  if (r) ReleaseRecord(w, r);
  PostQuitMessage(0);
  return 0;
}

LRESULT OnTimer(HWND w, WPARAM id) {
  if (id == kAutoCloseTimer) DestroyWindow(w);
  return 0;
}

LRESULT OnSetText(HWND w, WPARAM wp, LPARAM lp) {
  SplashRecord* r = RecordOf(w);
  if (r) {
    if (r->text) GlobalFree(r->text);
    r->text = NULL;
    const char* text = (const char*)lp;
    if (text) {
      size_t length = strlen(text);
      r->text = (char*)GlobalAlloc(GPTR, length + 1);
      if (r->text) memcpy(r->text, text, length);
    }
    RequestRepaint(w);
  }
  DefWindowProcA(w, WM_SETTEXT, wp, lp);
  return 0;
}

LRESULT OnSetTextColour(HWND w, WPARAM colour, LPARAM repaint) {
  SplashRecord* r = RecordOf(w);
  if (r) r->textColour = (COLORREF)colour;
  if (repaint) RequestRepaint(w);
  return 0;
}

// Paints through the window's own context, with the picture and text composed
// off screen first so that the text never flickers over a half-drawn picture.
LRESULT OnPaint(HWND w) {
  SplashRecord* r = RecordOf(w);
  if (r) {
    int width = PackedBitmapWidth(r->picture), height = PackedBitmapHeight(r->picture);
    HDC dc = GetDC(w);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP canvas = CreateCompatibleBitmap(dc, width, height);
    if (dc && memory && canvas) {
      HGDIOBJ oldCanvas = SelectObject(memory, canvas);
      RECT client;
      GetClientRect(w, &client);
      HPALETTE palette = NULL, oldWindowPalette = NULL, oldMemoryPalette = NULL;
      if (PackedBitmapBitCount(r->picture) <= 8) palette = PackedBitmapPalette(r->picture);
      if (palette) {
        oldWindowPalette = SelectPalette(dc, palette, FALSE);
        oldMemoryPalette = SelectPalette(memory, palette, FALSE);
        RealizePalette(dc);
        RealizePalette(memory);
      }
      DrawPackedBitmap(r->picture, memory, 0, 0);
      if (r->text) {
        SetBkMode(memory, TRANSPARENT);
        SetTextColor(memory, r->textColour);
        DrawTextA(memory, r->text, -1, &client, DT_SINGLELINE | DT_BOTTOM | DT_CENTER);
      }
      BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
      if (palette) {
        SelectPalette(dc, oldWindowPalette, FALSE);
        SelectPalette(memory, oldMemoryPalette, FALSE);
        DeleteObject(palette);
      }
      SelectObject(memory, oldCanvas);
    }
    if (canvas) DeleteObject(canvas);
    if (memory) DeleteDC(memory);
    if (dc) ReleaseDC(w, dc);
  }
  return DefWindowProcA(w, WM_PAINT, 0, 0);
}

// Only matters on displays of 256 colours or fewer. True when a palette was realized.
bool RealizePicturePalette(HWND w) {
  SplashRecord* r = RecordOf(w);
  HPALETTE palette = r ? PackedBitmapPalette(r->picture) : NULL;
  if (!palette) return false;
  HDC dc = GetDC(w);
  if (dc) {
    HPALETTE old = SelectPalette(dc, palette, FALSE);
    if (RealizePalette(dc)) RequestRepaint(w);
    SelectPalette(dc, old, FALSE);
    ReleaseDC(w, dc);
  }
  DeleteObject(palette);
  return true;
}

// TRUE tells the system a palette was realized, upon which it asks every top-level
// window about the change; a picture without a palette must not claim one, or
// showing the splash waits on the busy start-up thread.
LRESULT OnQueryNewPalette(HWND w) {
  return RealizePicturePalette(w) ? TRUE : FALSE;
}

LRESULT OnPaletteChanged(HWND w, HWND changer) {
  if (changer != w) RealizePicturePalette(w);
  return 0;
}

LRESULT CALLBACK SplashProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate(w, (const CREATESTRUCTA*)lp);
    case WM_DESTROY: return OnDestroy(w);
    case WM_TIMER: return OnTimer(w, wp);
    case WM_SETTEXT: return OnSetText(w, wp, lp);
    case WM_PAINT: return OnPaint(w);
    case WM_QUERYNEWPALETTE: return OnQueryNewPalette(w);
    case WM_PALETTECHANGED: return OnPaletteChanged(w, (HWND)wp);
    case WM_SPLASH_CLOSE: DestroyWindow(w); return 0;
    case WM_SPLASH_SETTEXTCOLOUR: return OnSetTextColour(w, wp, lp);
  }
  return DefWindowProcA(w, msg, wp, lp);
}

bool RegisterSplashClass(HINSTANCE instance) {
  WNDCLASSA existing;
  if (GetClassInfoA(instance, kClassName, &existing)) return true;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = SplashProc;
  wc.cbWndExtra = 4;
  wc.hInstance = instance;
  wc.hbrBackground = (HBRUSH)GetStockObject(NULL_BRUSH);
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) != 0;
}

void Publish(StartupBlock* block, HWND window) {
  HANDLE readyEvent = block->readyEvent;
  block->window = window;
  block->ready.store(1, std::memory_order_release);
  // From here on the caller may return and the block is gone.
  SetEvent(readyEvent);
}

void __cdecl SplashThread(void* arg) {
  StartupBlock* block = (StartupBlock*)arg;
  SplashCreateParams params = {block->picture, block->displayTime};
  // One frame width is added, so the frame covers the picture's right and bottom edges.
  int width = PackedBitmapWidth(block->picture) + GetSystemMetrics(SM_CXFRAME);
  int height = PackedBitmapHeight(block->picture) + GetSystemMetrics(SM_CYFRAME);
  HWND w = CreateWindowExA(WS_EX_TOPMOST, kClassName, NULL, WS_POPUP | WS_DISABLED | WS_BORDER | WS_THICKFRAME,
                           0, 0, width, height, NULL, NULL, block->instance, &params);
  if (!w) {
    Publish(block, NULL);
    return;
  }
  RECT rc;
  GetWindowRect(w, &rc);
  int x = (GetSystemMetrics(SM_CXSCREEN) - (rc.right - rc.left)) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - (rc.bottom - rc.top)) / 2;
  SetWindowPos(w, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(w, SW_SHOW);
  Publish(block, w);
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0) DispatchMessageA(&msg);
}
}  // namespace

HWND CreateSplashScreen(HINSTANCE instance, HGLOBAL picture, UINT displayTime) {
  if (!RegisterSplashClass(instance)) return NULL;
  StartupBlock block;
  block.instance = instance;
  block.picture = picture;
  block.displayTime = displayTime;
  block.ready.store(0, std::memory_order_relaxed);
  block.window = NULL;
  block.readyEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
  if (!block.readyEvent) return NULL;
  HWND window = NULL;
  if (_beginthread(SplashThread, 2000, &block) != (uintptr_t)-1L) {
    // The event, not the flag, decides when the block may go: the thread's last
    // touch of it is setting the event. Messages sent to this thread's windows
    // meanwhile (the system's palette and activation notices when the splash
    // shows) are served, so that the splash thread never waits on us; posted
    // messages stay queued for the message loop.
    DWORD woke;
    while ((woke = MsgWaitForMultipleObjects(1, &block.readyEvent, FALSE, INFINITE, QS_SENDMESSAGE)) ==
           WAIT_OBJECT_0 + 1) {
      MSG msg;
      PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    if (woke != WAIT_OBJECT_0) WaitForSingleObject(block.readyEvent, INFINITE);
    if (block.ready.load(std::memory_order_acquire)) window = block.window;
  }
  CloseHandle(block.readyEvent);
  return window;
}

void SetSplashText(HWND splash, const char* text) {
  if (IsWindow(splash)) SendMessageA(splash, WM_SETTEXT, 0, (LPARAM)text);
}

void SetSplashTextColour(HWND splash, COLORREF colour, BOOL repaint) {
  if (IsWindow(splash)) SendMessageA(splash, WM_SPLASH_SETTEXTCOLOUR, (WPARAM)colour, (LPARAM)repaint);
}

void CloseSplashScreen(HWND splash) {
  if (IsWindow(splash)) PostMessageA(splash, WM_SPLASH_CLOSE, 0, 0);
}
