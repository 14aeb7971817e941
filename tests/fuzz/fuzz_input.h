// What every fuzz target shares: cutting the fuzzer's bytes into the arguments
// of one call, heap copies of exactly the size a text needs (so that a read one
// byte too far trips the address sanitizer), and a check that aborts, so that
// libFuzzer and the replay both count a broken rule as a crash.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#define FUZZ_CHECK(cond)                                                              \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      fprintf(stderr, "%s:%d: rule broken: %s\n", __FILE__, __LINE__, #cond);        \
      abort();                                                                        \
    }                                                                                 \
  } while (0)

// Texts come from the front, separated by zero bytes, so that a plain text file
// is a sensible input; numbers come from the back.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}

  size_t Left() const { return (size_t)(end_ - p_); }

  uint8_t Byte() { return p_ < end_ ? *--end_ : 0; }

  uint64_t U64(int bytes = 8) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | Byte();
    return v;
  }

  // A number in [lo, hi].
  long long Range(long long lo, long long hi) {
    if (hi <= lo) return lo;
    uint64_t span = (uint64_t)hi - (uint64_t)lo;
    int bytes = 0;
    for (uint64_t s = span; s; s >>= 8) ++bytes;
    uint64_t v = U64(bytes);
    if (span != UINT64_MAX) v %= span + 1;
    return (long long)((uint64_t)lo + v);
  }

  bool Flag() { return Byte() & 1; }

  // Bytes up to the next zero byte or the end of the input, at most maxLen.
  std::string Text(size_t maxLen = (size_t)-1) {
    const uint8_t* s = p_;
    while (p_ < end_ && *p_ && (size_t)(p_ - s) < maxLen) ++p_;
    std::string t((const char*)s, (size_t)(p_ - s));
    if (p_ < end_ && !*p_) ++p_;
    return t;
  }

  // Everything not yet taken from the front.
  std::string Rest() {
    std::string t((const char*)p_, (size_t)(end_ - p_));
    p_ = end_;
    return t;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
};

// A terminated copy of a text in a heap block of exactly its length plus one.
class ExactText {
 public:
  explicit ExactText(const std::string& s) : size_(s.size()), bytes_(new char[s.size() + 1]) {
    memcpy(bytes_.get(), s.data(), s.size());
    bytes_[s.size()] = 0;
  }
  const char* c_str() const { return bytes_.get(); }
  size_t size() const { return size_; }

 private:
  size_t size_;
  std::unique_ptr<char[]> bytes_;
};

// An output buffer of exactly `size` bytes, prefilled with a marker.
class ExactBuffer {
 public:
  explicit ExactBuffer(size_t size) : size_(size), bytes_(new char[size ? size : 1]) {
    memset(bytes_.get(), 0x5A, size ? size : 1);
  }
  char* data() { return bytes_.get(); }
  size_t size() const { return size_; }
  bool Terminated() const { return size_ && memchr(bytes_.get(), 0, size_) != nullptr; }
  std::string str() const { return Terminated() ? std::string(bytes_.get()) : std::string(); }
  // Is the first byte still the marker (nothing written)?
  bool Untouched() const { return (unsigned char)bytes_[0] == 0x5A; }

 private:
  size_t size_;
  std::unique_ptr<char[]> bytes_;
};

// The prefix that a cut to a buffer of `size` leaves: size - 1 bytes at most.
inline std::string CutTo(const std::string& s, size_t size) {
  return size == 0 ? std::string() : s.substr(0, size - 1);
}
