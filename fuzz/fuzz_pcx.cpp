// libFuzzer target: the PCX loader on arbitrary bytes, into new canvases
// and into given ones of several shapes.
#include "fuzz_common.h"
#include "image/pcx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::span<const uint8_t> file(data, size);
  // New canvases of more than a megapixel cost milliseconds to clear and
  // teach nothing new; the given canvases below still see those headers.
  long long rows = size >= 128 ? (data[10] | data[11] << 8) - (data[6] | data[7] << 8) + 1 : 0;
  long long bpl = size >= 128 ? data[66] | data[67] << 8 : 0;
  if (rows * bpl <= (1 << 20))
    fuzz_new_canvas([&](canvas *c, uint8_t *pal) {
      uint8_t header[128];
      return pcx_load_bytes(file, header, c, pal, nullptr);
    });
  fuzz_canvas screen(320, 200, 320), small(7, 3, 7), pitched(5, 4, 9);
  for (fuzz_canvas *f : {&screen, &small, &pitched}) {
    const char *error = nullptr;
    canvas *got = pcx_load_bytes(file, nullptr, &f->c, nullptr, &error);
    if (got != &f->c && !error) std::abort();
  }
  return 0;
}
