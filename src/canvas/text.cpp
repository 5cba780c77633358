// Text output in the built-in font, onto any canvas.
#include "canvas/text.h"
#include "canvas/vga-8x8.h"
#include <cstring>

namespace {

// Text from cell x on; 64-bit so that no placement can overflow.
void write_text(canvas *c, int64_t x, int y, const char *text, int colour) {
  if (!text || !c || !c->pixels) return;
  // Glyph row r covers canvas row y + r; a cell's ink lies in columns
  // x + 1 .. x + 8. Ink off the canvas is dropped.
  const int64_t width = c->width, height = c->height;
  int64_t cell = x;
  for (auto *p = reinterpret_cast<const unsigned char *>(text); *p; p++, cell += 8) {
    if (cell >= width) break; // this and every later cell lie right of the canvas
    if (cell + 8 < 0) continue;
    const uint8_t *glyph = &vga_8x8[*p * 8];
    for (int r = 0; r < 8; r++) {
      int64_t row = int64_t{y} + r;
      uint8_t bits = glyph[r];
      if (bits == 0 || row < 0 || row >= height) continue;
      uint8_t *line = c->pixels + row * c->pitch;
      auto ink = static_cast<uint8_t>((colour & 0xFF) + r);
      for (int b = 0; b < 8; b++) {
        int64_t col = cell + 8 - b;
        if (((bits >> b) & 1) != 0 && col >= 0 && col < width) line[col] = ink;
      }
    }
  }
}

} // namespace

void fwritexy(canvas *c, int x, int y, const char *text, int colour) {
  write_text(c, x, y, text, colour);
}

void fwritexy_right(canvas *c, int x, int y, const char *text, int colour) {
  write_text(c, int64_t{x} - 8 * static_cast<int64_t>(std::strlen(text)), y, text, colour);
}
