// Input devices: which device a player is using, and whether a claimed
// control of it is held.
#include "input/inputdev.h"
#include "input/input.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include <SDL.h>
#include <array>
#include <cstdlib>

input_dev_claim player_control[2];

namespace {

constexpr std::array<const char *, 7> type_names = {
    nullptr, "joystick", "keyboard", "mouse", "Gamecube joypad", "wiimote", "XBox360 joypad",
};

bool is_joystick_type(int type) {
  return type == INPUT_DEV_JOYSTICK || type == INPUT_DEV_GAMECUBE || type == INPUT_DEV_WIIMOTE ||
         type == INPUT_DEV_XBOX360;
}

joyport_handle slot_handle(int slot) {
  if (slot < 0 || slot >= joystick_count) return nullptr;
  return sdl_joystick[slot];
}

// First button held on the joystick in this slot, or -1.
int joystick_first_button(int slot) {
  const joyport_handle handle = slot_handle(slot);
  if (!handle) return -1;
  const int n = joyport_num_buttons(handle);
  for (int b = 0; b < n; b++)
    if (joyport_button(handle, b)) return b;
  return -1;
}

input_dev *input_dev_new(int type) {
  auto *dev = static_cast<input_dev *>(std::calloc(1, sizeof(input_dev)));
  if (dev) dev->type = type;
  return dev;
}

} // namespace

int input_dev_check(int type, int number, int *button) {
  if (is_joystick_type(type)) {
    const int b = joystick_first_button(number);
    if (b < 0) return 0;
    if (button) *button = b;
    return 1;
  }
  if (type == INPUT_DEV_KEYBOARD) {
    // Only a key held now may be claimed: a press long let go, or a count of
    // held keys none of which is in the ring (F11), would bind a dead key.
    const int sym = keyboard_held_press(button != nullptr);
    if (!sym) return 0;
    if (button) *button = sym;
    return 1;
  }
  if (type == INPUT_DEV_MOUSE) {
    if (mouse_b == 0) return 0;
    // The lowest held button, whichever of the eight it is.
    int b = 0;
    while (!(mouse_b >> b & 1)) b++;
    if (button) *button = b;
    return 1;
  }
  return 0;
}

int input_dev_check_all(int *type, int *number, int *button) {
  auto found = [&](int t, int n) {
    if (type) *type = t;
    if (number) *number = n;
    return 1;
  };
  for (int j = 0; j < joystick_count; j++)
    if (input_dev_check(INPUT_DEV_JOYSTICK, j, button)) return found(INPUT_DEV_JOYSTICK, j);
  if (input_dev_check(INPUT_DEV_KEYBOARD, 0, button)) return found(INPUT_DEV_KEYBOARD, 0);
  if (input_dev_check(INPUT_DEV_MOUSE, 0, button)) return found(INPUT_DEV_MOUSE, 0);
  return 0;
}

int input_dev_any_held() {
  if (keycount != 0 || mouse_b != 0) return 1;
  for (int j = 0; j < joystick_count; j++)
    if (joystick_first_button(j) >= 0) return 1;
  return 0;
}

int input_dev_check_button(int type, int number, int button) {
  if (is_joystick_type(type)) {
    const joyport_handle handle = slot_handle(number);
    return handle && button >= 0 && joyport_button(handle, button) != 0;
  }
  if (type == INPUT_DEV_KEYBOARD) return button >= 0 && button < SDLK_LAST && keys[button] != 0;
  if (type == INPUT_DEV_MOUSE) return button >= 0 && button < 8 && (mouse_b >> button & 1);
  return 0;
}

const char *input_dev_get_type_string(int type) {
  if (type < 0 || type >= static_cast<int>(type_names.size())) return nullptr;
  return type_names[static_cast<size_t>(type)];
}

int input_dev_has_stick(int type) { return is_joystick_type(type); }

int input_dev_is_singleuser(int type) { return is_joystick_type(type) || type == INPUT_DEV_MOUSE; }

input_dev *input_dev_lookup(int type) {
  const int t = type & 0xff;
  if (t < INPUT_DEV_JOYSTICK || t > INPUT_DEV_XBOX360) return nullptr;
  return input_dev_new(t);
}

input_dev *input_dev_get() {
  if (keycount != 0) {
    input_dev *dev = input_dev_new(INPUT_DEV_KEYBOARD);
    if (dev) dev->first = 2;
    return dev;
  }
  for (int j = 0; j < joystick_count; j++)
    if (joystick_first_button(j) >= 0) return input_dev_new(INPUT_DEV_JOYSTICK);
  return nullptr;
}

void input_dev_set_number(input_dev *dev, int number) {
  if (dev) dev->number = number;
}

void input_dev_free(input_dev *dev) { std::free(dev); }
