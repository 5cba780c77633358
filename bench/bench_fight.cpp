// One whole frame of the fight screen during an attack: a logic tick, the
// draw, and presentation at 4x in a 1280x800 window (dummy driver).
#include "canvas/canvas.h"
#include "fight/play.h"
#include "input/input.h"
#include "input/inputdev.h"
#include "qira-kit/picture.h"
#include "shell/fightset.h"
#include "video/graphics.h"
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

kit_picture bench_picture(int seed) {
  kit_picture pic;
  pic.width = 320;
  pic.height = 200;
  pic.pixels.resize(320 * 200);
  for (int y = 0; y < 200; y++)
    for (int x = 0; x < 320; x++) pic.pixels[y * 320 + x] = uint8_t((x / 8 + y / 8 + seed) & 15);
  for (int i = 0; i < 16; i++)
    pic.palette[3 * i] = pic.palette[3 * i + 1] = pic.palette[3 * i + 2] = uint8_t(i * 17);
  return pic;
}

void BM_fight_frame_4x(benchmark::State &state) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "qira-bench-fight";
  fs::create_directories(dir);
  std::string error;
  if (!kit_write((dir / "bg.pi1").string(), bench_picture(0), error) ||
      !kit_write((dir / "sheet.pi1").string(), bench_picture(5), error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  graphics_set_fullscreen(0);
  if (!graphics_init()) {
    state.SkipWithError("no display");
    return;
  }
  graphics_resize(1280, 800);
  input_init();
  vscrn_canvas.pixels = vscrn;
  const fs::path cwd = fs::current_path();
  fs::current_path(dir);

  fightset_entry &set = fightset[0];
  set.name = strdup("Bench");
  set.background = strdup("bg.pi1");
  set.fighters[0] = {strdup("sheet.pi1"), 15};
  set.fighters[1] = {strdup("sheet.pi1"), 15};
  fightset_count = 1;
  current_fightset = &set;
  player_control[0] = {INPUT_DEV_KEYBOARD, 0, SDLK_RETURN};
  if (play_enter() != 0) {
    state.SkipWithError("fight did not load");
  } else {
    keys[SDLK_RETURN] = 1; // held: the attack repeats every 31 ticks
    for (auto _ : state) {
      play_logics();
      play_graphics();
      graphics_update();
    }
    play_leave();
  }
  fs::current_path(cwd);
  fightset_clear();
  graphics_done();
  fs::remove_all(dir);
}
BENCHMARK(BM_fight_frame_4x);

} // namespace
