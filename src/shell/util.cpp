// Line reader, screen clear, shade palette and text output.
#include "shell/util.h"
#include "canvas/draw.h"
#include "canvas/vga-8x8.h"
#include "shell/random.h"
#include "video/graphics.h"
#include "video/palette.h"
#include <cstring>
#include <unistd.h>

int32_t fdreadline(int32_t fd, char *buffer, int32_t size) {
  if (size <= 1) {
    if (size == 1) buffer[0] = '\0';
    return 0;
  }
  int32_t stored = 0;
  for (;;) {
    // One byte per read, so nothing past the line end is taken from the file.
    char ch;
    if (read(fd, &ch, 1) != 1) {
      if (stored == 0) return -1; // the buffer stays as it was
      break;
    }
    if (ch == '\n' || ch == '\r') {
      if (stored == 0) continue; // blank line, or the LF of CR LF
      break;
    }
    buffer[stored++] = ch;
    if (stored == size - 1) break;
  }
  buffer[stored] = '\0';
  return stored;
}

void clr() {
  draw_pane(0, 0, 320, 200, 0);
  graphics_update();
}

void set_shade_palette() {
  // One ramp per component, rising 12 a step from a random dark start.
  for (int component = 0; component < 3; component++) {
    int base = rand8() % 14 + 5;
    for (int i = 0; i < 16; i++) palette[(16 + i) * 3 + component] = static_cast<uint8_t>(4 * (base + 3 * i));
  }
  palette_set(palette);
}

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
