// Opacity arithmetic of the window transparency.
#include "decor/alpha.h"

unsigned char TransparencyLevelFromSetting(int stored) {
  return (unsigned char)((unsigned)stored & 0xFFu);
}

unsigned char AlphaFromLevel(unsigned char level) {
  if (level >= 100) return 255;
  return (unsigned char)(level * 255u / 100u);
}
