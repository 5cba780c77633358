// Pixel-replication scalers. Each destination row of a pixel gets one wide
// store; memcpy keeps the stores legal at any alignment (the left margin may
// be odd) and the repeated byte makes them independent of byte order.
#include "video/scale.h"
#include <cstring>

void scale2x(const uint8_t *source, uint8_t *destination, int source_pitch, int destination_pitch,
             int width, int height) {
  for (int y = 0; y < height; y++) {
    uint8_t *row0 = destination;
    uint8_t *row1 = destination + destination_pitch;
    for (int x = 0; x < width; x++) {
      const uint16_t pair = static_cast<uint16_t>(source[x] * 0x0101u);
      std::memcpy(row0 + 2 * x, &pair, 2);
      std::memcpy(row1 + 2 * x, &pair, 2);
    }
    source += source_pitch;
    destination += 2 * destination_pitch;
  }
}

void scale4x(const uint8_t *source, uint8_t *destination, int source_pitch, int destination_pitch,
             int width, int height) {
  for (int y = 0; y < height; y++) {
    uint8_t *row0 = destination;
    uint8_t *row1 = row0 + destination_pitch;
    uint8_t *row2 = row1 + destination_pitch;
    uint8_t *row3 = row2 + destination_pitch;
    for (int x = 0; x < width; x++) {
      const uint32_t quad = source[x] * 0x01010101u;
      std::memcpy(row0 + 4 * x, &quad, 4);
      std::memcpy(row1 + 4 * x, &quad, 4);
      std::memcpy(row2 + 4 * x, &quad, 4);
      std::memcpy(row3 + 4 * x, &quad, 4);
    }
    source += source_pitch;
    destination += 4 * destination_pitch;
  }
}
