// The yardstick of the start-up benchmark: the least work that shows the same
// rows as the program. It reads docs\gamelist.txt in one read, puts every table
// row into one 8-column list view and one row per matching roms\ entry (one
// folder search, a hash lookup) into a second, both with redraw off, shows its
// window and runs its message loop. Run from an installation folder's copy.
#include <windows.h>
#include <commctrl.h>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// The classic table and the wide one, whose last column holds short names of up to 16 characters.
const char kRule[] = "+----------------------------------+-------+-------+-------+-------+----------+";
const char kWideRule[] = "+----------------------------------+-------+-------+-------+-------+------------------+";

struct Row {
  std::string cells[8];
};

std::string Folder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(NULL, path, sizeof path);
  path[sizeof path - 1] = 0;
  char* slash = strrchr(path, '\\');
  if (slash) *slash = 0;
  return path;
}

std::string ReadWhole(const std::string& path) {
  std::string data;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  if (f == INVALID_HANDLE_VALUE) return data;
  DWORD size = GetFileSize(f, NULL), got = 0;
  if (size != INVALID_FILE_SIZE) {
    data.resize(size);
    if (!ReadFile(f, &data[0], size, &got, NULL)) got = 0;
    data.resize(got);
  }
  CloseHandle(f);
  return data;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
  return s;
}

// The game rows of the table: after the second rule line, lines that begin with '|'.
std::vector<Row> ParseTable(const std::string& text) {
  std::vector<Row> rows;
  int rules = 0;
  const char* rule = nullptr;
  size_t width = 0;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    size_t len = end - at;
    if (len && text[at + len - 1] == '\r') --len;
    const char* line = text.data() + at;
    at = end + 1;
    if (rules == 0) {
      for (const char* r : {kRule, kWideRule}) {
        if (len == strlen(r) && memcmp(line, r, len) == 0) rule = r, width = len, ++rules;
      }
      continue;
    }
    if (rules == 1) {
      if (len == width && memcmp(line, rule, width) == 0) ++rules;
      continue;
    }
    if (!len || line[0] != '|') break;
    if (len < 3 || line[2] == ' ') continue;
    if (len > width) len = width;
    const int from[] = {2, 36, 44, 52, 60, 68}, to[] = {35, 43, 51, 59, 67, (int)width - 1}, column[] = {0, 2, 3, 4, 5, 6};
    Row r;
    r.cells[1] = "0";
    for (int i = 0; i < 6; ++i)
      if ((size_t)from[i] < len) r.cells[column[i]].assign(line + from[i], (size_t)(to[i] < (int)len ? to[i] : len) - from[i]);
    rows.push_back(r);
  }
  return rows;
}

std::string ShortNameOf(const std::string& field) {
  std::string s = field.size() > 1 ? field.substr(1) : "";
  size_t blank = s.find(' ');
  return Lower(blank == std::string::npos ? s : s.substr(0, blank));
}

HWND MakeList(HWND parent, int id, DWORD visible) {
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, NULL, WS_CHILD | LVS_REPORT | LVS_SHOWSELALWAYS | visible,
                              25, 115, 500, 311, parent, (HMENU)(INT_PTR)id, GetModuleHandleA(NULL), NULL);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x10021);
  for (int c = 0; c < 8; ++c) {
    char heading[] = "Column";
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.cx = c == 0 ? 225 : 50;
    col.pszText = heading;
    col.iSubItem = c;
    SendMessageA(list, LVM_INSERTCOLUMNA, c, (LPARAM)&col);
  }
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  return list;
}

void AddRow(HWND list, int index, const Row& r) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
  item.iItem = index;
  item.pszText = (LPSTR)r.cells[0].c_str();
  int at = (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
  for (int c = 1; c < 8 && at >= 0; ++c) {
    if (r.cells[c].empty()) continue;
    LVITEMA sub = {};
    sub.iSubItem = c;
    sub.pszText = (LPSTR)r.cells[c].c_str();
    SendMessageA(list, LVM_SETITEMTEXTA, at, (LPARAM)&sub);
  }
}

LRESULT CALLBACK FloorProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(w, m, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  InitCommonControls();
  std::string folder = Folder();
  std::vector<Row> rows = ParseTable(ReadWhole(folder + "\\docs\\gamelist.txt"));
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FloorProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  wc.lpszClassName = "VintorFloorClass";
  if (!RegisterClassA(&wc)) return 1;
  HWND window = CreateWindowExA(0, wc.lpszClassName, "Floor", WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS, CW_USEDEFAULT, 0,
                                936, 590, NULL, NULL, instance, NULL);
  if (!window) return 1;
  HWND all = MakeList(window, 302, 0);
  HWND installed = MakeList(window, 305, WS_VISIBLE);
  std::unordered_map<std::string, int> byShortName;
  for (size_t i = 0; i < rows.size(); ++i) {
    AddRow(all, (int)i, rows[i]);
    byShortName[ShortNameOf(rows[i].cells[6])] = (int)i;
  }
  WIN32_FIND_DATAA fd;
  HANDLE search = FindFirstFileA((folder + "\\roms\\*").c_str(), &fd);
  int count = 0;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      size_t dot = name.rfind('.');
      auto hit = byShortName.find(Lower(dot == std::string::npos ? name : name.substr(0, dot)));
      if (hit == byShortName.end()) continue;
      Row r = rows[hit->second];
      r.cells[6] = Lower(name.substr(0, dot));
      r.cells[7] = std::to_string(fd.nFileSizeLow / 1024) + " KB";
      AddRow(installed, count++, r);
    } while (FindNextFileA(search, &fd));
    FindClose(search);
  }
  SendMessageA(all, WM_SETREDRAW, TRUE, 0);
  SendMessageA(installed, WM_SETREDRAW, TRUE, 0);
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return (int)msg.wParam;
}
