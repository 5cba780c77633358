// Screen clear and shade palette.
#include "shell/util.h"
#include "shell/glob.h"
#include "shell/random.h"
#include "video/draw_pane.h"
#include "video/graphics.h"
#include "video/palette.h"

void clr() {
  draw_pane(0, 0, VSCRN_W, VSCRN_H, 0);
  graphics_update();
}

void set_shade_palette() {
  // One ramp per component, rising 12 a step from a random dark start.
  for (int component = 0; component < 3; component++) {
    int base = rand8() % 14 + 5;
    for (int i = 0; i < SHADE_COUNT; i++)
      palette[(SHADE_FIRST + i) * 3 + component] = static_cast<uint8_t>(4 * (base + 3 * i));
  }
  palette_set(palette);
}
