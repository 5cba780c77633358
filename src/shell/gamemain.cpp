// The frame loop: logic at 50 ticks a second, one draw and present per pass.
#include "shell/gamemain.h"
#include "input/control.h"
#include "input/input.h"
#include "shell/glob.h"
#include "shell/timer.h"
#include "video/graphics.h"

namespace {
constexpr uint32_t TICK_MS = GAME_TICK_MS;
// Press phase of the key wait: fire and Escape have been seen up since the
// last accepted press. Kept from one wait to the next.
int ready;
} // namespace

int game_mainloop(game_logics logics, game_graphics graphics) {
  for (;;) {
    while (timer_update() < TICK_MS) {
    }
    input_update();
    if (input_quit) return GAME_QUIT;
    if (keys[SDLK_ESCAPE]) {
      // Wait for the release so the next screen does not see the same press.
      // A window close also ends the wait, or a key held through it would
      // hang the program; the next loop reports the quit. The clock is read
      // as in every pass (the time adds up the same either way), which is
      // where tests script the release.
      while (keys[SDLK_ESCAPE] && !input_quit) {
        timer_update();
        input_update();
      }
      return GAME_ESCAPE;
    }
    while (timer >= TICK_MS) {
      const int result = logics();
      if (result) return result;
      timer -= TICK_MS;
    }
    if (graphics) graphics();
    graphics_update();
  }
}

int game_wait_key_down_logics() {
  const int c = control_check_any();
  if (!(c & (CONTROL_FIRE | CONTROL_ESCAPE))) {
    ready = 1;
    return 0;
  }
  if (!ready) return 0; // held since before the wait: needs a fresh press
  ready = 0;
  return (c & CONTROL_FIRE) ? GAME_DONE : GAME_ESCAPE;
}

int game_wait_key_up_logics() {
  return (control_check_any() & (CONTROL_FIRE | CONTROL_ESCAPE)) ? 0 : GAME_DONE;
}

int game_wait_key(game_graphics graphics) {
  const int pressed = game_mainloop(game_wait_key_down_logics, graphics);
  if (pressed == GAME_QUIT) return GAME_QUIT;
  if (game_mainloop(game_wait_key_up_logics, graphics) == GAME_QUIT) return GAME_QUIT;
  return pressed;
}
