// Rectangle movers; callers clip. The names are the design's: blit_no is
// the opaque ("no transparency") copy, blit_nt the one that leaves colour 0
// out ("transparent").
#pragma once
#include <cstdint>

// Opaque copy.
void blit_no(const uint8_t *src, int src_pitch, uint8_t *dst, int dst_pitch, int width, int height);
// Copy skipping source pixels of colour 0.
void blit_nt(const uint8_t *src, int src_pitch, uint8_t *dst, int dst_pitch, int width, int height);
