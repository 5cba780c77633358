// Pixel-replication scalers: each source pixel becomes a 2x2 or 4x4 block.
#pragma once
#include <cstdint>

void scale2x(const uint8_t *source, uint8_t *destination, int source_pitch, int destination_pitch,
             int width, int height);
void scale4x(const uint8_t *source, uint8_t *destination, int source_pitch, int destination_pitch,
             int width, int height);
