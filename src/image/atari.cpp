// Atari ST colour words and bitplanes to the program's 8-bit form.
#include "image/atari.h"
#include "image/bytes.h"
#include <array>
#include <bit>
#include <cstring>

const uint8_t st2gdos[16] = {0, 15, 1, 2, 4, 6, 3, 5, 7, 8, 9, 10, 12, 14, 11, 13};
const uint8_t gdos2st[16] = {0, 2, 3, 6, 4, 7, 5, 8, 9, 10, 11, 14, 12, 15, 13, 1};

void atari_palette_atari2host(const uint8_t *st_palette, uint8_t *rgb) {
  for (int i = 0; i < 16; i++) {
    unsigned w = bytes_be16_at(st_palette + 2 * i);
    rgb[3 * i + 0] = static_cast<uint8_t>(((w >> 8) & 7) * 73 >> 1);
    rgb[3 * i + 1] = static_cast<uint8_t>(((w >> 4) & 7) * 73 >> 1);
    rgb[3 * i + 2] = static_cast<uint8_t>((w & 7) * 73 >> 1);
  }
}

namespace {

// For one plane byte, its 8 bits as 8 pixel bytes of 0 or 1, leftmost pixel
// (bit 7) first in memory. Built for the host's byte order so that one
// 8-byte store puts the pixels in place.
constexpr std::array<uint64_t, 256> atari_spread = [] {
  std::array<uint64_t, 256> t{};
  for (unsigned x = 0; x < 256; x++) {
    uint64_t v = 0;
    for (unsigned i = 0; i < 8; i++) {
      unsigned shift = std::endian::native == std::endian::little ? 8 * i : 8 * (7 - i);
      v |= static_cast<uint64_t>((x >> (7 - i)) & 1) << shift;
    }
    t[x] = v;
  }
  return t;
}();

// Eight pixels from the same byte (high or low) of the four plane words.
static inline void atari_eight(uint8_t *dst, uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  uint64_t v =
      atari_spread[b0] | atari_spread[b1] << 1 | atari_spread[b2] << 2 | atari_spread[b3] << 3;
  std::memcpy(dst, &v, 8);
}

} // namespace

void atari_pixels_atari2vga(const uint8_t *source, uint8_t *destination, int count) {
  int groups = count / 16;
  for (int g = 0; g < groups; g++, source += 8, destination += 16) {
    // Words p0..p3 big-endian: byte 0 of each is the left eight pixels.
    atari_eight(destination, source[0], source[2], source[4], source[6]);
    atari_eight(destination + 8, source[1], source[3], source[5], source[7]);
  }
}

void atari2vga_picture16(const uint8_t *source, uint8_t *destination) {
  atari_pixels_atari2vga(source, destination, 64000);
}

void atari_pixels_atari2vga_x(const uint8_t *source, uint8_t *destination, int) {
  for (int line = 0; line < 200; line++, source += 160, destination += 320) {
    // Plane k's word g of this line is at 40k + 2g, big-endian.
    for (int g = 0; g < 20; g++) {
      const uint8_t *p = source + 2 * g;
      atari_eight(destination + 16 * g, p[0], p[40], p[80], p[120]);
      atari_eight(destination + 16 * g + 8, p[1], p[41], p[81], p[121]);
    }
  }
}
