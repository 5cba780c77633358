// libFuzzer target: the PackBits decoder. The first two bytes give the
// room (big-endian); the output buffer is exactly that big.
#include "image/rle_dec.h"
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 2) return 0;
  int count = data[0] << 8 | data[1];
  std::unique_ptr<uint8_t[]> out(new uint8_t[count ? count : 1]);
  int produced = -1;
  const uint8_t *end = rle_dec(data + 2, data + size, out.get(), count, &produced);
  if (end < data + 2 || end > data + size || produced < 0 || produced > count) std::abort();
  // Not asking for the count changes nothing else.
  if (rle_dec(data + 2, data + size, out.get(), count) != end) std::abort();
  return 0;
}
