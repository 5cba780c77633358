// The control mask: every device reduced to directions and buttons.
#include "input/control.h"
#include "input/input.h"
#include "input/inputdev.h"
#include "input/joystick.h"
#include "input/mouse.h"
#include <SDL.h>

namespace {

bool key_held(int sym) { return sym >= 0 && sym < SDLK_LAST && keys[sym] != 0; }
bool mouse_bit(int bit) { return bit >= 0 && bit < 8 && (mouse_b >> bit & 1); }

// Opposite directions of one key pair cancel.
int key_pair(int minus_key, int plus_key, int minus_bit, int plus_bit) {
  const bool minus = key_held(minus_key), plus = key_held(plus_key);
  if (minus && !plus) return minus_bit;
  if (plus && !minus) return plus_bit;
  return 0;
}

struct keyboard_layout {
  int up, down, left, right;
};
constexpr keyboard_layout arrows = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT};
constexpr keyboard_layout wasd = {SDLK_w, SDLK_s, SDLK_a, SDLK_d};

int layout_directions(const keyboard_layout &l) {
  return key_pair(l.up, l.down, CONTROL_UP, CONTROL_DOWN) |
         key_pair(l.left, l.right, CONTROL_LEFT, CONTROL_RIGHT);
}

} // namespace

int control_check_joystick(int slot) {
  if (slot < 0 || slot >= joystick_count) return 0;
  const joystick_state &j = joystick[slot];
  int mask = 0;
  if (j.x < 0) mask |= CONTROL_LEFT;
  if (j.x > 0) mask |= CONTROL_RIGHT;
  if (j.y < 0) mask |= CONTROL_UP;
  if (j.y > 0) mask |= CONTROL_DOWN;
  if (j.fire) mask |= CONTROL_FIRE;
  return mask;
}

int control_check_keyboard(int layout) {
  if (layout == CONTROL_KEYS_WASD)
    return layout_directions(wasd) | (key_held(SDLK_TAB) ? CONTROL_FIRE : 0);
  int mask = layout_directions(arrows);
  if (key_held(SDLK_LALT) || key_held(SDLK_RETURN)) mask |= CONTROL_FIRE;
  if (key_held(SDLK_LCTRL)) mask |= CONTROL_FIRE2;
  if (key_held(SDLK_ESCAPE)) mask |= CONTROL_ESCAPE;
  return mask;
}

int control_check_mouse() {
  return (mouse_bit(0) ? CONTROL_FIRE : 0) | (mouse_bit(2) ? CONTROL_FIRE2 : 0);
}

int control_check_any() {
  int mask = 0;
  for (int j = 0; j < joystick_count; j++) mask |= control_check_joystick(j);
  return mask | control_check_keyboard(CONTROL_KEYS_ARROWS) |
         control_check_keyboard(CONTROL_KEYS_WASD) | control_check_mouse();
}

int control_check(const control_config *cfg) {
  switch (cfg->type) {
  case INPUT_DEV_JOYSTICK:
  case INPUT_DEV_GAMECUBE:
  case INPUT_DEV_WIIMOTE:
  case INPUT_DEV_XBOX360: return control_check_joystick(cfg->number);
  case INPUT_DEV_KEYBOARD:
    return layout_directions({cfg->up, cfg->down, cfg->left, cfg->right}) |
           (key_held(cfg->fire) ? CONTROL_FIRE : 0) | (key_held(cfg->fire2) ? CONTROL_FIRE2 : 0);
  case INPUT_DEV_MOUSE:
    // No cancelling here: each bit stands alone.
    return (mouse_bit(cfg->up) ? CONTROL_UP : 0) | (mouse_bit(cfg->down) ? CONTROL_DOWN : 0) |
           (mouse_bit(cfg->left) ? CONTROL_LEFT : 0) | (mouse_bit(cfg->right) ? CONTROL_RIGHT : 0) |
           (mouse_bit(cfg->fire) ? CONTROL_FIRE : 0) | (mouse_bit(cfg->fire2) ? CONTROL_FIRE2 : 0);
  default: return 0;
  }
}
