// The tool's run: a pipe for its output and errors, a job that ends the tool
// and the emulator it starts when Vintor's process ends (however it ends),
// and a thread that reads the pipe and posts what it learns.
#include "catalogue/document_tool_win.h"
#include "shell/ids.h"
#include "shell/install_paths.h"
#include "shell/system_text_win.h"
#include <process.h>
#include <cstdio>

namespace {

struct ToolRun {
  HWND notify;
  char tool[kPathSize];
  char folder[kPathSize];
};

// Never closed: the system closes it with the process, and that ends the job.
HANDLE g_job;

HANDLE KillOnCloseJob() {
  if (g_job) return g_job;
  HANDLE job = CreateJobObjectA(NULL, NULL);
  if (!job) return NULL;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    CloseHandle(job);
    return NULL;
  }
  return g_job = job;
}

void SystemReason(DWORD error, const char* tool, char* out, size_t outSize) {
  char text[512];
  SystemErrorText(error, text, sizeof text);
  snprintf(out, outSize, "%s: %s", tool, text[0] ? text : "cannot be started");
}

// Starts the tool suspended, puts it into the job, then lets it run, so that
// nothing it starts can escape the job. Returns the process, or NULL.
HANDLE StartTool(const ToolRun& run, HANDLE output) {
  char line[kPathSize + 32];
  snprintf(line, sizeof line, "\"%s\" -progress", run.tool);
  // Its input is NUL: with none, the system would give it the input of its
  // hidden console, and the tool would wait there for an Enter at its end.
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
  HANDLE nul = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, NULL);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = nul;
  si.hStdOutput = si.hStdError = output;
  PROCESS_INFORMATION pi = {};
  BOOL started = nul != INVALID_HANDLE_VALUE && CreateProcessA(run.tool, line, NULL, NULL, TRUE,
                                                               CREATE_NO_WINDOW | CREATE_SUSPENDED, NULL, run.folder,
                                                               &si, &pi);
  DWORD error = GetLastError();
  if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
  if (!started) {
    SetLastError(error);
    return NULL;
  }
  HANDLE job = KillOnCloseJob();
  // Without a job (a system that refuses nested ones) the tool still runs.
  if (job) AssignProcessToJobObject(job, pi.hProcess);
  ResumeThread(pi.hThread);
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

// Reads the pipe until the tool has ended and its output is drained. The
// emulator it started may hold the pipe open a little longer: the tool's end
// counts, not the pipe's.
void ReadUntilEnd(HWND notify, HANDLE process, HANDLE pipe, ToolOutputReader* reader) {
  char buffer[4096];
  long shown = 0;
  bool ended = false;
  for (;;) {
    DWORD waiting = 0, got = 0;
    if (!PeekNamedPipe(pipe, NULL, 0, NULL, &waiting, NULL)) break;
    if (waiting > 0) {
      if (!ReadFile(pipe, buffer, waiting < sizeof buffer ? waiting : (DWORD)sizeof buffer, &got, NULL)) break;
      reader->Feed(buffer, got);
      if (reader->machines() != shown) {
        shown = reader->machines();
        PostMessageA(notify, WM_APP_DOCUMENT_TOOL, kToolProgress, (LPARAM)shown);
      }
      continue;
    }
    if (ended) break;
    ended = WaitForSingleObject(process, 50) == WAIT_OBJECT_0;
  }
  reader->Finish();
}

void RunTool(const ToolRun& run, ToolOutcome* outcome) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
  HANDLE readEnd = NULL, writeEnd = NULL;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
    SystemReason(GetLastError(), run.tool, outcome->reason, sizeof outcome->reason);
    return;
  }
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  HANDLE process = StartTool(run, writeEnd);
  DWORD error = GetLastError();
  CloseHandle(writeEnd);  // only the tool writes now
  if (!process) {
    CloseHandle(readEnd);
    SystemReason(error, run.tool, outcome->reason, sizeof outcome->reason);
    return;
  }
  outcome->started = true;
  ToolOutputReader* reader = new ToolOutputReader;
  ReadUntilEnd(run.notify, process, readEnd, reader);
  WaitForSingleObject(process, INFINITE);
  GetExitCodeProcess(process, &outcome->exitCode);
  CopyText(outcome->reason, sizeof outcome->reason, reader->reason());
  delete reader;
  CloseHandle(process);
  CloseHandle(readEnd);
}

void __cdecl ToolThread(void* p) {
  ToolRun* run = (ToolRun*)p;
  ToolOutcome* outcome = new ToolOutcome;
  RunTool(*run, outcome);
  if (!PostMessageA(run->notify, WM_APP_DOCUMENT_TOOL, kToolFinished, (LPARAM)outcome)) delete outcome;
  delete run;
}

}  // namespace

bool StartDocumentTool(HWND notify, const char* tool, const char* folder) {
  ToolRun* run = new ToolRun;
  run->notify = notify;
  CopyText(run->tool, sizeof run->tool, tool);
  CopyText(run->folder, sizeof run->folder, folder);
  if (_beginthread(ToolThread, 0, run) == (uintptr_t)-1L) {
    delete run;
    return false;
  }
  return true;
}
