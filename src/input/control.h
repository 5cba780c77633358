// The control mask: all devices reduced to directions and buttons.
#pragma once
#include <cstdint>

enum {
  CONTROL_UP = 1,
  CONTROL_DOWN = 2,
  CONTROL_LEFT = 4,
  CONTROL_RIGHT = 8,
  CONTROL_FIRE = 16,
  CONTROL_FIRE2 = 32,
  CONTROL_ESCAPE = 128,
};

struct control_config {
  int32_t type;
  int32_t number;
  int32_t up, down, left, right, fire, fire2;
};

int control_check_joystick(int slot);
// The two keyboard layouts: arrows with left Alt or Return (fire), left Ctrl
// (second button) and Escape; W A S D with Tab (fire). Any other number reads
// as the arrows.
enum { CONTROL_KEYS_ARROWS = 0, CONTROL_KEYS_WASD = 1 };

int control_check_keyboard(int layout);
int control_check_mouse();
int control_check_any();
// Configurable controls; no screen calls it.
int control_check(const control_config *cfg);
