// Opaque rectangle copy.
#include "canvas/blit.h"
#include <cstring>

void blit_no(const uint8_t *src, int src_pitch, uint8_t *dst, int dst_pitch, int width,
             int height) {
  // Gap-free on both sides: one run for the whole block.
  if (width == src_pitch && src_pitch == dst_pitch) {
    if (width > 0 && height > 0)
      std::memcpy(dst, src, static_cast<size_t>(width) * static_cast<size_t>(height));
    return;
  }
  int n = width;
  if (n > src_pitch) n = src_pitch;
  if (n > dst_pitch) n = dst_pitch;
  if (n <= 0) return;
  for (int row = 0; row < height; row++) {
    std::memcpy(dst, src, static_cast<size_t>(n));
    src += src_pitch;
    dst += dst_pitch;
  }
}
