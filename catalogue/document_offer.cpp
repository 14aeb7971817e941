// The offer's decision and the stamp that remembers a "No".
#include "catalogue/document_offer.h"
#include <cstdio>
#include <cstring>

void EmulatorStamp(const FileFacts& emulator, char* out, size_t outSize) {
  if (!out || outSize == 0) return;
  snprintf(out, outSize, "%llu %llu", emulator.size, emulator.writeTime);
}

bool ShouldOfferDocument(const OfferFacts& facts) {
  if (!facts.tool.present || !facts.emulator.present) return false;
  if (facts.document.present && facts.document.writeTime >= facts.emulator.writeTime) return false;
  char stamp[48];
  EmulatorStamp(facts.emulator, stamp, sizeof stamp);
  return !facts.declined || strcmp(facts.declined, stamp) != 0;
}
