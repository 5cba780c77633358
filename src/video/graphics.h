// The SDL display: mode choice, the 320x200 virtual screen and its presentation.
#pragma once
#include "canvas/canvas.h"
#include <SDL.h>
#include <cstdint>
#include <span>

// The virtual screen surface (320x200, 8 bits, rows exactly 320 bytes apart).
extern SDL_Surface *sdl_vscrn;
// Its first pixel, as the presenters read it: the same address as vscrn
// (canvas/canvas.h), under the capital name the design gives raw display
// addresses.
extern uint8_t *VSCRN;
// The display surface of the current mode (owned by SDL).
extern SDL_Surface *sdl_rscrn;
// Display address of the picture's top-left pixel.
extern uint8_t *RSCRN;
// Border around the centred picture, in display pixels.
extern int graphics_margin_left;
extern int graphics_margin_top;
// log2 of the scale: 0, 1 or 2.
extern int graphics_scale_shifts;

// Returns the virtual screen's pixels, or null when no display can be opened.
uint8_t *graphics_init();
void graphics_done();
void graphics_update();
int graphics_get_fullscreen();
// 1 when the display is now in the asked state. A failed switch sets the
// previous mode again and returns 0. While the display is closed it only
// chooses how the next graphics_init opens (full screen is the default).
int graphics_set_fullscreen(int on);
// Sets a mode of exactly this size (full screen or window as the flag says);
// when SDL refuses it nothing is presented until a mode is set again.
void graphics_resize(int width, int height);

// Pure parts of the mode choice, exposed for tests and tools.
struct graphics_mode {
  int width, height;
};
enum graphics_presenter {
  GRAPHICS_NOSCALE,        // SDL blit to the top-left corner (exactly 320x200)
  GRAPHICS_NOSCALE_MARGIN, // row copy honouring the margins
  GRAPHICS_SCALE2X,
  GRAPHICS_SCALE4X,
};
struct graphics_choice {
  int index;          // position of the winner in the list, else -1
  graphics_mode mode; // the winner; 0x0 when none qualifies
  int shifts;         // scale shift of the winner
  graphics_presenter presenter;
  int margin_left, margin_top;
};
// Scores a full-screen mode list the way the display does and returns the winner.
graphics_choice graphics_choose_mode(std::span<const graphics_mode> modes);
// The full-screen mode: the desktop's own size when SDL offers it (listed, or
// any_size for SDL's "every size will do"), so that the monitor shows the
// picture on its own pixels at a whole scale; else the best-scoring mode. A
// desktop of 0x0 is unknown.
graphics_choice graphics_choose_fullscreen(std::span<const graphics_mode> modes, bool any_size,
                                           graphics_mode desktop);
// The window size used for a desktop of the given size.
graphics_mode graphics_windowed_size(int desktop_w, int desktop_h);
