// Runner of the test kit: runs every registered case (or those named on the
// command line) and prints the closing count line that CI reads.
#include "testkit.h"
#include <cstdlib>
#include <vector>
#include <algorithm>

namespace testkit {
static Case* g_first = nullptr;
static Case** g_tail = &g_first;
static int g_caseFailures = 0;
static const char* g_current = "";

void Register(Case* c) { *g_tail = c; g_tail = &c->next; }

void Fail(const char* file, int line, const std::string& what) {
  const char* base = strrchr(file, '/');
  printf("  FAIL %s (%s:%d): %s\n", g_current, base ? base + 1 : file, line, what.c_str());
  fflush(stdout);
  ++g_caseFailures;
}

void Skip(const char* why) {
  printf("  SKIP %s: %s\n", g_current, why);
  throw SkipSignal();
}

std::string Show(const std::string& s) {
  std::string out = "\"";
  for (unsigned char ch : s) {
    if (ch == '\n') out += "\\n";
    else if (ch == '\r') out += "\\r";
    else if (ch == '\t') out += "\\t";
    else if (ch < 32 || ch >= 127) { char b[8]; snprintf(b, sizeof b, "\\x%02x", ch); out += b; }
    else out += (char)ch;
  }
  if (out.size() > 400) out = out.substr(0, 400) + "...";
  return out + "\"";
}
}  // namespace testkit

int main(int argc, char** argv) {
  using namespace testkit;
  int passed = 0, failed = 0, skipped = 0;
  for (Case* c = g_first; c; c = c->next) {
    if (argc > 1) {
      bool wanted = false;
      for (int i = 1; i < argc; ++i) if (strcmp(argv[i], c->name) == 0) wanted = true;
      if (!wanted) continue;
    }
    g_current = c->name;
    g_caseFailures = 0;
    bool wasSkipped = false;
    try { c->fn(); } catch (SkipSignal&) { wasSkipped = true; }
    if (wasSkipped) ++skipped;
    else if (g_caseFailures) { ++failed; printf("not ok %s\n", c->name); }
    else { ++passed; printf("ok %s\n", c->name); }
    fflush(stdout);
  }
  printf("%d passed, %d failed, %d skipped\n", passed, failed, skipped);
  fflush(stdout);
  return failed ? 1 : 0;
}
