// A filled rectangle on the virtual screen, by SDL's surface fill.
#include "video/draw_pane.h"
#include "video/graphics.h"

void draw_pane(int x, int y, int width, int height, int colour) {
  if (!sdl_vscrn) return;
  // SDL_Rect holds 16-bit fields; the arguments are cut to them.
  SDL_Rect r;
  r.x = static_cast<Sint16>(x);
  r.y = static_cast<Sint16>(y);
  r.w = static_cast<Uint16>(width);
  r.h = static_cast<Uint16>(height);
  SDL_FillRect(sdl_vscrn, &r, static_cast<Uint32>(colour & 0xFF));
}
