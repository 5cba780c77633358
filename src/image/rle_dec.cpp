// PackBits decoding, bounded by both the input and the output room.
#include "image/rle_dec.h"
#include <cstring>

const uint8_t *rle_dec(const uint8_t *source, const uint8_t *source_end, uint8_t *destination,
                       int count, int *produced) {
  int done = 0;
  while (done < count && source < source_end) {
    unsigned b = *source++;
    int room = count - done;
    if (b >= 128) {
      // Run: one value, 257 - b times.
      if (source == source_end) break;
      int n = static_cast<int>(257 - b);
      std::memset(destination + done, *source++, static_cast<size_t>(n < room ? n : room));
      done += n < room ? n : room;
    } else {
      // Literal: the next b + 1 bytes, or those the input still has.
      size_t n = b + 1;
      size_t have = static_cast<size_t>(source_end - source);
      if (n > have) n = have;
      size_t put = n < static_cast<size_t>(room) ? n : static_cast<size_t>(room);
      std::memcpy(destination + done, source, put);
      source += n;
      done += static_cast<int>(put);
    }
  }
  if (produced) *produced = done;
  return source;
}
