// A very small test kit shared by the native and the Win32 tests: cases register
// themselves, checks count failures, and the run ends with "N passed, N failed".
#pragma once
#include <cstdio>
#include <cstring>
#include <string>

namespace testkit {
typedef void (*CaseFn)();
struct Case { const char* name; CaseFn fn; Case* next; };
void Register(Case* c);
void Fail(const char* file, int line, const std::string& what);
void Skip(const char* why);  // marks the current case skipped and stops it
struct Registrar { Case c; Registrar(const char* n, CaseFn f) : c{n, f, nullptr} { Register(&c); } };
struct SkipSignal {};
std::string Show(const std::string& s);
inline std::string Show(const char* s) { return s ? Show(std::string(s)) : std::string("(null)"); }
inline std::string Show(long long v) { return std::to_string(v); }
inline std::string Show(unsigned long long v) { return std::to_string(v); }
inline std::string Show(int v) { return std::to_string(v); }
inline std::string Show(unsigned v) { return std::to_string(v); }
inline std::string Show(long v) { return std::to_string(v); }
inline std::string Show(unsigned long v) { return std::to_string(v); }
inline std::string Show(bool v) { return v ? "true" : "false"; }
inline std::string Show(double v) { return std::to_string(v); }
template <class T> std::string Show(T* p) { char b[32]; snprintf(b, sizeof b, "%p", (const void*)p); return b; }
}  // namespace testkit

#define TK_CAT2(a, b) a##b
#define TK_CAT(a, b) TK_CAT2(a, b)
#define TEST_CASE(name)                                                   \
  static void name();                                                     \
  static testkit::Registrar TK_CAT(tk_reg_, name)(#name, name);           \
  static void name()

#define CHECK(cond)                                                       \
  do { if (!(cond)) testkit::Fail(__FILE__, __LINE__, "CHECK(" #cond ")"); } while (0)

#define CHECK_EQ(a, b)                                                    \
  do { auto tk_a = (a); auto tk_b = (b);                                  \
    if (!(tk_a == tk_b)) testkit::Fail(__FILE__, __LINE__,                \
      std::string(#a " == " #b ": ") + testkit::Show(tk_a) + " vs " + testkit::Show(tk_b)); } while (0)

#define CHECK_STR(a, b)                                                   \
  do { std::string tk_a = (a); std::string tk_b = (b);                    \
    if (tk_a != tk_b) testkit::Fail(__FILE__, __LINE__,                   \
      std::string(#a " == " #b ": ") + testkit::Show(tk_a) + " vs " + testkit::Show(tk_b)); } while (0)

#define SKIP(why) testkit::Skip(why)
