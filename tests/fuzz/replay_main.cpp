// Runs a fuzz target without libFuzzer: every file of the folders named on the
// command line goes once through LLVMFuzzerTestOneInput, so the inputs that
// once broke something are checked on every native test run.
// The inputs run in a child process, which tells the runner through a pipe
// which input it is at: a broken rule, a sanitizer report or a hang ends the
// child, counts as that input's failure, and a new child goes on with the
// next input. The leak check runs as a child that got through all its inputs
// exits. A folder that is missing or holds no input fails the run: a replay
// that reads nothing would pass while checking nothing.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

const unsigned kSecondsPerInput = 20;
const size_t kAllDone = (size_t)-1;

void RunInput(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // A heap block of the input's own size, as libFuzzer hands it over.
  std::vector<uint8_t> block(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(block.empty() ? nullptr : block.data(), block.size());
}

[[noreturn]] void RunChild(const std::vector<fs::path>& files, size_t from, int report) {
  for (size_t i = from; i < files.size(); ++i) {
    if (write(report, &i, sizeof i) != (ssize_t)sizeof i) _exit(120);
    alarm(kSecondsPerInput);
    RunInput(files[i]);
  }
  alarm(0);
  if (write(report, &kAllDone, sizeof kAllDone) != (ssize_t)sizeof kAllDone) _exit(120);
  close(report);
  exit(0);  // through the exit handlers, where the leak check runs
}

std::string Why(int status) {
  if (WIFEXITED(status)) return "exit code " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
    return "no end after " + std::to_string(kSecondsPerInput) + " s";
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "stopped";
}

// Runs the inputs from `from` on in one child. Returns the index after the
// last input it settled: files.size() when the rest passed, else the index
// after the one that failed (told in `failures`).
size_t RunBatch(const std::vector<fs::path>& files, size_t from, int* failures) {
  int fds[2];
  if (pipe(fds) != 0) {
    printf("replay: FAILED: no pipe\n");
    ++*failures;
    return files.size();
  }
  fflush(stdout);
  fflush(stderr);
  pid_t child = fork();
  if (child < 0) {
    printf("replay: FAILED: cannot start a process\n");
    ++*failures;
    return files.size();
  }
  if (child == 0) {
    close(fds[0]);
    RunChild(files, from, fds[1]);
  }
  close(fds[1]);
  size_t at = kAllDone, got = 0;
  bool done = false;
  while (read(fds[0], &got, sizeof got) == (ssize_t)sizeof got) {
    if (got == kAllDone) done = true;
    else at = got;
  }
  close(fds[0]);
  int status = 0;
  if (waitpid(child, &status, 0) != child) status = -1;
  bool clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (done && clean) return files.size();
  ++*failures;
  if (done || at == kAllDone) {
    // Past the inputs (the leak check at exit), or before the first.
    printf("replay: FAILED: %s inputs %zu to %zu: %s\n", done ? "after" : "before", from + 1, files.size(),
           Why(status).c_str());
    return files.size();
  }
  printf("replay: FAILED: %s: %s\n", files[at].string().c_str(), Why(status).c_str());
  return at + 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s FOLDER...\n", argv[0]);
    return 2;
  }
  std::vector<fs::path> files;
  int missing = 0;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    size_t before = files.size();
    if (fs::is_directory(argv[i], ec)) {
      for (const auto& e : fs::directory_iterator(argv[i], ec))
        if (e.is_regular_file()) files.push_back(e.path());
    }
    if (files.size() == before) {
      printf("replay: FAILED: %s is %s\n", argv[i], fs::exists(argv[i], ec) ? "empty" : "missing");
      ++missing;
    }
  }
  std::sort(files.begin(), files.end());
  int failed = 0;
  for (size_t next = 0; next < files.size();) next = RunBatch(files, next, &failed);
  printf("replay: %zu inputs, %d failed\n", files.size(), failed);
  return failed || missing ? 1 : 0;
}
