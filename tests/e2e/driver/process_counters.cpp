// What another process holds, read from outside for the soak checks: the
// counters Windows keeps (GDI and USER objects, kernel handles, private bytes)
// and three counts that also work where those read 0, as under Wine 8:
//   nt_handles  the process's entries in the system handle list
//               (NtQuerySystemInformation, SystemHandleInformation);
//   gdi_table   the used entries of the GDI handle table that the process's
//               PEB points to (GdiSharedHandleTable), the process's own or,
//               on Windows, the session's, filtered by process id;
//   windows     the process's windows, top-level and all their descendants.
// A count that cannot be had reads -1.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>
#include <string>
#include <vector>

namespace {

typedef NTSTATUS(NTAPI* QuerySystem)(ULONG, PVOID, ULONG, PULONG);
typedef NTSTATUS(NTAPI* QueryProcess)(HANDLE, ULONG, PVOID, ULONG, PULONG);

const ULONG kSystemHandleInformation = 16;
const NTSTATUS kInfoLengthMismatch = (NTSTATUS)0xC0000004L;

struct SystemHandle {  // SYSTEM_HANDLE_TABLE_ENTRY_INFO
  ULONG processId;
  UCHAR objectType;
  UCHAR flags;
  USHORT value;
  PVOID object;
  ACCESS_MASK access;
};

struct GdiEntry {  // one entry of the GDI handle table, 24 bytes on 64-bit systems
  UINT64 object;
  USHORT processId;
  USHORT count;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  UINT64 user;
};
const size_t kGdiEntries = 0x10000;

FARPROC Ntdll(const char* name) { return GetProcAddress(GetModuleHandleA("ntdll.dll"), name); }

long long SystemHandleCount(DWORD pid) {
  QuerySystem query = (QuerySystem)(void*)Ntdll("NtQuerySystemInformation");
  if (!query) return -1;
  std::vector<char> buffer(1 << 20);
  NTSTATUS status;
  while ((status = query(kSystemHandleInformation, buffer.data(), (ULONG)buffer.size(), NULL)) ==
         kInfoLengthMismatch) {
    if (buffer.size() >= (256u << 20)) return -1;
    buffer.resize(buffer.size() * 2);
  }
  if (status < 0) return -1;
  ULONG_PTR total = *(ULONG_PTR*)buffer.data();
  size_t room = (buffer.size() - sizeof(ULONG_PTR)) / sizeof(SystemHandle);
  if (total > room) return -1;
  const SystemHandle* entries = (const SystemHandle*)(buffer.data() + sizeof(ULONG_PTR));
  long long n = 0;
  for (ULONG_PTR i = 0; i < total; ++i)
    if (entries[i].processId == pid) ++n;
  return n;
}

// Only for a process of our own pointer size: the table's layout and the
// PEB field's place depend on it.
long long GdiTableCount(HANDLE process, DWORD pid) {
  QueryProcess query = (QueryProcess)(void*)Ntdll("NtQueryInformationProcess");
  PROCESS_BASIC_INFORMATION basic = {};
  if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, NULL) < 0 || !basic.PebBaseAddress)
    return -1;
  const SIZE_T tableField = sizeof(void*) == 8 ? 0xF8 : 0x94;
  void* table = NULL;
  if (!ReadProcessMemory(process, (char*)basic.PebBaseAddress + tableField, &table, sizeof table, NULL) || !table)
    return -1;
  if (sizeof(void*) != 8) return -1;  // the 32-bit entry is 16 bytes; not needed here
  std::vector<GdiEntry> entries(kGdiEntries);
  SIZE_T got = 0;
  if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiEntry), &got)) return -1;
  long long n = 0;
  for (size_t i = 0; i < got / sizeof(GdiEntry); ++i) {
    const GdiEntry& e = entries[i];
    // Wine's table is the process's own and leaves the owner 0; Windows names it.
    if (e.type && (e.processId == 0 || e.processId == (USHORT)pid)) ++n;
  }
  return n;
}

struct WindowCount {
  DWORD pid;
  long long n;
};

BOOL CALLBACK CountChild(HWND w, LPARAM lp) {
  WindowCount* c = (WindowCount*)lp;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == c->pid) ++c->n;
  return TRUE;
}

BOOL CALLBACK CountTop(HWND w, LPARAM lp) {
  WindowCount* c = (WindowCount*)lp;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != c->pid) return TRUE;
  ++c->n;
  EnumChildWindows(w, CountChild, lp);  // every descendant, not only the direct children
  return TRUE;
}

std::string Field(const char* name, long long v) { return std::string("\"") + name + "\":" + std::to_string(v); }

}  // namespace

std::string ProcessCounters(DWORD pid) {
  HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!p) return "null";
  DWORD handles = 0;
  long long handleCount = GetProcessHandleCount(p, &handles) ? (long long)handles : -1;
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  long long privateBytes = -1;
  if (GetProcessMemoryInfo(p, (PROCESS_MEMORY_COUNTERS*)&memory, sizeof memory))
    privateBytes = (long long)memory.PrivateUsage;
  WindowCount windows = {pid, 0};
  EnumWindows(CountTop, (LPARAM)&windows);
  std::string s = "{" + Field("gdi", GetGuiResources(p, GR_GDIOBJECTS)) + "," +
                  Field("user", GetGuiResources(p, GR_USEROBJECTS)) + "," + Field("handles", handleCount) + "," +
                  Field("private", privateBytes) + "," + Field("nt_handles", SystemHandleCount(pid)) + "," +
                  Field("gdi_table", GdiTableCount(p, pid)) + "," + Field("windows", windows.n) + "}";
  CloseHandle(p);
  return s;
}
