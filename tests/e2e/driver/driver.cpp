// End-to-end driver: reads and works another process's windows on request.
// It reads one command a line from standard input and answers one JSON value a
// line on standard output. List-view, status-bar and tab-control messages are
// not marshalled across processes, so their structures and buffers are placed
// inside the target process.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

std::string ProcessCounters(DWORD pid);  // process_counters.cpp

static std::string Quote(const char* s) {
  std::string out = "\"";
  for (const unsigned char* p = (const unsigned char*)s; *p; ++p) {
    unsigned char c = *p;
    if (c == '"' || c == '\\') { out += '\\'; out += (char)c; }
    else if (c < 32 || c >= 127) { char b[8]; snprintf(b, sizeof b, "\\u%04x", c); out += b; }
    else out += (char)c;
  }
  return out + "\"";
}
static std::string Quote(const std::string& s) { return Quote(s.c_str()); }
static std::string Num(long long v) { return std::to_string(v); }
static HWND H(const std::string& s) { return (HWND)(uintptr_t)strtoull(s.c_str(), NULL, 0); }
static long long N(const std::string& s) { return strtoll(s.c_str(), NULL, 0); }

static std::string FromHex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += (char)strtol(hex.substr(i, 2).c_str(), NULL, 16);
  return out;
}

// A block of memory inside the process that owns a window.
struct Remote {
  HANDLE process = NULL;
  char* base = NULL;
  static const SIZE_T kSize = 1 << 16;
  explicit Remote(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                          FALSE, pid);
    if (process) base = (char*)VirtualAllocEx(process, NULL, kSize, MEM_COMMIT, PAGE_READWRITE);
  }
  ~Remote() {
    if (base) VirtualFreeEx(process, base, 0, MEM_RELEASE);
    if (process) CloseHandle(process);
  }
  bool ok() const { return base != NULL; }
  void Write(SIZE_T offset, const void* data, SIZE_T n) { WriteProcessMemory(process, base + offset, data, n, NULL); }
  void Read(SIZE_T offset, void* data, SIZE_T n) { ReadProcessMemory(process, base + offset, data, n, NULL); }
};

static LRESULT Send(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  DWORD_PTR r = 0;
  if (!SendMessageTimeoutA(w, m, wp, lp, SMTO_NORMAL, 20000, &r)) return -999999;
  return (LRESULT)r;
}

static std::string RectJson(const RECT& r) {
  return "[" + Num(r.left) + "," + Num(r.top) + "," + Num(r.right) + "," + Num(r.bottom) + "]";
}

static std::string WindowInfo(HWND w) {
  if (!IsWindow(w)) return "null";
  char cls[256] = "", title[1024] = "";
  GetClassNameA(w, cls, sizeof cls);
  DWORD_PTR n = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof title, (LPARAM)title, SMTO_NORMAL, 5000, &n);
  RECT r, c;
  GetWindowRect(w, &r);
  GetClientRect(w, &c);
  DWORD pid = 0, tid = GetWindowThreadProcessId(w, &pid);
  std::string s = "{\"hwnd\":" + Num((uintptr_t)w) + ",\"class\":" + Quote(cls) + ",\"title\":" + Quote(title);
  s += ",\"rect\":" + RectJson(r) + ",\"client\":[" + Num(c.right) + "," + Num(c.bottom) + "]";
  s += ",\"style\":" + Num((unsigned)GetWindowLongA(w, GWL_STYLE));
  s += ",\"exstyle\":" + Num((unsigned)GetWindowLongA(w, GWL_EXSTYLE));
  s += ",\"visible\":" + Num(IsWindowVisible(w) ? 1 : 0) + ",\"enabled\":" + Num(IsWindowEnabled(w) ? 1 : 0);
  s += ",\"zoomed\":" + Num(IsZoomed(w) ? 1 : 0) + ",\"iconic\":" + Num(IsIconic(w) ? 1 : 0);
  s += ",\"pid\":" + Num(pid) + ",\"tid\":" + Num(tid) + ",\"id\":" + Num(GetDlgCtrlID(w));
  s += ",\"parent\":" + Num((uintptr_t)GetParent(w)) + ",\"owner\":" + Num((uintptr_t)GetWindow(w, GW_OWNER)) + "}";
  return s;
}

static BOOL CALLBACK CollectTop(HWND w, LPARAM lp) {
  ((std::vector<HWND>*)lp)->push_back(w);
  return TRUE;
}

static std::string TopWindows() {
  std::vector<HWND> all;
  EnumWindows(CollectTop, (LPARAM)&all);
  std::string s = "[";
  for (HWND w : all) {
    if (!IsWindowVisible(w)) continue;
    if (s.size() > 1) s += ",";
    s += WindowInfo(w);
  }
  return s + "]";
}

