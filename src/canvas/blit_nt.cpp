// Rectangle copy with colour 0 transparent.
#include "canvas/blit.h"

void blit_nt(const uint8_t *src, int src_pitch, uint8_t *dst, int dst_pitch, int width,
             int height) {
  for (int row = 0; row < height; row++) {
    for (int x = 0; x < width; x++)
      if (src[x] != 0) dst[x] = src[x];
    src += src_pitch;
    dst += dst_pitch;
  }
}
