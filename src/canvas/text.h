// Text output in the built-in 8x8 font. Glyph row r is drawn in palette
// index colour + r, so a line shows an eight-step ramp from colour on.
#pragma once
#include "canvas/canvas.h"

// Text with its first cell's left edge at x; ink off the canvas is dropped.
void fwritexy(canvas *c, int x, int y, const char *text, int colour);
// The same with the text ending at x.
void fwritexy_right(canvas *c, int x, int y, const char *text, int colour);
