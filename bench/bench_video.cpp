// Presentation speed: the scalers over the whole virtual screen, and one
// whole frame presented at 4x through SDL (dummy driver).
#include "video/graphics.h"
#include "video/scale.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> bench_source() {
  std::vector<uint8_t> src(320 * 200);
  for (size_t i = 0; i < src.size(); i++) src[i] = static_cast<uint8_t>(i * 31 + (i >> 7));
  return src;
}

void BM_scale2x_320x200(benchmark::State &state) {
  const auto src = bench_source();
  std::vector<uint8_t> dst(640 * 400);
  for (auto _ : state) {
    scale2x(src.data(), dst.data(), 320, 640, 320, 200);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 640 * 400);
}
BENCHMARK(BM_scale2x_320x200);

void BM_scale4x_320x200(benchmark::State &state) {
  const auto src = bench_source();
  std::vector<uint8_t> dst(1280 * 800);
  for (auto _ : state) {
    scale4x(src.data(), dst.data(), 320, 1280, 320, 200);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 1280 * 800);
}
BENCHMARK(BM_scale4x_320x200);

// A whole frame: scaling into the display surface plus SDL_Flip, in a
// 1280x800 window.
void BM_graphics_update_4x(benchmark::State &state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  graphics_set_fullscreen(0); // display still closed: open as a window
  if (!graphics_init()) {
    state.SkipWithError("no display");
    return;
  }
  graphics_resize(1280, 800);
  if (!sdl_rscrn || graphics_scale_shifts != 2) {
    graphics_done();
    state.SkipWithError("no 1280x800 window");
    return;
  }
  const auto src = bench_source();
  std::copy(src.begin(), src.end(), vscrn);
  for (auto _ : state) graphics_update();
  graphics_done();
}
BENCHMARK(BM_graphics_update_4x);

} // namespace
