// The ButtonEx control's arithmetic, kept apart from the window code so that it
// can be tested natively: style bits, the choice of look, the soft frame's lines
// and pixels, content positions, the text copies and the pointer-inside rule.
#pragma once

// Style bits of the button (the low word of the window style).
#define BXS_TEXTFIRST   0x0001
#define BXS_TEXTTOP     0x0004
#define BXS_IMAGETOP    0x0008
#define BXS_KEEPCOLORS  0x0010
#define BXS_FOCUSRECT   0x0020
#define BXS_ICON        0x0040
#define BXS_BITMAP      0x0080
#define BXS_SOFT        0x0100
#define BXS_IMAGEONLY   0x0400
#define BXS_STARK       0x0800
#define BXS_IMAGEONLY2  0x1000
#define BXS_LATCH       0x2000
#define BXS_HOVER       0x4000
#define BXS_SYSFRAME    0x20000

// Window-style bits the control looks at (same values as the system's).
#define BX_WS_TABSTOP   0x00010000u
#define BX_WS_BORDER    0x00800000u

// Colours in the platform's 0x00BBGGRR order.
#define BX_RGB(r, g, b) ((unsigned)(r) | ((unsigned)(g) << 8) | ((unsigned)(b) << 16))

#define BX_SOFT_OUTLINE     BX_RGB(130, 135, 144)
#define BX_CORNER           BX_RGB(128, 128, 128)
#define BX_CORNER_LIGHT     BX_RGB(214, 208, 197)
#define BX_DISABLED_TEXT    BX_RGB(128, 128, 128)
#define BX_SOFT_TEXT        BX_RGB(40, 50, 90)
#define BX_SOFT_BACKGROUND  BX_RGB(243, 243, 239)

// Longest text the measuring copy holds (plus its terminator).
#define BX_MEASURE_CHARS 256

enum ButtonExBehaviour { BX_PLAIN, BX_HOVERING, BX_LATCHING };
enum ButtonExLook { BX_LOOK_RAISED, BX_LOOK_PRESSED, BX_LOOK_FLAT, BX_LOOK_HOVER };
enum ButtonExSoftCase { BX_SOFT_RAISED, BX_SOFT_FOCUSED_RAISED, BX_SOFT_PRESSED, BX_SOFT_FOCUSED_PRESSED };

// The style a new button keeps: soft drops the border, latching implies hover.
unsigned ButtonExAdjustStyle(unsigned style);
ButtonExBehaviour ButtonExBehaviourOf(unsigned style);

// The look WM_PAINT draws. pressedInside is the plain button's own held state.
ButtonExLook ButtonExChooseLook(unsigned style, int hot, int atRest, int latched, int pressedInside);

// The three shading pen colours of a soft case.
void ButtonExSoftPens(ButtonExSoftCase softCase, unsigned pens[3]);

// One line of the soft shading, from (x1, y1) to (x2, y2), end point not drawn.
struct ButtonExLine { int pen; int x1, y1, x2, y2; };
// Fills out[] (room for 8) with the shading lines of the case; returns the count.
int ButtonExSoftLines(ButtonExSoftCase softCase, int l, int t, int r, int b, ButtonExLine* out);

// A softening pixel: corner grey, or corner light when light is set.
struct ButtonExPixel { int x, y, light; };
// Fills out[] (room for 10) with the corner pixels; returns the count.
int ButtonExSoftPixels(int pressedCase, int l, int t, int r, int b, ButtonExPixel* out);

// Where the text and the image go inside a W x H button.
struct ButtonExPlace { int textX, textY, imageX, imageY; };
ButtonExPlace ButtonExPlaceContent(unsigned style, int W, int H, int hasText, int cx, int cy,
                                   int hasImage, int w, int h);

// The measuring copy: the first size - 1 characters of text with every '&' left
// out, always terminated. Returns its length.
int ButtonExStripPrefix(const char* text, char* out, int size);

// The character right after the first '&', or 0.
int ButtonExMnemonic(const char* text);

// Copies at most size - 1 characters and a terminator; nothing with no room.
// Returns the number of characters copied.
int ButtonExCopyText(char* buffer, int size, const char* text);

// True when a class name (as read into 14 characters) names this control.
int ButtonExClassMatches(const char* className);

// Plain button held down: is the pointer at the 16-bit client coordinates
// (x, y) inside? The single point (width, height) keeps the previous answer.
int ButtonExPointerInside(unsigned x, unsigned y, int width, int height, int previous);
