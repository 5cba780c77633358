// libFuzzer target: the PI1 loader on arbitrary bytes.
#include "fuzz_common.h"
#include "image/stpic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::span<const uint8_t> file(data, size);
  fuzz_new_canvas([&](canvas *c, uint8_t *pal) { return pi1_load_bytes(file, c, pal, nullptr); });
  fuzz_canvas screen(320, 200, 320);
  const char *error = nullptr;
  if (pi1_load_bytes(file, &screen.c, nullptr, &error) != &screen.c) std::abort();
  return 0;
}
