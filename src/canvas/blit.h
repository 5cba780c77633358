// Rectangle movers; callers clip.
#pragma once
#include <cstdint>

// Opaque copy.
void blit_no(const uint8_t *src, int src_pitch, uint8_t *dst, int dst_pitch, int width, int height);
// Copy skipping source pixels of colour 0.
void blit_nt(const uint8_t *src, int src_pitch, uint8_t *dst, int dst_pitch, int width, int height);
