// Named marks between the stages of start-up. Only the profiling tool
// (benchmarks/startup_profile) sets a sink; in the program a mark is one test.
#pragma once

typedef void (*StartupMarkSink)(const char* stage);
extern StartupMarkSink g_startupMarkSink;

// `stage` names the work done since the previous mark.
inline void MarkStartup(const char* stage) {
  if (g_startupMarkSink) g_startupMarkSink(stage);
}