static std::string Children(HWND parent) {
  std::string s = "[";
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (s.size() > 1) s += ",";
    s += WindowInfo(c);
  }
  return s + "]";
}

// LVM_GETITEMTEXTA for many cells with one remote block.
static std::string ListRows(HWND list, int firstCol, int lastCol, int firstRow, int lastRow) {
  Remote r(list);
  if (!r.ok()) return "null";
  int count = (int)Send(list, LVM_GETITEMCOUNT, 0, 0);
  if (lastRow < 0 || lastRow >= count) lastRow = count - 1;
  std::string s = "[";
  const SIZE_T textAt = 256;
  for (int row = firstRow; row <= lastRow; ++row) {
    if (row > firstRow) s += ",";
    s += "[";
    for (int col = firstCol; col <= lastCol; ++col) {
      LVITEMA item = {};
      item.iSubItem = col;
      item.pszText = r.base + textAt;
      item.cchTextMax = 1024;
      char zero = 0;
      r.Write(textAt, &zero, 1);
      r.Write(0, &item, sizeof item);
      Send(list, LVM_GETITEMTEXTA, row, (LPARAM)r.base);
      char text[1025] = "";
      r.Read(textAt, text, 1024);
      if (col > firstCol) s += ",";
      s += Quote(text);
    }
    s += "]";
  }
  return s + "]";
}

static std::string ListColumns(HWND list) {
  Remote r(list);
  if (!r.ok()) return "null";
  std::string s = "[";
  for (int col = 0; col < 64; ++col) {
    LVCOLUMNA c = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    c.pszText = r.base + 256;
    c.cchTextMax = 512;
    r.Write(0, &c, sizeof c);
    if (!Send(list, LVM_GETCOLUMNA, col, (LPARAM)r.base)) break;
    r.Read(0, &c, sizeof c);
    char text[513] = "";
    r.Read(256, text, 512);
    if (col) s += ",";
    s += "{\"text\":" + Quote(text) + ",\"width\":" + Num(c.cx) + ",\"sub\":" + Num(c.iSubItem) + "}";
  }
  return s + "]";
}

static std::string ListStates(HWND list) {
  int count = (int)Send(list, LVM_GETITEMCOUNT, 0, 0);
  std::string s = "[";
  for (int i = 0; i < count; ++i) {
    if (i) s += ",";
    s += Num(Send(list, LVM_GETITEMSTATE, i, LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED));
  }
  return s + "]";
}

static std::string ListItemRect(HWND list, int row) {
  Remote r(list);
  RECT rc = {};
  rc.left = LVIR_BOUNDS;
  r.Write(0, &rc, sizeof rc);
  LRESULT ok = Send(list, LVM_GETITEMRECT, row, (LPARAM)r.base);
  r.Read(0, &rc, sizeof rc);
  MapWindowPoints(list, NULL, (POINT*)&rc, 2);
  return ok ? RectJson(rc) : "null";
}

static std::string StatusText(HWND bar, int part) {
  Remote r(bar);
  if (!r.ok()) return "null";
  char zero[1] = {0};
  r.Write(0, zero, 1);
  Send(bar, SB_GETTEXTA, part, (LPARAM)r.base);
  char text[2048] = "";
  r.Read(0, text, sizeof text - 1);
  return Quote(text);
}

static std::string StatusParts(HWND bar) {
  Remote r(bar);
  int n = (int)Send(bar, SB_GETPARTS, 64, (LPARAM)r.base);
  int edges[64] = {};
  r.Read(0, edges, sizeof edges);
  std::string s = "[";
  for (int i = 0; i < n && i < 64; ++i) s += (i ? "," : "") + Num(edges[i]);
  return s + "]";
}

static std::string TabText(HWND tabs, int index) {
  Remote r(tabs);
  TCITEMA item = {};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = r.base + 256;
  item.cchTextMax = 512;
  r.Write(0, &item, sizeof item);
  if (!Send(tabs, TCM_GETITEMA, index, (LPARAM)r.base)) return "null";
  r.Read(0, &item, sizeof item);
  char text[513] = "";
  r.Read(256, text, 512);
  return "{\"text\":" + Quote(text) + ",\"image\":" + Num(item.iImage) + "}";
}

// WM_MOVING as a drag delivers it, and WM_GETMINMAXINFO. Both are marshalled
// across processes, so the structures stay in the driver.
static std::string Moving(HWND w, int left, int top, int right, int bottom) {
  RECT rc = {left, top, right, bottom};
  LRESULT result = Send(w, WM_MOVING, WMSZ_LEFT, (LPARAM)&rc);
  return "{\"result\":" + Num(result) + ",\"rect\":" + RectJson(rc) + "}";
}

