// The mouse: position and held buttons, mapped to virtual-screen pixels.
#include "input/mouse.h"
#include "video/graphics.h"
#include <SDL.h>

int32_t mouse_x;
int32_t mouse_y;
uint8_t mouse_b;

namespace {
// Left of or above the picture reads as 0; there is no upper clamp.
int32_t mouse_map(int32_t window_pos, int margin) {
  const int32_t pos = window_pos - margin;
  return pos < 0 ? 0 : pos >> graphics_scale_shifts;
}
} // namespace

void mouse_update() {
  SDL_PumpEvents();
  int x = 0, y = 0;
  mouse_b = SDL_GetMouseState(&x, &y);
  mouse_x = mouse_map(x, graphics_margin_left);
  mouse_y = mouse_map(y, graphics_margin_top);
}
