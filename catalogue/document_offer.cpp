// The offer's decision and the stamp that remembers a "No".
#include "catalogue/document_offer.h"
#include <cstring>

static size_t PutDecimal(unsigned long long value, char* out, size_t at, size_t outSize) {
  char digits[24];
  size_t n = 0;
  do {
    digits[n++] = (char)('0' + value % 10);
    value /= 10;
  } while (value);
  while (n > 0 && at + 1 < outSize) out[at++] = digits[--n];
  return at;
}

void EmulatorStamp(const FileFacts& emulator, char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  size_t at = PutDecimal(emulator.size, out, 0, outSize);
  if (at + 1 < outSize) out[at++] = ' ';
  at = PutDecimal(emulator.writeTime, out, at, outSize);
  out[at] = 0;
}

bool ShouldOfferDocument(const OfferFacts& facts) {
  if (!facts.tool.present || !facts.emulator.present) return false;
  if (facts.document.present && facts.document.writeTime >= facts.emulator.writeTime) return false;
  char stamp[48];
  EmulatorStamp(facts.emulator, stamp, sizeof stamp);
  return !facts.declined || strcmp(facts.declined, stamp) != 0;
}
