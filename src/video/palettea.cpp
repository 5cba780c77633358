// palettea: palette component conversions between the 8-bit and the 6-bit
// range, with no SDL.
#include "video/palette.h"

void palette_adjust(uint8_t *buffer) {
  for (int i = 0; i < PALETTE_BYTES; i++) buffer[i] = static_cast<uint8_t>(buffer[i] >> 2);
}

// c * 4 plus the top bits shifted in; for 6-bit input that is exactly c * 4,
// and wider input wraps modulo 256.
void palette_normalize(uint8_t *buffer) {
  for (int i = 0; i < PALETTE_BYTES; i++) {
    const unsigned c = buffer[i];
    buffer[i] = static_cast<uint8_t>((c << 2) + (c >> 6));
  }
}
