// Opacity arithmetic of the window transparency.
#pragma once

// The level start-up and Cancel hand on: only the low byte of the stored value.
unsigned char TransparencyLevelFromSetting(int stored);

// Alpha of a level in percent: level * 255 / 100, truncated. Levels above 100
// are opaque (255) rather than wrapping round to a nearly invisible window.
unsigned char AlphaFromLevel(unsigned char level);
