// libFuzzer target: the NEO loader on arbitrary bytes, with and without
// the caller's raw buffer.
#include "fuzz_common.h"
#include "image/stpic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::span<const uint8_t> file(data, size);
  fuzz_new_canvas(
      [&](canvas *c, uint8_t *pal) { return neo_load_bytes(file, nullptr, c, pal, nullptr); });
  std::unique_ptr<uint8_t[]> raw(new uint8_t[NEO_READ_BYTES]);
  fuzz_canvas screen(320, 200, 320);
  if (neo_load_bytes(file, raw.get(), &screen.c, nullptr, nullptr) != &screen.c) std::abort();
  if (std::memcmp(raw.get(), data, size < NEO_READ_BYTES ? size : NEO_READ_BYTES)) std::abort();
  return 0;
}
