// A byte-at-a-time state machine over the prolog; once the first element has
// begun, the rest of the stream is copied as it is.
#include "companions/mkgamelist/doctype_filter.h"
#include <cstring>

static const char kDoctype[] = "<!DOCTYPE";
static const char kCommentOpen[] = "<!--";

static bool Ends(unsigned recent, const char* tail) {
  unsigned want = 0, mask = 0;
  for (const char* p = tail; *p; ++p) {
    want = (want << 8) | (unsigned char)*p;
    mask = (mask << 8) | 0xFF;
  }
  return (recent & mask) == want;
}

size_t DoctypeFilter::Feed(const char* in, size_t count, char* out) {
  size_t o = 0;
  for (size_t i = 0; i < count; ++i) {
    if (state_ == kBody) {
      memcpy(out + o, in + i, count - i);
      return o + (count - i);
    }
    char c = in[i];
    recent_ = (recent_ << 8) | (unsigned char)c;
    switch (state_) {
      case kProlog:
        if (c == '<') {
          held_[0] = c;
          heldCount_ = 1;
          state_ = kMarkup;
        } else {
          out[o++] = c;
        }
        break;
      case kMarkup:
        held_[heldCount_++] = c;
        if (memcmp(held_, kDoctype, heldCount_) == 0) {
          if (heldCount_ == sizeof kDoctype - 1) {
            heldCount_ = 0;
            quote_ = 0;
            removed_ = true;
            state_ = kDeclaration;
          }
          break;
        }
        if (heldCount_ < sizeof kCommentOpen && memcmp(held_, kCommentOpen, heldCount_) == 0) {
          if (heldCount_ == sizeof kCommentOpen - 1) {
            memcpy(out + o, held_, heldCount_);
            o += heldCount_;
            heldCount_ = 0;
            recent_ = 0;
            state_ = kComment;
          }
          break;
        }
        // Anything else: an instruction, or the first element (or something
        // the reader will complain about); from an element on, no more work.
        memcpy(out + o, held_, heldCount_);
        o += heldCount_;
        state_ = heldCount_ == 2 && c == '?' ? kInstruction : kBody;
        heldCount_ = 0;
        recent_ = 0;
        break;
      case kInstruction:
        out[o++] = c;
        if (Ends(recent_, "?>")) state_ = kProlog;
        break;
      case kComment:
        out[o++] = c;
        if (Ends(recent_, "-->")) state_ = kProlog;
        break;
      case kDeclaration:
      case kSubset:
        if (c == '\n') out[o++] = c;
        if (quote_) {
          if (c == quote_) quote_ = 0;
        } else if (c == '"' || c == '\'') {
          quote_ = c;
        } else if (state_ == kDeclaration) {
          if (c == '[') state_ = kSubset;
          else if (c == '>') state_ = kProlog;
        } else if (c == ']') {
          state_ = kDeclaration;
        } else if (Ends(recent_, kCommentOpen)) {
          recent_ = 0;
          state_ = kSubsetComment;
        }
        break;
      case kSubsetComment:
        if (c == '\n') out[o++] = c;
        if (Ends(recent_, "-->")) state_ = kSubset;
        break;
      case kBody:
        break;
    }
  }
  return o;
}

size_t DoctypeFilter::Finish(char* out) {
  size_t n = heldCount_;
  memcpy(out, held_, n);
  heldCount_ = 0;
  return n;
}