static std::string MinMax(HWND w) {
  MINMAXINFO info = {};
  Send(w, WM_GETMINMAXINFO, 0, (LPARAM)&info);
  return "[" + Num(info.ptMinTrackSize.x) + "," + Num(info.ptMinTrackSize.y) + "]";
}

static std::string TabRect(HWND tabs, int index) {
  Remote r(tabs);
  RECT rc = {};
  if (!Send(tabs, TCM_GETITEMRECT, index, (LPARAM)r.base)) return "null";
  r.Read(0, &rc, sizeof rc);
  MapWindowPoints(tabs, NULL, (POINT*)&rc, 2);
  return RectJson(rc);
}

// The thumb of a trackbar, in screen coordinates.
static std::string ThumbRect(HWND slider) {
  Remote r(slider);
  if (!r.ok()) return "null";
  RECT rc = {};
  Send(slider, TBM_GETTHUMBRECT, 0, (LPARAM)r.base);
  r.Read(0, &rc, sizeof rc);
  MapWindowPoints(slider, NULL, (POINT*)&rc, 2);
  return RectJson(rc);
}

static std::string Layered(HWND w) {
  typedef BOOL(WINAPI * Getter)(HWND, COLORREF*, BYTE*, DWORD*);
  Getter get = (Getter)(void*)GetProcAddress(GetModuleHandleA("user32.dll"), "GetLayeredWindowAttributes");
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  BOOL ok = get ? get(w, &key, &alpha, &flags) : FALSE;
  return "{\"ok\":" + Num(ok ? 1 : 0) + ",\"alpha\":" + Num(alpha) + ",\"flags\":" + Num(flags) + "}";
}

static std::string GuiResources(DWORD pid) {
  HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (!p) return "null";
  DWORD gdi = GetGuiResources(p, GR_GDIOBJECTS), user = GetGuiResources(p, GR_USEROBJECTS);
  CloseHandle(p);
  return "{\"gdi\":" + Num(gdi) + ",\"user\":" + Num(user) + "}";
}

static std::string Focus(HWND w) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, NULL), &info)) return "null";
  return "{\"focus\":" + Num((uintptr_t)info.hwndFocus) + ",\"active\":" + Num((uintptr_t)info.hwndActive) +
         ",\"capture\":" + Num((uintptr_t)info.hwndCapture) + ",\"menu\":" + Num((uintptr_t)info.hwndMenuOwner) +
         ",\"flags\":" + Num(info.flags) + "}";
}

// Every process: its id, its parent's id and its program's name.
static std::string Processes() {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  std::string s = "[";
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof pe;
  for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe)) {
    if (s.size() > 1) s += ",";
    s += "{\"pid\":" + Num(pe.th32ProcessID) + ",\"parent\":" + Num(pe.th32ParentProcessID) +
         ",\"exe\":" + Quote(pe.szExeFile) + "}";
  }
  CloseHandle(snap);
  return s + "]";
}

static std::string Terminate(DWORD pid) {
  HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!p) return "0";
  BOOL ok = TerminateProcess(p, 0);
  WaitForSingleObject(p, 5000);
  CloseHandle(p);
  return Num(ok ? 1 : 0);
}

static std::string LongPath(const std::string& path) {
  char out[1024] = "";
  DWORD n = GetLongPathNameA(path.c_str(), out, sizeof out);
  return Quote(n && n < sizeof out ? out : path.c_str());
}

// Holds a file open the way another program might: others may read it, nobody
// may write it until "release". Answers the handle, 0 when the file cannot be opened.
static std::string Hold(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  return Num(h == INVALID_HANDLE_VALUE ? 0 : (uintptr_t)h);
}

