// libFuzzer target: the PC1 loader on arbitrary bytes.
#include "fuzz_common.h"
#include "image/stpic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::span<const uint8_t> file(data, size);
  fuzz_new_canvas([&](canvas *c, uint8_t *pal) { return pc1_load_bytes(file, c, pal, nullptr); });
  fuzz_canvas screen(320, 200, 320);
  if (pc1_load_bytes(file, &screen.c, nullptr, nullptr) != &screen.c) std::abort();
  return 0;
}
