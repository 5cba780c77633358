// Text output and the filled disc, the two drawing paths the screens lean on.
#include "canvas/canvas.h"
#include "canvas/draw.h"
#include "shell/util.h"
#include "video/graphics.h"
#include <benchmark/benchmark.h>
#include <vector>

namespace {

void BM_fwritexy_40_chars(benchmark::State &state) {
  std::vector<uint8_t> pixels(320 * 200, 0);
  canvas c{nullptr, 320, 320, 200, pixels.data()};
  const char *line = "The quick brown fox jumps over the lazy ";
  for (auto _ : state) {
    fwritexy(&c, 0, 96, line, 24);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(BM_fwritexy_40_chars);

void BM_draw_disc_r50(benchmark::State &state) {
  // The primitives draw through vscrn; give them a screen of their own.
  std::vector<uint8_t> screen(320 * 200, 0);
  uint8_t *saved = vscrn;
  vscrn = screen.data();
  for (auto _ : state) {
    draw_disc(160, 100, 50, 7);
    benchmark::ClobberMemory();
  }
  vscrn = saved;
}
BENCHMARK(BM_draw_disc_r50);

} // namespace
