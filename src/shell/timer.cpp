// Millisecond timer for the frame loop, polled (no SDL timer callbacks).
#include "shell/timer.h"
#include <SDL.h>

// Milliseconds of real time not yet consumed by logic ticks.
uint32_t timer;
timer_clock_fn timer_clock = [] { return static_cast<uint32_t>(SDL_GetTicks()); };
namespace {

// The clock's count at the previous update.
uint32_t timer_last;

} // namespace

void timer_init() {
  SDL_InitSubSystem(SDL_INIT_TIMER);
  timer = 0;
  timer_last = timer_clock();
}

void timer_done() { SDL_QuitSubSystem(SDL_INIT_TIMER); }

uint32_t timer_update() {
  const uint32_t now = timer_clock();
  timer += now - timer_last; // unsigned: a wrap of the clock still adds the right amount
  timer_last = now;
  return timer;
}

void delay(uint32_t milliseconds) { SDL_Delay(milliseconds); }
