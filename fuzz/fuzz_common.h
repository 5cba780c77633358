// Shared by the loader fuzz targets: canvases sized exactly to their pixel
// blocks (so the address sanitizer sees any write past them) and a check
// that a palette buffer never changes the pixels.
#pragma once
#include "canvas/canvas.h"
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

struct fuzz_canvas {
  canvas c;
  std::unique_ptr<uint8_t[]> block;
  fuzz_canvas(int width, int height, int pitch)
      : c{nullptr, pitch, width, height, nullptr},
        block(new uint8_t[size_t(height - 1) * pitch + width]) {
    c.pixels = block.get();
    std::memset(c.pixels, 0, size_t(height - 1) * pitch + width);
  }
};

inline bool fuzz_same(const canvas *a, const canvas *b) {
  if (!a || !b) return a == b;
  if (a->width != b->width || a->height != b->height) return false;
  for (int y = 0; y < a->height; y++)
    if (std::memcmp(a->pixels + size_t(y) * a->pitch, b->pixels + size_t(y) * b->pitch,
                    size_t(a->width)))
      return false;
  return true;
}

// Loads without a canvas with and without a palette; the two must agree.
template <typename Load> inline void fuzz_new_canvas(Load load) {
  uint8_t palette[768];
  canvas *a = load(nullptr, palette);
  canvas *b = load(nullptr, nullptr);
  if (!fuzz_same(a, b)) std::abort();
  if (a) canvas_free(a);
  if (b) canvas_free(b);
}