// One command; returns the answer line.
static std::string Run(const std::vector<std::string>& a) {
  const std::string& c = a[0];
  auto arg = [&](size_t i) -> const std::string& { static std::string none = "0"; return i < a.size() ? a[i] : none; };
  if (c == "ping") return "\"pong\"";
  if (c == "top") return TopWindows();
  if (c == "find") {
    const char* title = a.size() > 2 ? a[2].c_str() : NULL;
    std::string t = title ? FromHex(title) : "";
    return Num((uintptr_t)FindWindowA(arg(1).c_str(), title ? t.c_str() : NULL));
  }
  if (c == "info") return WindowInfo(H(arg(1)));
  if (c == "waitfind") {
    // Polls here rather than from the test, to catch windows that live only briefly.
    DWORD end = GetTickCount() + (DWORD)N(arg(2));
    for (;;) {
      HWND w = FindWindowA(arg(1).c_str(), NULL);
      if (w || (LONG)(end - GetTickCount()) < 0) return WindowInfo(w);
      Sleep(1);
    }
  }
  if (c == "child") return Num((uintptr_t)GetDlgItem(H(arg(1)), (int)N(arg(2))));
  if (c == "children") return Children(H(arg(1)));
  if (c == "text") {
    char text[65536] = "";
    DWORD_PTR n = 0;
    SendMessageTimeoutA(H(arg(1)), WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_NORMAL, 5000, &n);
    return Quote(text);
  }
  if (c == "settext") {
    std::string t = FromHex(arg(2));
    DWORD_PTR n = 0;
    SendMessageTimeoutA(H(arg(1)), WM_SETTEXT, 0, (LPARAM)t.c_str(), SMTO_NORMAL, 5000, &n);
    return Num((long long)n);
  }
  if (c == "send") return Num(Send(H(arg(1)), (UINT)N(arg(2)), (WPARAM)N(arg(3)), (LPARAM)N(arg(4))));
  if (c == "sendn") {  // the same message n times, each after the last was handled; answers how many were
    long long n = N(arg(5)), done = 0;
    while (done < n && Send(H(arg(1)), (UINT)N(arg(2)), (WPARAM)N(arg(3)), (LPARAM)N(arg(4))) != -999999) ++done;
    return Num(done);
  }
  if (c == "post") return Num(PostMessageA(H(arg(1)), (UINT)N(arg(2)), (WPARAM)N(arg(3)), (LPARAM)N(arg(4))));
  if (c == "lvrows") return ListRows(H(arg(1)), (int)N(arg(2)), (int)N(arg(3)), a.size() > 4 ? (int)N(arg(4)) : 0,
                                     a.size() > 5 ? (int)N(arg(5)) : -1);
  if (c == "lvcolumns") return ListColumns(H(arg(1)));
  if (c == "lvstates") return ListStates(H(arg(1)));
  if (c == "lvrect") return ListItemRect(H(arg(1)), (int)N(arg(2)));
  if (c == "sbtext") return StatusText(H(arg(1)), (int)N(arg(2)));
  if (c == "sbparts") return StatusParts(H(arg(1)));
  if (c == "tctext") return TabText(H(arg(1)), (int)N(arg(2)));
  if (c == "tcrect") return TabRect(H(arg(1)), (int)N(arg(2)));
  if (c == "layered") return Layered(H(arg(1)));
  if (c == "moving") return Moving(H(arg(1)), (int)N(arg(2)), (int)N(arg(3)), (int)N(arg(4)), (int)N(arg(5)));
  if (c == "minmax") return MinMax(H(arg(1)));
  if (c == "setpos") {
    BOOL ok = SetWindowPos(H(arg(1)), NULL, (int)N(arg(2)), (int)N(arg(3)), (int)N(arg(4)), (int)N(arg(5)),
                           SWP_NOZORDER | SWP_NOACTIVATE);
    return Num(ok ? 1 : 0);
  }
  if (c == "tbthumb") return ThumbRect(H(arg(1)));
  if (c == "gdi") return GuiResources((DWORD)N(arg(1)));
  if (c == "counters") return ProcessCounters((DWORD)N(arg(1)));
  if (c == "focus") return Focus(H(arg(1)));
  if (c == "fg") return Num((uintptr_t)GetForegroundWindow());
  if (c == "cursor") { POINT p; GetCursorPos(&p); return "[" + Num(p.x) + "," + Num(p.y) + "]"; }
  if (c == "workarea") { RECT r; SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0); return RectJson(r); }
  if (c == "metric") return Num(GetSystemMetrics((int)N(arg(1))));
  if (c == "sleep") { Sleep((DWORD)N(arg(1))); return "0"; }
  if (c == "findchild") return Num((uintptr_t)FindWindowExA(H(arg(1)), NULL, arg(2).c_str(), NULL));
  if (c == "procs") return Processes();
  if (c == "terminate") return Terminate((DWORD)N(arg(1)));
  if (c == "longpath") return LongPath(FromHex(arg(1)));
  if (c == "hold") return Hold(FromHex(arg(1)));
  if (c == "release") return Num(CloseHandle((HANDLE)H(arg(1))) ? 1 : 0);
  return "{\"error\":" + Quote("unknown command " + c) + "}";
}

int main() {
  setvbuf(stdout, NULL, _IONBF, 0);
  char line[70000];
  while (fgets(line, sizeof line, stdin)) {
    std::vector<std::string> args;
    for (char* tok = strtok(line, " \t\r\n"); tok; tok = strtok(NULL, " \t\r\n")) args.push_back(tok);
    if (args.empty()) continue;
    if (args[0] == "quit") break;
    std::string answer = Run(args);
    fputs(answer.c_str(), stdout);
    fputs("\n", stdout);
    fflush(stdout);
  }
  return 0;
}
