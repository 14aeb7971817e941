// Takes the document type declaration (<!DOCTYPE name [ ... ]>) out of an XML
// byte stream before a reader sees it, and passes everything else through.
// The emulator's output opens with an internal DTD that only declares; some
// readers refuse or cannot parse it, and what it would default is what an
// absent attribute means anyway. The line ends inside it are kept, so that
// line numbers in a reader's messages still point into the original.
#pragma once
#include <cstddef>

class DoctypeFilter {
 public:
  enum { kMaxHeld = 9 };  // "<!DOCTYPE"
  // Filters `count` bytes into `out`, which has room for count + kMaxHeld
  // bytes; returns the number of bytes written. Bytes that may begin the
  // declaration are held back until they are told apart.
  size_t Feed(const char* in, size_t count, char* out);
  // At the end of the input: writes what is still held (at most kMaxHeld).
  size_t Finish(char* out);
  // True once a declaration has been taken out.
  bool Removed() const { return removed_; }

 private:
  enum State { kProlog, kMarkup, kInstruction, kComment, kDeclaration, kSubset, kSubsetComment, kBody };
  State state_ = kProlog;
  char held_[kMaxHeld];
  size_t heldCount_ = 0;
  char quote_ = 0;         // inside a quoted literal of the declaration
  unsigned recent_ = 0;    // the last bytes seen, for "?>", "-->" and "<!--"
  bool removed_ = false;
};
